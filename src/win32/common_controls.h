// The common controls library, loaded only when something first needs it: loading it costs the
// process more private memory than the rest of its start-up (about 1.7 MB measured under Wine),
// and the tray icon alone never needs it.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

namespace hop::win32 {

// InitCommonControlsEx, loading the library at the first call; false when it cannot.
bool InitCommonControls(DWORD classes);

// Icon `id` at `size` pixels square: the resource's own image of that size when it has one,
// else a larger one scaled down by the library (as LoadIconMetric does), else whatever
// LoadImage makes of it. Null when the icon cannot be loaded.
HICON LoadIconAtSize(HINSTANCE instance, int id, int size);

}  // namespace hop::win32
