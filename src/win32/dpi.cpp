#include "win32/dpi.h"

namespace hop::win32 {

UINT DpiForWindow(HWND window) {
  UINT dpi = window ? ::GetDpiForWindow(window) : 0;
  return dpi ? dpi : SystemDpi();
}

UINT SystemDpi() {
  UINT dpi = ::GetDpiForSystem();
  return dpi ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace hop::win32
