// The popup menus as the platform holds them: captions, states and identifiers.
#include "shell/popup_menus.h"

#include <gtest/gtest.h>

#include "hotkey/win32_hotkey_menu.h"
#include "path_lists.h"
#include "window_texts.h"

namespace hop {
namespace {

UINT StateAt(HMENU menu, UINT position) {
  return ::GetMenuState(menu, position, MF_BYPOSITION);
}

TEST(PopupMenus, ConfigMenuHasItsSevenItemsWithListBoldAndClipboardChecked) {
  const auto menu = BuildConfigMenu({.clipboardChecked = true, .anyRecent = true});
  ASSERT_TRUE(menu);
  ASSERT_EQ(::GetMenuItemCount(menu.get()), 7);
  EXPECT_EQ(test::MenuTextAt(menu.get(), 0), L"&List...");
  EXPECT_EQ(test::MenuTextAt(menu.get(), 1), L"&Clipboard");
  EXPECT_EQ(test::MenuTextAt(menu.get(), 2), L"&Hotkey...");
  EXPECT_EQ(test::MenuTextAt(menu.get(), 3), L"Clear &recent folders");
  EXPECT_FALSE(StateAt(menu.get(), 3) & MF_GRAYED);
  EXPECT_TRUE(StateAt(menu.get(), 4) & MF_SEPARATOR);
  EXPECT_EQ(test::MenuTextAt(menu.get(), 5), L"&About...");
  EXPECT_EQ(test::MenuTextAt(menu.get(), 6), L"E&xit");
  EXPECT_EQ(::GetMenuDefaultItem(menu.get(), FALSE, 0), static_cast<UINT>(mnuList));
  EXPECT_TRUE(StateAt(menu.get(), 1) & MF_CHECKED);
  const auto unchecked = BuildConfigMenu({.clipboardChecked = false, .anyRecent = false});
  EXPECT_FALSE(StateAt(unchecked.get(), 1) & MF_CHECKED);
  EXPECT_TRUE(StateAt(unchecked.get(), 3) & MF_GRAYED) << "nothing to clear";
}

TEST(PopupMenus, PathMenuHasTheDisabledHeadingThenEveryPathLiterally) {
  const auto menu = BuildPathMenu(Menu(test::MenuOf({L"C:\\R&D\\", L"D:\\Überall (x86)\\"}), {}));
  ASSERT_EQ(::GetMenuItemCount(menu.get()), 3);
  EXPECT_EQ(test::MenuTextAt(menu.get(), 0), L"Available Hopdirs...");
  EXPECT_TRUE(StateAt(menu.get(), 0) & MF_GRAYED);
  EXPECT_EQ(test::MenuTextAt(menu.get(), 1), L"C:\\R&&D\\");  // drawn as "C:\R&D\", no mnemonic
  EXPECT_FALSE(StateAt(menu.get(), 1) & (MF_GRAYED | MF_DISABLED));
  EXPECT_EQ(test::MenuTextAt(menu.get(), 2), L"D:\\Überall (x86)\\");
  EXPECT_EQ(::GetMenuItemID(menu.get(), 2), Menu::kFirstId + 1);
}

TEST(PopupMenus, PathMenuHolds255Paths) {
  const auto menu = BuildPathMenu(Menu(test::MenuOf(test::NumberedPaths(255, L"C:\\")), {}));
  ASSERT_EQ(::GetMenuItemCount(menu.get()), 256);
  EXPECT_EQ(test::MenuTextAt(menu.get(), 255), L"C:\\255");
  EXPECT_EQ(::GetMenuItemID(menu.get(), 255), Menu::kFirstId + 254);
}

TEST(PopupMenus, BothPathMenusEndWithTheSectionsUnderTheirHeadingsWithTheSameIds) {
  const Menu model(test::MenuOf({L"C:\\fav"}),
                   {{L"Open in Explorer", Origin::OpenFolder, {L"C:\\R&D"}},
                    {L"Recent", Origin::Recent, {L"D:\\x"}}});
  const struct {
    win32::UniqueMenu menu;
    std::wstring firstFolder;
    const char* row;
  } cases[] = {
      {BuildPathMenu(model), L"C:\\R&&D", "the tray's"},
      {BuildHotkeyMenu(model), L"&2 C:\\R&&D", "the hotkey's, its digits running on"},
  };
  for (const auto& c : cases) {
    const HMENU menu = c.menu.get();
    ASSERT_EQ(::GetMenuItemCount(menu), 8) << c.row;
    EXPECT_TRUE(StateAt(menu, 2) & MF_SEPARATOR) << c.row;
    EXPECT_EQ(test::MenuTextAt(menu, 3), L"Open in Explorer") << c.row;
    EXPECT_TRUE(StateAt(menu, 3) & MF_GRAYED) << c.row;
    EXPECT_EQ(test::MenuTextAt(menu, 4), c.firstFolder) << c.row;
    EXPECT_EQ(test::MenuTextAt(menu, 6), L"Recent") << c.row;
    EXPECT_EQ(::GetMenuItemID(menu, 7), Menu::kFirstId + 2) << c.row;
    EXPECT_FALSE(StateAt(menu, 7) & MF_GRAYED) << c.row;
  }
}

}  // namespace
}  // namespace hop
