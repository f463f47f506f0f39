#include "hotkey/add_folder.h"

#include <gtest/gtest.h>

#include "editor/path_list_editor.h"

namespace hop {
namespace {

PathMenu MenuWith(std::initializer_list<const wchar_t*> paths) {
  PathMenu menu;
  for (const wchar_t* path : paths) AddPath(menu, path);
  return menu;
}

TEST(AddFolder, TheItemShowsOnlyForAFolderTheEditorWouldAdd) {
  PathMenu full;
  for (int k = 0; k < 255; ++k) AddPath(full, L"C:\\f" + std::to_wstring(k) + L"\\");
  const PathMenu two = MenuWith({L"C:\\hop\\alpha\\", L"D:\\b\\"});
  const struct {
    const PathMenu& paths;
    std::optional<std::wstring> folder;
    std::optional<std::wstring> caption;
    const char* row;
  } cases[] = {
      {two, std::nullopt, std::nullopt, "folder not read: absent"},
      {two, L"", std::nullopt, "empty answer: absent"},
      {two, L"C:\\hop\\beta", L"&Add C:\\hop\\beta\\", "new folder: its backslash added"},
      {two, L"C:\\hop\\alpha", std::nullopt, "listed already: absent"},
      {two, L"C:\\hop\\alpha\\", std::nullopt, "listed, answered with its backslash"},
      {two, L"C:\\HOP\\ALPHA", std::nullopt, "the same folder in another case: absent"},
      {two, L"d:/B", std::nullopt, "the same folder with slashes: absent"},
      {full, L"C:\\new", std::nullopt, "255 paths: absent"},
      {two, L"C:\\R&D", L"&Add C:\\R&&D\\", "'&' doubled, drawn as it is"},
  };
  for (const auto& c : cases) EXPECT_EQ(AddFolderCaption(c.paths, c.folder), c.caption) << c.row;
}

TEST(AddFolder, FoldersFromAnAddressBarAndAFolderTree) {
  const struct {
    std::wstring_view text;
    std::optional<std::wstring> path;
  } bars[] = {
      {L"Address: C:\\Users\\me", L"C:\\Users\\me"},
      {L"Adresse : D:\\x (1)\\", L"D:\\x (1)\\"},
      {L"Address: \\\\server\\share\\x", L"\\\\server\\share\\x"},
      {L"Address: Documents", std::nullopt},
      {L"Address: Libraries\\Documents", std::nullopt},
  };
  for (const auto& c : bars) EXPECT_EQ(AddressBarPath(c.text), c.path) << c.text.data();

  const KnownFolder known[] = {{L"Documents", L"C:\\Users\\me\\Documents"},
                               {L"My Documents", L"D:\\Mine"},
                               {L"\u4e0b\u8f09", L"C:\\Users\\me\\Downloads"}};
  const struct {
    std::wstring_view text;
    std::optional<std::wstring> path;
  } names[] = {
      {L"Address: Documents", L"C:\\Users\\me\\Documents"},
      {L"Address: My Documents", L"D:\\Mine"},  // not "Documents"
      {L"\u4f4d\u5740: \u4e0b\u8f09", L"C:\\Users\\me\\Downloads"},
      {L"Address: Old Documents", std::nullopt},
      {L"Adresse : Documents", L"C:\\Users\\me\\Documents"},
      {L"Documents", std::nullopt},  // no prefix: not an address bar's text
  };
  for (const auto& c : names) EXPECT_EQ(AddressBarKnownFolder(c.text, known), c.path);

  using Texts = std::vector<std::wstring>;
  EXPECT_EQ(TreeItemPath(Texts{L"alpha", L"hop", L"Local Disk (C:)", L"This PC", L"Desktop"}),
            L"C:\\hop\\alpha\\");
  EXPECT_EQ(TreeItemPath(Texts{L"alpha", L"C:\\", L"My Computer"}), L"C:\\alpha\\");
  EXPECT_EQ(TreeItemPath(Texts{L"Data (D:)", L"This PC"}), L"D:\\");
  EXPECT_EQ(TreeItemPath(Texts{L"Documents", L"Libraries", L"Desktop"}), std::nullopt);
}

}  // namespace
}  // namespace hop
