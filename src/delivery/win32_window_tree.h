// The window tree of the real desktop, read through user32.
#pragma once

#include "delivery/window_tree.h"

namespace hop {

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
