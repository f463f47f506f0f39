#include "editor/editor_window.h"

#include "shell/main_window.h"

namespace hop {
namespace {
constexpr const wchar_t* kClassName = L"HopdirsList";
}

EditorWindow::EditorWindow(MainWindow& frmMain) : frmMain_(frmMain) {}

EditorWindow::~EditorWindow() {
  Unload();
}

void EditorWindow::Show() {
  if (!hwnd_) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &EditorWindow::WindowProc;
    windowClass.hInstance = frmMain_.instance();
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    ::RegisterClassExW(&windowClass);
    hwnd_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"Hopdirs",
                              WS_CAPTION | WS_SYSMENU | WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, 240,
                              120, nullptr, nullptr, frmMain_.instance(), this);
  }
  ::ShowWindow(hwnd_, SW_SHOW);
  ::SetForegroundWindow(hwnd_);
}

bool EditorWindow::IsVisible() const {
  return hwnd_ && ::IsWindowVisible(hwnd_);
}

void EditorWindow::Unload() {
  if (hwnd_) ::DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

LRESULT CALLBACK EditorWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<EditorWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<EditorWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_CLOSE && self) {
    self->Unload();
    return 0;
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace hop
