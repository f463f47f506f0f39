#include "delivery/win32_window_tree.h"

#include <windows.h>

#include "win32/window_queries.h"

namespace hop {

WindowHandle Win32WindowTree::DesktopWindow() {
  return AsWindowHandle(::GetDesktopWindow());
}

WindowHandle Win32WindowTree::FirstChild(WindowHandle window) {
  return AsWindowHandle(::GetWindow(AsHwnd(window), GW_CHILD));
}

WindowHandle Win32WindowTree::NextSibling(WindowHandle window) {
  return AsWindowHandle(::GetWindow(AsHwnd(window), GW_HWNDNEXT));
}

std::wstring Win32WindowTree::Title(WindowHandle window) {
  return win32::Title(AsHwnd(window));
}

std::wstring Win32WindowTree::ClassName(WindowHandle window) {
  return win32::ClassName(AsHwnd(window));
}

bool Win32WindowTree::HasParent(WindowHandle window) {
  return ::GetParent(AsHwnd(window)) != nullptr;
}

std::uint16_t Win32WindowTree::ControlId(WindowHandle window) {
  return static_cast<std::uint16_t>(::GetWindowLongPtrW(AsHwnd(window), GWLP_ID) & 0xFFFF);
}

}  // namespace hop
