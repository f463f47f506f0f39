// Start-up and shut-down of the process.
//
// How the platform's messages map to the close-request modes (the mapping itself sits in the main
// window's message handler): WM_ENDSESSION with wParam TRUE, the session really ending, is mode 2;
// WM_CLOSE is mode 3, because the hidden main window has no control menu and the program never
// closes it itself, so only another program (the task manager's "End task", taskkill) sends it.
// Mode 1 is the second instance's own unload; modes 0 and 4 cannot arise for a window that is
// never shown and has no owner.
#pragma once

namespace hop {

class MainWindow;

// Why the main window is asked to close, in the program's own terms.
enum class UnloadMode {
  FormControlMenu = 0,  // the window's control menu
  FormCode = 1,         // the program's own code
  AppWindows = 2,       // the Windows session is ending
  AppTaskManager = 3,   // another program (the task manager) asks it to close
  FormOwner = 4,        // the owning window is closing
};

// The main window's load step: the single-instance check, the settings read, the tray icon and
// its tip. False when another instance runs already and this one must end at once.
bool Form_Load(MainWindow& frmMain);
// The close request of the main window: modes 2 and 3 save and end, the others do nothing.
void Form_QueryUnload(MainWindow& frmMain, UnloadMode mode);
// Everything SaveAndQuit does before the process ends: the settings write, pending messages,
// the tray icon removed, the about box and the editor closed, pending messages again.
void ShutDown(MainWindow& frmMain);
// ShutDown, then the process ends on the spot.
[[noreturn]] void SaveAndQuit(MainWindow& frmMain);

}  // namespace hop
