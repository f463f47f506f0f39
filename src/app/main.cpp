// Hopdirs: a tray utility that makes the open file dialog jump to a favourite folder or file.
#include <windows.h>

#include "settings/registry_store.h"
#include "shell/lifecycle.h"
#include "shell/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  hop::RegistryStore settings;  // HKEY_CURRENT_USER\Software\Quorvane\Hopdirs
  hop::MainWindow frmMain(instance, settings, hop::UserInstanceName());
  if (!frmMain.Create()) return 0;
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (frmMain.PreTranslateMessage(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}
