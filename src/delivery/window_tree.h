// The six window reads the dialog finder needs, so its walk can run over any window tree.
#pragma once

#include <cstdint>
#include <string>

namespace hop {

// A window handle at its full width; 0 is no window.
using WindowHandle = std::uintptr_t;

class WindowTree {
 public:
  virtual ~WindowTree() = default;

  virtual WindowHandle DesktopWindow() = 0;
  // The topmost child in the Z-order; 0 when there is none.
  virtual WindowHandle FirstChild(WindowHandle window) = 0;
  // The next sibling below in the Z-order; 0 after the last one.
  virtual WindowHandle NextSibling(WindowHandle window) = 0;
  // Title and class name as the platform reads them into a 255-character buffer.
  virtual std::wstring Title(WindowHandle window) = 0;
  virtual std::wstring ClassName(WindowHandle window) = 0;
  virtual bool HasParent(WindowHandle window) = 0;
  // The 16-bit control identifier; only asked for windows that have a parent.
  virtual std::uint16_t ControlId(WindowHandle window) = 0;
};

}  // namespace hop
