// The window tree of the real desktop, read through user32.
#pragma once

#include <windows.h>

#include "delivery/window_tree.h"

namespace hop {

// The finder's platform-free handles and the platform's own, one for one.
inline HWND AsHwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(window);
}
inline WindowHandle AsWindowHandle(HWND window) {
  return reinterpret_cast<WindowHandle>(window);
}

class Win32WindowTree : public WindowTree {
 public:
  WindowHandle DesktopWindow() override;
  WindowHandle FirstChild(WindowHandle window) override;
  WindowHandle NextSibling(WindowHandle window) override;
  std::wstring Title(WindowHandle window) override;
  std::wstring ClassName(WindowHandle window) override;
  bool HasParent(WindowHandle window) override;
  // GetWindowWord(GWW_ID) fails on 64-bit Windows; the id is read at its full width and cut
  // to the 16-bit word.
  std::uint16_t ControlId(WindowHandle window) override;
};

}  // namespace hop
