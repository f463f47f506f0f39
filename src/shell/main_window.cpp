#include "shell/main_window.h"

#include <commctrl.h>

#include <utility>

#include "about/about_texts.h"
#include "about/about_window.h"
#include "delivery/delivery_notice.h"
#include "delivery/win32_desktop.h"
#include "editor/editor_window.h"
#include "hotkey/dialog_hotkey.h"
#include "hotkey/hotkey_window.h"
#include "model/scoped_flag.h"
#include "shell/popup_menus.h"
#include "shell/resource_ids.h"
#include "win32/common_controls.h"

namespace hop {
namespace {

HICON LoadAppIcon(HINSTANCE instance, int sizeMetric) {
  const int size = ::GetSystemMetrics(sizeMetric);
  return static_cast<HICON>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(IDI_HOPDIRS), IMAGE_ICON, size, size, 0));
}

// The icon at the size the notification area draws it now (the small-icon size at the current
// scaling), picked from the resource's images rather than stretched.
HICON LoadTrayIcon(HINSTANCE instance) {
  return win32::LoadIconAtSize(instance, IDI_HOPDIRS, ::GetSystemMetrics(SM_CXSMICON));
}

WNDCLASSEXW MainClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = MainWindow::kClassName;
  return windowClass;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, SettingsStore& settings, std::wstring instanceName)
    : instance_(instance),
      settings_(settings),
      instanceName_(std::move(instanceName)),
      largeIcon_(LoadAppIcon(instance, SM_CXICON)),
      smallIcon_(LoadAppIcon(instance, SM_CXSMICON)),
      trayIcon_(LoadTrayIcon(instance)),
      windowClass_(MainClass(instance, &win32::WindowThunk<MainWindow>)) {}

MainWindow::~MainWindow() {
  hotkeyWindow_.reset();
  hotkey_.reset();
  about_.reset();
  editor_.reset();
  if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
}

bool MainWindow::Create() {
  // Never shown: WS_POPUP without WS_VISIBLE; a tool window has no taskbar button.
  hwnd_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                            nullptr, instance_, this);
  if (!hwnd_) return false;
  desktop_ = std::make_unique<Win32Desktop>(hwnd_);
  editor_ = std::make_unique<EditorWindow>(hwnd_, largeIcon_.get(), smallIcon_.get(), paths_,
                                           [this] { OnEditorClosed(); });
  about_ = std::make_unique<AboutWindow>(hwnd_, largeIcon_.get());
  if (!Form_Load()) return false;
  StartHotkey();
  return true;
}

bool MainWindow::PreTranslateMessage(MSG& message) {
  return editor_ && editor_->PreTranslateMessage(message);
}

// The editor may have changed the path list: the tip shows the new count and a changed list is
// written at once. While shutting down the write has been done already.
void MainWindow::OnEditorClosed() {
  if (std::exchange(editorHoldsHotkey_, false) && hotkey_) hotkey_->LetGo();
  tray_.SetTipText(TipText(PathCount()));
  if (!ending_ && paths_.Paths() != savedPaths_) SaveSettings();
}

void MainWindow::ReloadTrayIcon() {
  win32::UniqueIcon icon(LoadTrayIcon(instance_));
  if (!icon) return;
  tray_.SetIcon(icon.get());
  trayIcon_ = std::move(icon);  // the previous one is no longer shown
}

void MainWindow::OnTrayNotification(TrayNotification notification) {
  // A popup menu runs its own modal loop; a tray click while it is open only closes it. While a
  // modal box is open the main window is disabled and the program takes no input. A delivery
  // waiting for a paste still takes sent messages: a menu opened inside it could end the
  // program or start another delivery with the path on the clipboard.
  if (menuOpen_ || delivering_ || ending_ || !::IsWindowEnabled(hwnd_)) return;
  switch (ActionFor(notification, PathCount(), editor_->IsVisible())) {
    case TrayAction::PopupPathMenu: {
      delivery_.Prepare(*desktop_);  // the dialogs are looked for while the user chooses
      const Menu menu = BuildMenu(L"");
      const UINT chosen = RunMenu([&] { return PopupPathMenu(hwnd_, menu, tray_.MenuAnchor()); });
      if (const auto choice = menu.ChoiceFor(chosen)) Act(*choice);
      return;
    }
    case TrayAction::PopupConfigMenu: {
      const ConfigState state{clipboardChecked_, !recent_.Entries().empty()};
      return RunCommand(RunMenu([&] { return PopupConfigMenu(hwnd_, state, tray_.MenuAnchor()); }));
    }
    case TrayAction::ShowEditor:
      mnuList_Click();
      break;
    case TrayAction::None:
      break;
  }
}

template <typename Popup>
UINT MainWindow::RunMenu(Popup popup) {
  UINT chosen = 0;
  {
    const ScopedFlag open(menuOpen_);
    chosen = popup();
  }
  if (chosen == 0) tray_.ReturnFocus();
  return chosen;
}

void MainWindow::RunCommand(UINT id) {
  switch (id) {
    case mnuList:
      return mnuList_Click();
    case mnuClipboard:
      return mnuClipboard_Click();
    case mnuHotkey:
      return mnuHotkey_Click();
    case mnuAbout:
      return mnuAbout_Click();
    case mnuExit:
      return mnuExit_Click();
    case mnuClearRecent:
      return mnuClearRecent_Click();
    default:
      break;
  }
}

void MainWindow::mnuList_Click() {
  editor_->Show();
  // The hotkey does nothing while the editor is open: a dialog keeps its own use of the keys.
  if (editor_->IsVisible() && !std::exchange(editorHoldsHotkey_, true) && hotkey_) hotkey_->Hold();
}

void MainWindow::mnuClipboard_Click() {
  clipboardChecked_ = !clipboardChecked_;
  SaveSettings();
}

void MainWindow::mnuAbout_Click() {
  const HotkeyHold hold(hotkey_.get());
  about_->Show(AboutTextFor(PathCount()));
}

void MainWindow::mnuExit_Click() {
  // As a close request: a delivery under way first puts the clipboard back.
  if (delivering_) return RequestEnd(UnloadMode::AppTaskManager);
  ending_ = true;
  SaveAndQuit();
}

void MainWindow::mnuPath_Click(int Index, HWND dialog) {
  if (Index < 1 || Index > PathCount()) return;
  // Read at click time: the caption as it stands now is what is delivered.
  DeliverPath(paths_.Caption(static_cast<std::size_t>(Index)), dialog);
}

void MainWindow::DeliverPath(std::wstring path, HWND dialog, Origin origin) {
  if (delivering_) return;  // one at a time: a second would overwrite the first one's copy
  delivering_ = true;
  const auto outcome =
      delivery_.Deliver(*desktop_, path, clipboardChecked_, AsWindowHandle(dialog));
  delivering_ = false;
  const bool dropped = KeepRecent(outcome, origin, path);  // stored, even when ending now
  // A close request that came in meanwhile ends the program now that the clipboard is back.
  if (endPending_) return Form_QueryUnload(*endPending_);
  if (dropped) return tray_.ShowBalloon(kNoticeTitle, RecentGoneNotice(path));
  if (const auto notice = DeliveryNotice(outcome, path)) tray_.ShowBalloon(kNoticeTitle, *notice);
}

void MainWindow::Attach(HWND hwnd) {
  hwnd_ = hwnd;
}

void MainWindow::Detach() {
  hwnd_ = nullptr;
}

void MainWindow::RequestEnd(UnloadMode mode) {
  ending_ = true;
  if (!delivering_) return Form_QueryUnload(mode);
  // Sent into the middle of a delivery (the clipboard may hold the path): the list is written
  // at once, and the program ends as soon as the delivery has put the clipboard back.
  SaveSettings();
  endPending_ = mode;
}

// How the platform's messages map to the close-request modes: WM_ENDSESSION (the session is
// really ending) is mode 2; WM_CLOSE can only come from another program, since this hidden
// window has no control menu and the program never closes it itself, so it is mode 3, as the
// task manager's "End task" sends it.
LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case TrayIcon::kCallbackMessage:
      if (auto notification = tray_.OnCallback(wParam, lParam)) OnTrayNotification(*notification);
      return 0;
    case WM_TIMER:
      if (wParam == TrayIcon::kClickTimer) {
        if (auto notification = tray_.OnClickTimer()) OnTrayNotification(*notification);
      } else if (wParam == TrayIcon::kRetryTimer) {
        tray_.OnRetryTimer();
      }
      return 0;
    case WM_HOTKEY:
      if (wParam == DialogHotkey::kHotkeyId) OnDialogHotkey();
      return 0;
    case WM_MENUCHAR:  // the digit row on layouts that type other characters on it
      if (const auto answer = hotkeyMenu_.OnMenuChar(wParam, lParam)) return *answer;
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam && !ending_) RequestEnd(UnloadMode::AppWindows);
      return 0;
    case WM_CLOSE:
      if (!ending_) RequestEnd(UnloadMode::AppTaskManager);  // else already saving and ending
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    case WM_DPICHANGED:
    case WM_DISPLAYCHANGE:
    case WM_SETTINGCHANGE:  // the scaling may have changed: the tray wants another size
      ReloadTrayIcon();
      return 0;
    default:
      if (message == TrayIcon::TaskbarCreatedMessage() && message != 0) {
        tray_.OnTaskbarCreated();
        return 0;
      }
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

}  // namespace hop
