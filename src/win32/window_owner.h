// The C++ object behind a window: passed to CreateWindowExW as the creation parameter and kept in
// GWLP_USERDATA from WM_NCCREATE on, so each window class writes only its own message handler.
#pragma once

#include <windows.h>

namespace hop::win32 {

// The owner of hwnd, attaching it first when message is WM_NCCREATE; null before that and after
// the owner detached itself.
template <typename Owner>
Owner* WindowOwner(HWND hwnd, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return owner;
  }
  return reinterpret_cast<Owner*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// Runs a message handler so that no exception unwinds into the system's code, where it cannot be
// caught and leaves the window manager in an undefined state; a handler that throws (in practice
// only an allocation that fails) answers `fallback` and the program goes on.
template <typename Handler, typename Result>
Result NoThrow(Handler&& handler, Result fallback) noexcept {
  try {
    return handler();
  } catch (...) {
    return fallback;
  }
}

}  // namespace hop::win32
