// A window of a class of its own that the dialog manager runs: Tab, Enter, Escape and mnemonics
// work as in any dialog, yet the finder never takes it for one (its class is not the dialog class).
#pragma once

#include <windows.h>

#include <vector>

namespace hop::win32 {

// The class: the dialog manager's window procedure and the button-face background.
WNDCLASSEXW ManagedDialogClass(HINSTANCE instance, const wchar_t* className, HICON icon,
                               HICON smallIcon = nullptr);
// An in-memory template naming that class, with no items: the controls are created at load,
// sized in pixels from their design in twips, and the position and size are set then too.
std::vector<WORD> EmptyDialogTemplate(DWORD style, DWORD exStyle, const wchar_t* className,
                                      const wchar_t* title);
// The system's message font at `dpi`; null when it cannot be had.
HFONT CreateDialogFont(UINT dpi);

}  // namespace hop::win32
