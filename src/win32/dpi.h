// Twips and pixels at the real DPI of a window or of the primary screen.
#pragma once

#include <windows.h>

namespace hop::win32 {

// Dots per inch of the monitor the window is on (96 when the system cannot tell).
UINT DpiForWindow(HWND window);
// Dots per inch of the primary screen.
UINT SystemDpi();

}  // namespace hop::win32
