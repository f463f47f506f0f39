// Which folders open in Explorer the path menus list, and in which order.
#include "explorer/open_folders.h"

#include <gtest/gtest.h>

namespace hop {
namespace {

using Folders = std::vector<std::wstring>;

TEST(OpenFolders, ListsFileSystemFoldersFrontToBackShownTabFirstEachOnce) {
  const struct {
    std::vector<ShellFolder> shown;
    Folders listed;
    const char* row;
  } cases[] = {
      {{{L"C:\\back", 2, true}, {L"C:\\front", 0, true}, {L"C:\\middle", 1, true}},
       {L"C:\\front", L"C:\\middle", L"C:\\back"},
       "windows from the front-most down"},
      {{{L"C:\\tab1", 0, false}, {L"C:\\tab2", 0, false}, {L"C:\\shown", 0, true}},
       {L"C:\\shown", L"C:\\tab1", L"C:\\tab2"},
       "the shown tab first, the others in the shell's order"},
      {{{L"C:\\w", 1, true}, {L"", 0, true}, {L"C:\\w", 0, false}},
       {L"C:\\w"},
       "virtual folders left out, a folder in two windows listed once"},
      {{{L"C:\\fav", 0, true}, {L"c:/FAV\\", 1, true}, {L"C:\\other", 1, false}},
       {L"C:\\fav", L"C:\\other"},
       "the same folder whatever its case, slashes and trailing backslash"},
  };
  for (const auto& c : cases) EXPECT_EQ(OpenFolders(c.shown), c.listed) << c.row;
}

}  // namespace
}  // namespace hop
