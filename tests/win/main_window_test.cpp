// The hidden main window against the real window manager.
#include "shell/main_window.h"

#include <gtest/gtest.h>

#include "shell/popup_menus.h"
#include "test_store.h"
#include "window_texts.h"

namespace hop {
namespace {

TEST(MainWindow, IsAHiddenTopLevelToolWindowOfItsOwnClass) {
  test::ClearTestStore();
  MainWindow frmMain(::GetModuleHandleW(nullptr), test::TestStore(), test::TestInstanceName());
  ASSERT_TRUE(frmMain.Create());
  const HWND window = frmMain.hwnd();
  EXPECT_FALSE(::IsWindowVisible(window));
  EXPECT_EQ(::GetParent(window), nullptr);  // top level: gets session-end broadcasts
  EXPECT_NE(::GetAncestor(window, GA_PARENT), HWND_MESSAGE);
  EXPECT_TRUE(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);  // no taskbar button
  EXPECT_EQ(test::ClassName(window), L"HopdirsMain");
  EXPECT_EQ(frmMain.TrayNotify().TipText(), L"0 Hopdirs");
  frmMain.TrayNotify().Stop();
}

TEST(MainWindow, ClipboardCommandTogglesAndPathListFollowsAddAndDelete) {
  test::ClearTestStore();
  MainWindow frmMain(::GetModuleHandleW(nullptr), test::TestStore(), test::TestInstanceName());
  ASSERT_TRUE(frmMain.Create());
  EXPECT_TRUE(frmMain.ClipboardChecked());
  frmMain.mnuClipboard_Click();
  EXPECT_FALSE(frmMain.ClipboardChecked());
  frmMain.mnuClipboard_Click();
  EXPECT_TRUE(frmMain.ClipboardChecked());

  frmMain.AddMenuItem(1, L"C:\\one\\");
  frmMain.AddMenuItem(2, L"C:\\R&D\\");
  EXPECT_EQ(frmMain.PathCount(), 2);
  frmMain.DeleteMenuItem(2);
  EXPECT_EQ(frmMain.PathCount(), 1);
  EXPECT_EQ(frmMain.Paths().Caption(1), L"C:\\one\\");
  frmMain.TrayNotify().Stop();
}

}  // namespace
}  // namespace hop
