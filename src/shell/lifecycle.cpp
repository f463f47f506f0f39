#include "shell/lifecycle.h"

#include <windows.h>

#include "editor/editor_window.h"
#include "shell/main_window.h"
#include "shell/tray_rules.h"

namespace hop {

bool Form_Load(MainWindow& frmMain) {
  frmMain.TrayNotify().Start(frmMain.hwnd(), frmMain.SmallIcon());
  frmMain.TrayNotify().SetTipText(TipText(frmMain.PathCount()));
  return true;
}

void Form_QueryUnload(MainWindow& frmMain, UnloadMode mode) {
  if (mode == UnloadMode::AppWindows || mode == UnloadMode::AppTaskManager) SaveAndQuit(frmMain);
}

void SaveAndQuit(MainWindow& frmMain) {
  frmMain.TrayNotify().Stop();
  frmMain.frmList().Unload();
  ::ExitProcess(0);
}

}  // namespace hop
