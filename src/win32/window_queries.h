// The chores every room does with windows, written once: class name, text, work area, walking
// windows with a lambda, and a popup menu tracked the way the platform wants it.
#pragma once

#include <windows.h>

#include <string>

namespace hop::win32 {

std::wstring ClassName(HWND window);
// The whole text, however long; empty for no window.
std::wstring WindowText(HWND window);
// The title the system keeps for a window, up to 254 characters. Read for another program's
// window without a message to its thread, so a hung program cannot stall the reader.
std::wstring Title(HWND window);
// The file name of the program that owns a window ("notepad.exe"); empty when it cannot be read.
std::wstring ProgramOf(HWND window);
// Width in pixels of a window's text as drawn in `font`; with `mnemonics` the "&" markers are
// left out, as a label draws them.
int TextWidth(HWND window, HFONT font, bool mnemonics = false);

// The part of a monitor not covered by taskbars: of the monitor nearest the window or the point.
RECT WorkAreaOf(HWND window);
RECT WorkAreaAt(POINT point);
// The whole monitor and its work area at a point (the screen when the system cannot tell).
struct MonitorAreas {
  RECT monitor, work;
};
MonitorAreas MonitorAreasAt(POINT point);

namespace detail {
template <typename Visit>
BOOL CALLBACK VisitWindow(HWND window, LPARAM visit) {
  return (*reinterpret_cast<Visit*>(visit))(window) ? TRUE : FALSE;
}
}  // namespace detail

// Calls visit(HWND) for each window until it answers false: every descendant of `parent`, every
// top-level window, every top-level window of the calling thread.
template <typename Visit>
void ForEachChild(HWND parent, Visit visit) {
  ::EnumChildWindows(parent, &detail::VisitWindow<Visit>, reinterpret_cast<LPARAM>(&visit));
}
template <typename Visit>
void ForEachTopLevel(Visit visit) {
  ::EnumWindows(&detail::VisitWindow<Visit>, reinterpret_cast<LPARAM>(&visit));
}
template <typename Visit>
void ForEachThreadWindow(Visit visit) {
  ::EnumThreadWindows(::GetCurrentThreadId(), &detail::VisitWindow<Visit>,
                      reinterpret_cast<LPARAM>(&visit));
}

// The horizontal alignment the user chose for menus (left- or right-handed).
UINT DropAlignment();
// Shows `menu` at `at` and waits for a choice: the chosen identifier, 0 when dismissed. The owner
// is made the foreground window first, or the menu would not close when the user clicks
// elsewhere, and the WM_NULL afterwards lets the system finish its own tracking.
// // `placement` holds the TPM_*ALIGN flags (and TPM_VERTICAL); `keepClear`, when given, is a
// screen area the menu never covers.
UINT TrackMenu(HWND owner, HMENU menu, POINT at, UINT placement = DropAlignment() | TPM_TOPALIGN,
               const RECT* keepClear = nullptr);

}  // namespace hop::win32
