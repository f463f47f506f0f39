// The window thunk, the guard that keeps exceptions out of the system's code, and the owner
// of a window class.
#include "win32/window_owner.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "win32/unique_handle.h"
#include "win32/window_class.h"

namespace hop::win32 {
namespace {

class Owner {
 public:
  HWND attached = nullptr;
  bool sawLastMessage = false;
  bool detached = false;
  bool throwOnUser = false;

 private:
  friend struct hop::win32::ThunkAccess;
  void Attach(HWND hwnd) { attached = hwnd; }
  void Detach() { detached = sawLastMessage; }  // only after the handler saw WM_NCDESTROY
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) sawLastMessage = true;
    if (message == WM_USER && throwOnUser) throw std::runtime_error("handler failed");
    if (message == WM_USER) return 42;
    return ::DefWindowProcW(attached, message, wParam, lParam);
  }
};

TEST(WindowThunk, AttachesAtCreationDetachesAfterTheLastMessageAndAThrowAnswersZero) {
  WNDCLASSEXW windowClass{};
  windowClass.lpfnWndProc = &WindowThunk<Owner>;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"HopdirsOwnerTest";
  const WindowClass registered(windowClass);
  Owner owner;
  UniqueWindow window(::CreateWindowExW(0, L"HopdirsOwnerTest", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                        nullptr, windowClass.hInstance, &owner));
  ASSERT_NE(window.get(), nullptr);
  EXPECT_EQ(owner.attached, window.get());
  EXPECT_EQ(::SendMessageW(window.get(), WM_USER, 0, 0), 42);
  owner.throwOnUser = true;
  EXPECT_EQ(::SendMessageW(window.get(), WM_USER, 0, 0), 0);  // and the test is still running
  owner.throwOnUser = false;
  window.reset();
  EXPECT_TRUE(owner.detached);
}

bool IsRegistered(const wchar_t* name) {
  WNDCLASSEXW found{};
  found.cbSize = sizeof(found);
  return ::GetClassInfoExW(::GetModuleHandleW(nullptr), name, &found) != FALSE;
}

TEST(WindowClass, TheFirstOwnerRegistersAndUnregistersAndAWindowKeepsItAlive) {
  WNDCLASSEXW definition{};
  definition.lpfnWndProc = ::DefWindowProcW;
  definition.hInstance = ::GetModuleHandleW(nullptr);
  definition.lpszClassName = L"HopdirsClassTest";
  UniqueWindow window;
  {
    const WindowClass first(definition);
    EXPECT_TRUE(first.owned());
    {
      const WindowClass second(definition);  // registered already: the first one keeps it
      EXPECT_FALSE(second.owned());
    }
    EXPECT_TRUE(IsRegistered(L"HopdirsClassTest"));
    window.reset(::CreateWindowExW(0, first.name(), L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                   definition.hInstance, nullptr));
    ASSERT_TRUE(window);
  }
  // A class cannot go while a window of it lives; once the window is gone it can be registered
  // afresh, and its owner's end unregisters it.
  EXPECT_TRUE(IsRegistered(L"HopdirsClassTest"));
  window.reset();
  ::UnregisterClassW(L"HopdirsClassTest", definition.hInstance);
  {
    const WindowClass again(definition);
    EXPECT_TRUE(again.owned());
  }
  EXPECT_FALSE(IsRegistered(L"HopdirsClassTest"));
}

}  // namespace
}  // namespace hop::win32
