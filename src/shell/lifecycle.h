// Start-up and shut-down of the process: the main window's load step and close request, whose
// steps live in lifecycle.cpp.
//
// How the platform's messages map to the close-request modes (the mapping itself sits in the main
// window's message handler): WM_ENDSESSION with wParam TRUE, the session really ending, is mode 2;
// WM_CLOSE is mode 3, because the hidden main window has no control menu and the program never
// closes it itself, so only another program (the task manager's "End task", taskkill) sends it.
// Mode 1 is the second instance's own unload; modes 0 and 4 cannot arise for a window that is
// never shown and has no owner.
#pragma once

#include <string>

namespace hop {

// The name of the user's running Hopdirs' single-instance claim, which wWinMain hands the main
// window; the tests hand it names of their own.
std::wstring UserInstanceName();

// Why the main window is asked to close, in the program's own terms.
enum class UnloadMode {
  FormControlMenu = 0,  // the window's control menu
  FormCode = 1,         // the program's own code
  AppWindows = 2,       // the Windows session is ending
  AppTaskManager = 3,   // another program (the task manager) asks it to close
  FormOwner = 4,        // the owning window is closing
};

}  // namespace hop
