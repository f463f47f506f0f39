// Which folders open in Explorer the path menus list, in which order, and how the hotkey's menu
// numbers them.
#include "explorer/open_folders.h"

#include <gtest/gtest.h>

#include "hotkey/hotkey_menu.h"

namespace hop {
namespace {

using Folders = std::vector<std::wstring>;

TEST(OpenFolders, ListsFileSystemFoldersFrontToBackShownTabFirstEachOnceAndNoFavourite) {
  std::vector<ShellFolder> many;
  Folders first15;
  for (int k = 0; k < 20; ++k) many.push_back({L"C:\\f" + std::to_wstring(k), 0, true});
  for (int k = 1; k <= 15; ++k) first15.push_back(L"C:\\f" + std::to_wstring(k));
  const struct {
    std::vector<ShellFolder> shown;
    Folders paths, listed;
    const char* row;
  } cases[] = {
      {{{L"C:\\back", 2, true}, {L"C:\\front", 0, true}, {L"C:\\middle", 1, true}},
       {},
       {L"C:\\front", L"C:\\middle", L"C:\\back"},
       "windows from the front-most down"},
      {{{L"C:\\tab1", 0, false}, {L"C:\\tab2", 0, false}, {L"C:\\shown", 0, true}},
       {},
       {L"C:\\shown", L"C:\\tab1", L"C:\\tab2"},
       "the shown tab first, the others in the shell's order"},
      {{{L"C:\\w", 1, true}, {L"", 0, true}, {L"C:\\w", 0, false}},
       {},
       {L"C:\\w"},
       "virtual folders left out, a folder in two windows listed once"},
      {{{L"C:\\fav", 0, true}, {L"c:\\FAV", 1, true}, {L"C:\\other", 1, false}},
       {L"C:\\fav\\"},
       {L"C:\\other"},
       "a favourite left out whatever its case and trailing backslash"},
      {many, {L"C:\\f0"}, first15, "capped at 15, after the favourite is left out"},
  };
  for (const auto& c : cases) EXPECT_EQ(OpenFolders(c.shown, c.paths), c.listed) << c.row;
}

TEST(OpenFolders, MenuIdentifiersStandForTheListedFoldersOnly) {
  const Folders folders{L"C:\\a", L"C:\\b", L"C:\\"};
  EXPECT_EQ(ChosenOpenFolder(kFirstOpenFolderId + 1, folders), L"C:\\b\\") << "as a folder";
  EXPECT_EQ(ChosenOpenFolder(kFirstOpenFolderId + 2, folders), L"C:\\");
  for (unsigned id : {kFirstOpenFolderId + 3, kFirstOpenFolderId - 1, 0u})
    EXPECT_EQ(ChosenOpenFolder(id, folders), std::nullopt) << id;
}

TEST(OpenFolders, HotkeyMenuDigitsRunOnFromThePathsTenInAllAndAmpersandsAreDrawn) {
  PathMenu paths;
  for (std::uint8_t k = 1; k <= 8; ++k) paths.AddMenuItem(k, L"C:\\p" + std::to_wstring(k));
  const Folders folders{L"D:\\R&D", L"D:\\x", L"D:\\y"};
  const auto captions = HotkeyMenuCaptions(paths, folders);
  ASSERT_EQ(captions.size(), 11u);
  EXPECT_EQ(captions[7], L"&8 C:\\p8");
  EXPECT_EQ(captions[8], L"&9 D:\\R&&D");
  EXPECT_EQ(captions[9], L"&0 D:\\x");
  EXPECT_EQ(captions[10], L"D:\\y");
  const PathMenu none;
  EXPECT_EQ(HotkeyMenuCaptions(none, folders).front(), L"&1 D:\\R&&D");
}

}  // namespace
}  // namespace hop
