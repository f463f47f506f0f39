// frmAboutBox: the modal about box. It has a window class of its own, so a search for the
// standard dialogs never finds it, and real static and button controls, so screen readers and
// UI automation can read every text.
#pragma once

namespace hop {

class MainWindow;

inline constexpr const wchar_t* kAboutBoxClassName = L"HopdirsAbout";

// Loads, fills and shows the about box modally over the program's windows; returns once it is
// closed. Each showing computes every figure afresh.
void ShowAboutBox(MainWindow& frmMain);
// Closes the about box if it is open (the modal showing then returns).
void UnloadAboutBox();

}  // namespace hop
