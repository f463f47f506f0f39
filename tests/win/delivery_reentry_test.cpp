// While a delivery waits for its paste, messages sent to the main window still run: a tray
// click arriving then is ignored, so no window or menu opens inside the delivery.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "editor/editor_window.h"
#include "shell/main_window.h"
#include "test_store.h"

namespace hop {
namespace {

// A file-dialog-like window on a thread of its own whose file-name edit (id 1152), asked to
// paste, first sends the main window a double click on the tray icon, as a taskbar that sends
// its notifications would.
class ReenteringDialog {
 public:
  explicit ReenteringDialog(HWND main) {
    main_ = main;
    thread_ = std::thread([this] { Run(); });
    while (!ready_) ::Sleep(1);
  }
  ~ReenteringDialog() {
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }

 private:
  static LRESULT CALLBACK Edit(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PASTE) {
      DWORD_PTR ignored = 0;
      ::SendMessageTimeoutW(main_, TrayIcon::kCallbackMessage, 0, WM_LBUTTONDBLCLK, SMTO_BLOCK,
                            2000, &ignored);
    }
    return ::CallWindowProcW(original_, edit, message, wParam, lParam);
  }

  void Run() {
    threadId_ = ::GetCurrentThreadId();
    const HWND dialog =
        ::CreateWindowExW(0, L"#32770", L"Open", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 100, 100,
                          400, 200, nullptr, nullptr, nullptr, nullptr);
    const HWND edit =
        ::CreateWindowExW(0, L"Edit", L"old.txt", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5, 120, 380,
                          24, dialog, reinterpret_cast<HMENU>(1152), nullptr, nullptr);
    original_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Edit)));
    ready_ = true;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (::IsDialogMessageW(dialog, &msg)) continue;
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::DestroyWindow(dialog);
  }

  static inline HWND main_ = nullptr;
  static inline WNDPROC original_ = nullptr;
  std::thread thread_;
  DWORD threadId_ = 0;
  std::atomic<bool> ready_{false};
};

TEST(MainWindow, TrayNotificationsAreIgnoredWhileADeliveryWaitsForItsPaste) {
  test::ClearTestStore();
  MainWindow frmMain(::GetModuleHandleW(nullptr), test::TestStore(), test::TestInstanceName());
  ASSERT_TRUE(frmMain.Create());
  ASSERT_TRUE(frmMain.ClipboardChecked());
  {
    const ReenteringDialog dialog(frmMain.hwnd());
    frmMain.DeliverPath(L"C:\\windows\\");
    EXPECT_FALSE(frmMain.frmList().IsVisible()) << "the double click opened the editor";
  }
  // The same notification outside a delivery opens it: the message itself is heard.
  ::SendMessageW(frmMain.hwnd(), TrayIcon::kCallbackMessage, 0, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(frmMain.frmList().IsVisible());
  frmMain.frmList().Unload();
  frmMain.TrayNotify().Stop();
}

}  // namespace
}  // namespace hop
