// The user's colour settings as the windows need them.
#pragma once

#include <windows.h>

namespace hop::win32 {

// True while high contrast is switched on.
bool HighContrastOn();

}  // namespace hop::win32
