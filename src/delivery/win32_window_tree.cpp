#include "delivery/win32_window_tree.h"

#include <windows.h>

namespace hop {
namespace {

constexpr int kBuffer = 255;

}  // namespace

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
  wchar_t buffer[kBuffer];
  const int length = ::GetWindowTextW(AsHwnd(window), buffer, kBuffer);
  return std::wstring(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::wstring Win32WindowTree::ClassName(WindowHandle window) {
  wchar_t buffer[kBuffer];
  const int length = ::GetClassNameW(AsHwnd(window), buffer, kBuffer);
  return std::wstring(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

bool Win32WindowTree::HasParent(WindowHandle window) {
  return ::GetParent(AsHwnd(window)) != nullptr;
}

std::uint16_t Win32WindowTree::ControlId(WindowHandle window) {
  return static_cast<std::uint16_t>(::GetWindowLongPtrW(AsHwnd(window), GWLP_ID) & 0xFFFF);
}

}  // namespace hop
