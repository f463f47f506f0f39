// The hotkey's menu as built for the platform: the disabled heading first, then every path with
// its digit and the model's identifier, and the item that adds the dialog's folder last.
#include "hotkey/win32_hotkey_menu.h"

#include <gtest/gtest.h>

#include "hotkey/add_folder.h"
#include "path_lists.h"
#include "window_texts.h"

#include <string>

namespace hop {
namespace {

TEST(HotkeyMenu, HeadingDisabledThenEveryPathWithItsDigitAndIdentifier) {
  const auto menu = BuildHotkeyMenu(Menu(test::MenuOf(test::NumberedPaths(255, L"C:\\R&D\\")), {}),
                                    L"&Add C:\\x\\");
  ASSERT_TRUE(menu);
  ASSERT_EQ(::GetMenuItemCount(menu.get()), 258);
  EXPECT_EQ(test::MenuTextAt(menu.get(), 0), L"Available Hopdirs...");
  EXPECT_TRUE(::GetMenuState(menu.get(), 0, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_EQ(test::MenuTextAt(menu.get(), 1), L"&1 C:\\R&&D\\1");
  EXPECT_EQ(test::MenuTextAt(menu.get(), 10), L"&0 C:\\R&&D\\10");
  EXPECT_EQ(test::MenuTextAt(menu.get(), 255), L"C:\\R&&D\\255");
  for (UINT k = 1; k <= 255; ++k) {
    ASSERT_EQ(::GetMenuItemID(menu.get(), static_cast<int>(k)), Menu::kFirstId + k - 1);
    ASSERT_FALSE(::GetMenuState(menu.get(), k, MF_BYPOSITION) & MF_GRAYED) << k;
  }
  EXPECT_TRUE(::GetMenuState(menu.get(), 256, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(::GetMenuItemID(menu.get(), 257), kAddFolderCommand);
}

}  // namespace
}  // namespace hop
