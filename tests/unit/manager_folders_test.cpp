// Which answers of other file managers are folders a dialog can go to, and in which order.
#include "explorer/manager_folders.h"

#include <gtest/gtest.h>

namespace hop {
namespace {

using Folder = std::optional<std::wstring>;

TEST(ManagerFolders, FileSystemFoldersOnlyWithoutMaskOrTrailingBackslash) {
  const struct {
    std::wstring_view text;
    Folder folder;
    const char* row;
  } cases[] = {
      {L"C:\\Work\\", L"C:\\Work", "a trailing backslash left off"},
      {L"c:\\windows\\*.*", L"c:\\windows", "a path label's mask left off"},
      {L"D:\\", L"D:\\", "a drive's root keeps its backslash"},
      {L"\\\\server\\share\\docs\\", L"\\\\server\\share\\docs", "a share"},
      {L"  E:\\Program Files (x86)  ", L"E:\\Program Files (x86)", "spaces around trimmed"},
      {L"\\\\\\Uninstaller64\\", std::nullopt, "a plug-in place"},
      {L"ftp://host/pub", std::nullopt, "an FTP address"},
      {L"\\\\?\\C:\\x", std::nullopt, "a device path"},
      {L"\\\\server\\", std::nullopt, "a server without a share"},
      {L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", std::nullopt, "a virtual folder"},
      {L"/home", std::nullopt, "a folder alias"},
      {L"C:\\a\\b:stream", std::nullopt, "a colon past the drive"},
      {L"", std::nullopt, "nothing"},
  };
  for (const auto& c : cases) EXPECT_EQ(FileSystemFolder(c.text), c.folder) << c.row;
}

std::string Utf16(std::wstring_view text) {
  std::string bytes;
  for (wchar_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return bytes;
}

TEST(ManagerFolders, CommanderReplyIsUtf16UpToItsNul) {
  const struct {
    std::string bytes;
    Folder folder;
    const char* row;
  } cases[] = {
      {Utf16(std::wstring(L"C:\\D\u00e9j\u00e0\\\0junk", 12)), L"C:\\D\u00e9j\u00e0",
       "up to the nul, non-ASCII kept"},
      {Utf16(L"C:\\x\\") + "\x01", L"C:\\x", "no nul, an odd last byte"},
      {"C:\\x\\", std::nullopt, "ANSI bytes are no UTF-16 path"},
      {"", std::nullopt, "an empty reply"},
  };
  for (const auto& c : cases) EXPECT_EQ(CommanderReplyFolder(c.bytes), c.folder) << c.row;
}

TEST(ManagerFolders, DoubleCommanderTitleShowsTheFolderOnlyWhenAsked) {
  const struct {
    std::wstring_view title;
    Folder folder;
    const char* row;
  } cases[] = {
      {L"Work (C:\\Work\\) - Double Commander 1.1.10", L"C:\\Work", "name and path"},
      {L"x86) (C:\\Program Files (x86)\\) - Double Commander", L"C:\\Program Files (x86)",
       "parentheses inside the path"},
      {L"C:\\Work\\ - Double Commander 1.0.5", L"C:\\Work", "the path alone"},
      {L"Double Commander 1.1.10 beta", std::nullopt, "the option off: no folder shown"},
      {L"Work (C:\\Users\\IHaveAVeryLongName\\pic...) - Double Commander", std::nullopt,
       "a shortened path"},
      {L"C:\\Work - Notepad", std::nullopt, "another program's title"},
  };
  for (const auto& c : cases) EXPECT_EQ(DoubleCommanderTitleFolder(c.title), c.folder) << c.row;
}

TEST(ManagerFolders, OpusListsShownTabsActiveListerAndSourceFirst) {
  const std::string xml =
      "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<results command=\"paths\">\r\n"
      "<path lister=\"0x1\" side=\"1\" tab_state=\"1\">C:\\Other lister</path>\r\n"
      "<path active_lister=\"1\" side=\"1\" tab_state=\"0\">C:\\Hidden tab</path>\r\n"
      "<path active_lister=\"1\" side=\"2\" tab_state=\"2\">D:\\R&amp;D\\</path>\r\n"
      "<path active_lister='1' side='1' tab_state='1'>C:\\Caf\xC3\xA9</path>\r\n"
      "<path active_lister=\"1\" tab_state=\"2\">ftp://host/pub</path>\r\n"
      "<path active_lister=\"1\" tab_state=\"2\">C:\\Data.zip\\sub</path>\r\n"
      "<paths tab_state=\"1\">E:\\Not a path element</paths>\r\n"
      "<path tab_state=\"2\">c:\\caf&#xE9;\\</path>\r\n"
      "<path tab_state=\"1\"/>\r\n</results>\r\n";
  EXPECT_EQ(OpusShownFolders(xml),
            (std::vector<std::wstring>{L"C:\\Caf\u00e9", L"D:\\R&D", L"C:\\Data.zip\\sub",
                                       L"C:\\Other lister"}));
  std::string utf16 = "\xFF\xFE" + Utf16(
                                       L"<results><path active_lister=\"1\" tab_state=\"1\">"
                                       L"F:\\Wide</path></results>");
  EXPECT_EQ(OpusShownFolders(utf16), std::vector<std::wstring>{L"F:\\Wide"});
  for (const char* broken : {"", "<path tab_state=\"1\">C:\\x", "<path tab_state=\"1", "\xFF\xFE"})
    EXPECT_TRUE(OpusShownFolders(broken).empty()) << broken;
}

}  // namespace
}  // namespace hop
