// A window class registered for as long as its owner lives.
#pragma once

#include <windows.h>

namespace hop::win32 {

// Registers the class at construction and unregisters it at destruction. When the class is
// registered already (another owner of the same name lives), this owner leaves it to that one.
class WindowClass {
 public:
  explicit WindowClass(const WNDCLASSEXW& definition)
      : instance_(definition.hInstance), name_(definition.lpszClassName) {
    WNDCLASSEXW copy = definition;
    copy.cbSize = sizeof(copy);
    owned_ = ::RegisterClassExW(&copy) != 0;
  }
  WindowClass(const WindowClass&) = delete;
  WindowClass& operator=(const WindowClass&) = delete;
  // Unregistering fails while windows of the class still exist; the class then stays.
  ~WindowClass() {
    if (owned_) ::UnregisterClassW(name_, instance_);
  }

  const wchar_t* name() const { return name_; }
  bool owned() const { return owned_; }

 private:
  HINSTANCE instance_;
  const wchar_t* name_;
  bool owned_ = false;
};

// The module a window was created for, whose classes and resources it uses.
inline HINSTANCE InstanceOf(HWND window) {
  return reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window, GWLP_HINSTANCE));
}

}  // namespace hop::win32
