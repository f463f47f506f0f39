// Hopdirs: a tray utility that makes the open file dialog jump to a favourite folder or file.
#include <windows.h>

#include "editor/editor_window.h"
#include "shell/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  hop::MainWindow frmMain(instance);
  if (!frmMain.Create()) return 0;
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (frmMain.frmList().PreTranslateMessage(message)) continue;  // the editor's keyboard
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}
