#include "delivery/win32_window_tree.h"

#include <windows.h>

namespace hop {
namespace {

HWND H(WindowHandle window) {
  return reinterpret_cast<HWND>(window);
}
WindowHandle W(HWND window) {
  return reinterpret_cast<WindowHandle>(window);
}

constexpr int kBuffer = 255;

}  // namespace

WindowHandle Win32WindowTree::DesktopWindow() {
  return W(::GetDesktopWindow());
}

WindowHandle Win32WindowTree::FirstChild(WindowHandle window) {
  return W(::GetWindow(H(window), GW_CHILD));
}

WindowHandle Win32WindowTree::NextSibling(WindowHandle window) {
  return W(::GetWindow(H(window), GW_HWNDNEXT));
}

std::wstring Win32WindowTree::Title(WindowHandle window) {
  wchar_t buffer[kBuffer];
  const int length = ::GetWindowTextW(H(window), buffer, kBuffer);
  return std::wstring(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::wstring Win32WindowTree::ClassName(WindowHandle window) {
  wchar_t buffer[kBuffer];
  const int length = ::GetClassNameW(H(window), buffer, kBuffer);
  return std::wstring(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

bool Win32WindowTree::HasParent(WindowHandle window) {
  return ::GetParent(H(window)) != nullptr;
}

std::uint16_t Win32WindowTree::ControlId(WindowHandle window) {
  return static_cast<std::uint16_t>(::GetWindowLongPtrW(H(window), GWLP_ID) & 0xFFFF);
}

}  // namespace hop
