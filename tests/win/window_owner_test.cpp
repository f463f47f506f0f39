// A window's C++ owner and the guard that keeps exceptions out of the system's code.
#include "win32/window_owner.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "win32/unique_handle.h"

namespace hop::win32 {
namespace {

struct Owner {
  HWND attached = nullptr;
  int messages = 0;
  bool throwOnUser = false;

  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = WindowOwner<Owner>(hwnd, message, lParam);
    if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCCREATE) self->attached = hwnd;
    return NoThrow(
        [&]() -> LRESULT {
          ++self->messages;
          if (message == WM_USER && self->throwOnUser) throw std::runtime_error("handler failed");
          if (message == WM_USER) return 42;
          return ::DefWindowProcW(hwnd, message, wParam, lParam);
        },
        LRESULT{-1});
  }
};

TEST(WindowOwner, AttachesAtCreationAndAThrowingHandlerAnswersTheFallback) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &Owner::Proc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"HopdirsOwnerTest";
  ::RegisterClassW(&windowClass);
  Owner owner;
  UniqueWindow window(::CreateWindowExW(0, L"HopdirsOwnerTest", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                        nullptr, windowClass.hInstance, &owner));
  ASSERT_NE(window.get(), nullptr);
  EXPECT_EQ(owner.attached, window.get());
  EXPECT_GT(owner.messages, 0);
  EXPECT_EQ(::SendMessageW(window.get(), WM_USER, 0, 0), 42);
  owner.throwOnUser = true;
  EXPECT_EQ(::SendMessageW(window.get(), WM_USER, 0, 0), -1);  // and the test is still running
  owner.throwOnUser = false;
  EXPECT_EQ(::SendMessageW(window.get(), WM_USER, 0, 0), 42);
}

}  // namespace
}  // namespace hop::win32
