// frmAboutBox: the modal about box.
#pragma once

namespace hop {

class MainWindow;

// Loads, fills and shows the about box modally; returns once it is closed.
void ShowAboutBox(MainWindow& frmMain);
// Closes the about box if it is open.
void UnloadAboutBox();

}  // namespace hop
