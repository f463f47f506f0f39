// The main window's start-up and shut-down steps.
#include "shell/lifecycle.h"

#include <windows.h>

#include <string>

#include "about/about_window.h"
#include "editor/editor_window.h"
#include "hotkey/dialog_hotkey.h"
#include "hotkey/hotkey_setting.h"
#include "settings/path_list_settings.h"
#include "settings/recent_settings.h"
#include "shell/main_window.h"
#include "shell/tray_rules.h"

namespace hop {
namespace {

void SystemBeep() {
  ::MessageBeep(MB_OK);
}

// Lets the messages already queued run once (repaints, the windows' own closing work).
void ProcessPendingMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) break;  // the process is ending anyway
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

}  // namespace

// One instance per user and session: the Local\ namespace is per session, and the user's name
// keeps another account in the same session (run as a different user) apart.
std::wstring UserInstanceName() {
  wchar_t user[257] = {};
  DWORD length = DWORD(std::size(user));
  if (!::GetUserNameW(user, &length)) user[0] = L'\0';
  return std::wstring(L"Local\\Quorvane.Hopdirs.Instance.") + user;
}

// True when this process is the first instance; it then holds the mutex until it ends.
bool MainWindow::ClaimInstance() {
  const HANDLE created = ::CreateMutexW(nullptr, FALSE, instanceName_.c_str());
  const DWORD error = ::GetLastError();
  win32::UniqueKernelHandle mutex(created);
  if (error == ERROR_ALREADY_EXISTS) return false;
  // Access denied: the mutex exists but is not ours to open, so an instance runs. Any other
  // failure cannot tell, and starting beats refusing to run at all.
  if (!mutex) return error != ERROR_ACCESS_DENIED;
  instanceMutex_ = std::move(mutex);
  return true;
}

// The load step: the single-instance check, the settings read, the tray icon and its tip. False
// when another instance runs already and this one must end at once.
bool MainWindow::Form_Load() {
  if (!ClaimInstance()) {
    Form_QueryUnload(UnloadMode::FormCode);
    SystemBeep();
    return false;
  }
  ReadPathListSettings(settings_, paths_, clipboardChecked_);
  savedPaths_ = paths_.Paths();
  recent_ = ReadRecentSettings(settings_);
  ListSources();
  tray_.Start(hwnd_, trayIcon_.get());
  tray_.SetTipText(TipText(PathCount()));
  return true;
}

// The close request: modes 2 and 3 save and end, the others do nothing.
void MainWindow::Form_QueryUnload(UnloadMode mode) {
  if (mode == UnloadMode::AppWindows || mode == UnloadMode::AppTaskManager) SaveAndQuit();
}

void MainWindow::SaveSettings() {
  WritePathListSettings(settings_, paths_, clipboardChecked_, &SystemBeep);
  savedPaths_ = paths_.Paths();
  // The hotkey is written once the user has chosen one; until then the stored value (absent
  // means Ctrl+G) is left as it is.
  if (hotkeyUnsaved_ && hotkey_) hotkeyUnsaved_ = !WriteHotkeySetting(settings_, hotkey_->Key());
}

void MainWindow::ShutDown() {
  ending_ = true;  // from here on, nothing the closing windows change is written
  SaveSettings();
  ProcessPendingMessages();
  tray_.Stop();
  if (about_) about_->Unload();
  if (editor_) editor_->Unload();
  ProcessPendingMessages();
}

void MainWindow::SaveAndQuit() {
  ShutDown();
  ::ExitProcess(0);
}

}  // namespace hop
