// The "Hopdirs Hotkey" window as the configuration menu opens it: modal over the program,
// showing the stored key, laid out inside its client area, and storing the choice at once.
#include "hotkey/hotkey_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string_view>
#include <vector>

#include "hotkey/hotkey_setting.h"
#include "shell/main_window.h"
#include "test_store.h"

namespace hop {
namespace {

HWND FindHotkeyWindow() {
  return ::FindWindowW(HotkeyWindow::kClassName, HotkeyWindow::kTitle);
}

// Runs the steps from a timer while the modal window is open; if a step leaves it open at the
// end, it is cancelled so a failing test still ends.
std::vector<std::function<void()>>* gSteps = nullptr;
void RunWhileOpen(std::vector<std::function<void()>> steps, const std::function<void()>& open) {
  gSteps = &steps;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
    if (gSteps->empty()) {
      if (const HWND window = FindHotkeyWindow()) ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    auto step = std::move(gSteps->front());
    gSteps->erase(gSteps->begin());
    step();
  });
  open();
  ::KillTimer(nullptr, timer);
  gSteps = nullptr;
}

void Click(HWND window, int id) {
  ::SendMessageW(::GetDlgItem(window, id), BM_CLICK, 0, 0);
}

class HotkeyWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MSG quit;  // earlier main windows of this process posted WM_QUIT
    while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    test::ClearTestStore();
    WriteHotkeySetting(test::TestStore(), Hotkey{kHotkeyCtrl | kHotkeyAlt, 'J'});
    ASSERT_TRUE(frmMain.Create());
  }
  void TearDown() override {
    frmMain.TrayNotify().Stop();
    test::ClearTestStore();
  }
  std::optional<std::wstring> Stored() {
    return test::TestStore().Get(L"Quorvane", L"Hopdirs", L"Hotkey");
  }
  MainWindow frmMain{::GetModuleHandleW(nullptr), test::TestStore(), test::TestInstanceName()};
};

TEST_F(HotkeyWindowTest, ShowsTheStoredKeyModallyAndNoneThenOkStoresNoHotkey) {
  bool seen = false;
  RunWhileOpen({[&] {
                 const HWND window = FindHotkeyWindow();
                 ASSERT_TRUE(window);
                 seen = true;
                 EXPECT_FALSE(::IsWindowEnabled(frmMain.hwnd()));  // modal over the program
                 const HWND field = ::GetDlgItem(window, 101);
                 EXPECT_EQ(::SendMessageW(field, HKM_GETHOTKEY, 0, 0),
                           MAKEWORD('J', HOTKEYF_CONTROL | HOTKEYF_ALT));
                 EXPECT_EQ(::GetFocus(), field);
                 RECT client{};
                 ::GetClientRect(window, &client);
                 for (HWND child = ::GetWindow(window, GW_CHILD); child;
                      child = ::GetWindow(child, GW_HWNDNEXT)) {
                   RECT rect{};
                   ::GetWindowRect(child, &rect);
                   ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
                   EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= client.right &&
                               rect.bottom <= client.bottom && rect.right > rect.left)
                       << ::GetDlgCtrlID(child);
                 }
                 Click(window, 102);  // &None
                 EXPECT_EQ(::SendMessageW(field, HKM_GETHOTKEY, 0, 0), 0);
                 Click(window, IDOK);
               }},
               [&] { frmMain.mnuHotkey_Click(); });
  EXPECT_TRUE(seen);
  EXPECT_FALSE(FindHotkeyWindow());
  EXPECT_TRUE(::IsWindowEnabled(frmMain.hwnd()));
  EXPECT_EQ(Stored(), L"");
  EXPECT_EQ(frmMain.CurrentHotkey(), std::nullopt);
}

TEST_F(HotkeyWindowTest, CancelAndAKeyThatWouldBeTypedChangeNothing) {
  RunWhileOpen({[&] {
                 const HWND window = FindHotkeyWindow();
                 ASSERT_TRUE(window);
                 // A bare letter is refused with a word, not made Ctrl+Alt+Q (AltGr+Q types
                 // @ on German keyboards): OK leaves the window open.
                 ::SendDlgItemMessageW(window, 101, HKM_SETHOTKEY, MAKEWORD('Q', 0), 0);
                 Click(window, IDOK);
                 EXPECT_TRUE(FindHotkeyWindow());
                 wchar_t refusal[200] = {};
                 ::GetDlgItemTextW(window, 103, refusal, 200);
                 EXPECT_TRUE(std::wstring_view(refusal).starts_with(L"Q types a character"));
                 // F12 alone is kept for debuggers: refused, and the window says why.
                 ::SendDlgItemMessageW(window, 101, HKM_SETHOTKEY, MAKEWORD(VK_F12, 0), 0);
                 Click(window, IDOK);
                 ::GetDlgItemTextW(window, 103, refusal, 200);
                 EXPECT_TRUE(std::wstring_view(refusal).starts_with(L"F12 is kept by Windows"));
                 Click(window, IDCANCEL);
               }},
               [&] { frmMain.mnuHotkey_Click(); });
  EXPECT_FALSE(FindHotkeyWindow());
  EXPECT_EQ(Stored(), L"Ctrl+Alt+J");
  EXPECT_EQ(frmMain.CurrentHotkey(), (Hotkey{kHotkeyCtrl | kHotkeyAlt, 'J'}));
}

}  // namespace
}  // namespace hop
