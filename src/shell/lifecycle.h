// Start-up and shut-down of the process.
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

// The main window's load step. False when the program must end at once.
bool Form_Load(MainWindow& frmMain);
// The close request of the main window.
void Form_QueryUnload(MainWindow& frmMain, UnloadMode mode);
// Writes the settings, takes the icon away, closes the other windows and ends the process.
[[noreturn]] void SaveAndQuit(MainWindow& frmMain);

}  // namespace hop
