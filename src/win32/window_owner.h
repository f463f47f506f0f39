// The C++ object behind a window: one window procedure for plain windows and one for dialogs,
// so each window class writes only its own message handler. The owner is attached at the first
// message that carries it (WM_NCCREATE, WM_INITDIALOG) and detached at the last one
// (WM_NCDESTROY), after its handler has seen it.
//
// An owner class provides, privately, with `friend struct win32::ThunkAccess;`:
//   void Attach(HWND);        the window is now its own
//   void Detach();            the window is gone: forget it and what only it used
//   Result HandleMessage(UINT, WPARAM, LPARAM);   LRESULT for windows, INT_PTR for dialogs
#pragma once

#include <windows.h>

namespace hop::win32 {

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

struct ThunkAccess {
  // Hands a message to the owner kept in `slot` (attaching `arriving` first, when given).
  template <typename Owner, typename Result>
  static Result Dispatch(HWND hwnd, int slot, Owner* arriving, UINT message, WPARAM wParam,
                         LPARAM lParam, Result unowned) {
    if (arriving) {
      ::SetWindowLongPtrW(hwnd, slot, reinterpret_cast<LONG_PTR>(arriving));
      arriving->Attach(hwnd);
    }
    auto* owner = reinterpret_cast<Owner*>(::GetWindowLongPtrW(hwnd, slot));
    if (!owner) return unowned;
    const Result result =
        NoThrow([&] { return owner->HandleMessage(message, wParam, lParam); }, Result{0});
    if (message == WM_NCDESTROY) {
      ::SetWindowLongPtrW(hwnd, slot, 0);
      owner->Detach();
    }
    return result;
  }
};

// The window procedure of a class whose windows are created with their Owner as the creation
// parameter. Messages before WM_NCCREATE get the default handling.
template <typename Owner>
LRESULT CALLBACK WindowThunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Owner* arriving = nullptr;
  if (message == WM_NCCREATE)
    arriving = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
  if (!arriving && !::GetWindowLongPtrW(hwnd, GWLP_USERDATA))
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
  return ThunkAccess::Dispatch(hwnd, GWLP_USERDATA, arriving, message, wParam, lParam, LRESULT{0});
}

// The dialog procedure of a dialog created with its Owner as the initialization parameter.
// Messages before WM_INITDIALOG are left to the dialog manager.
template <typename Owner>
INT_PTR CALLBACK DialogThunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Owner* arriving = message == WM_INITDIALOG ? reinterpret_cast<Owner*>(lParam) : nullptr;
  return ThunkAccess::Dispatch(hwnd, static_cast<int>(DWLP_USER), arriving, message, wParam, lParam,
                               INT_PTR{FALSE});
}

}  // namespace hop::win32
