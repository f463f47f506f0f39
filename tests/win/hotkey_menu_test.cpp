// The hotkey's menu as built for the platform: the disabled heading first, then every path with
// its digit and its own identifier.
#include "hotkey/win32_hotkey_menu.h"

#include <gtest/gtest.h>

#include "path_lists.h"
#include "window_texts.h"

#include <string>

namespace hop {
namespace {

TEST(HotkeyMenu, HeadingDisabledThenEveryPathWithItsDigitAndIdentifier) {
  const auto menu = BuildHotkeyMenu(test::MenuOf(test::NumberedPaths(255, L"C:\\R&D\\")));
  ASSERT_TRUE(menu);
  ASSERT_EQ(::GetMenuItemCount(menu.get()), 256);
  EXPECT_EQ(test::MenuTextAt(menu.get(), 0), L"Available Hopdirs...");
  EXPECT_TRUE(::GetMenuState(menu.get(), 0, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_EQ(test::MenuTextAt(menu.get(), 1), L"&1 C:\\R&&D\\1");
  EXPECT_EQ(test::MenuTextAt(menu.get(), 10), L"&0 C:\\R&&D\\10");
  EXPECT_EQ(test::MenuTextAt(menu.get(), 255), L"C:\\R&&D\\255");
  for (UINT k = 1; k <= 255; ++k) {
    ASSERT_EQ(::GetMenuItemID(menu.get(), static_cast<int>(k)), k);
    ASSERT_FALSE(::GetMenuState(menu.get(), k, MF_BYPOSITION) & MF_GRAYED) << k;
  }
}

}  // namespace
}  // namespace hop
