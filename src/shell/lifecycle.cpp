#include "shell/lifecycle.h"

#include <windows.h>

#include <string>

#include "about/about_window.h"
#include "editor/editor_window.h"
#include "settings/path_list_settings.h"
#include "settings/registry_store.h"
#include "shell/main_window.h"
#include "shell/tray_rules.h"

namespace hop {
namespace {

// One instance per user and session: the Local\ namespace is per session, and the user's name
// keeps another account in the same session (run as a different user) apart.
std::wstring InstanceMutexName() {
  wchar_t user[257] = {};
  DWORD length = DWORD(std::size(user));
  if (!::GetUserNameW(user, &length)) user[0] = L'\0';
  return std::wstring(L"Local\\Quorvane.Hopdirs.Instance.") + user;
}

// True when this process is the first instance; it then holds the mutex until it ends.
bool ClaimInstance(MainWindow& frmMain) {
  const HANDLE created = ::CreateMutexW(nullptr, FALSE, InstanceMutexName().c_str());
  const DWORD error = ::GetLastError();
  win32::UniqueKernelHandle mutex(created);
  if (error == ERROR_ALREADY_EXISTS) return false;
  // Access denied: the mutex exists but is not ours to open, so an instance runs. Any other
  // failure cannot tell, and starting beats refusing to run at all.
  if (!mutex) return error != ERROR_ACCESS_DENIED;
  frmMain.InstanceMutex = std::move(mutex);
  return true;
}

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

bool Form_Load(MainWindow& frmMain) {
  if (!ClaimInstance(frmMain)) {
    Form_QueryUnload(frmMain, UnloadMode::FormCode);
    SystemBeep();
    return false;
  }
  RegistryStore store;
  bool clipboard = true;
  ReadPathListSettings(store, frmMain.Paths(), clipboard);
  frmMain.SetClipboardChecked(clipboard);
  frmMain.TrayNotify().Start(frmMain.hwnd(), frmMain.SmallIcon());
  frmMain.TrayNotify().SetTipText(TipText(frmMain.PathCount()));
  return true;
}

void Form_QueryUnload(MainWindow& frmMain, UnloadMode mode) {
  if (mode == UnloadMode::AppWindows || mode == UnloadMode::AppTaskManager) SaveAndQuit(frmMain);
}

void ShutDown(MainWindow& frmMain) {
  RegistryStore store;
  WritePathListSettings(store, frmMain.Paths(), frmMain.ClipboardChecked(), &SystemBeep);
  ProcessPendingMessages();
  frmMain.TrayNotify().Stop();
  UnloadAboutBox();
  frmMain.frmList().Unload();
  ProcessPendingMessages();
}

void SaveAndQuit(MainWindow& frmMain) {
  ShutDown(frmMain);
  ::ExitProcess(0);
}

}  // namespace hop
