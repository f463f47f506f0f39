#include "editor/help_popup.h"

#include <algorithm>

#include "win32/dpi.h"
#include "win32/window_queries.h"

namespace hop {
namespace {

WNDCLASSEXW PopupClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW windowClass{};
  windowClass.style = CS_DROPSHADOW | CS_SAVEBITS;
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = HelpPopup::kClassName;
  return windowClass;
}

}  // namespace

HelpPopup::HelpPopup(HINSTANCE instance)
    : windowClass_(PopupClass(instance, &win32::WindowThunk<HelpPopup>)) {}

void HelpPopup::Show(HWND owner, HFONT font, std::wstring_view text, POINT anchor) {
  Hide();
  font_ = font;
  text_.assign(text);
  const UINT dpi = win32::DpiForWindow(owner);
  padding_ = ::MulDiv(6, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);

  RECT textRect{};
  if (const win32::WindowDC dc(owner); dc.get()) {
    const win32::SelectedObject selected(dc.get(), font_);
    textRect = TextRect(dc.get(), ::MulDiv(280, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI));
  }
  const int width = textRect.right + 2 * padding_ + 2;  // + the one-pixel border on each side
  const int height = textRect.bottom + 2 * padding_ + 2;
  const RECT work = win32::WorkAreaAt(anchor);
  const int x = std::max<int>(work.left, std::min<int>(anchor.x, work.right - width));
  const int y = std::max<int>(work.top, std::min<int>(anchor.y, work.bottom - height));

  // The window is this pop-up's from WM_NCCREATE on (Attach).
  ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, text_.c_str(),
                    WS_POPUP | WS_BORDER, x, y, width, height, owner, nullptr,
                    win32::InstanceOf(owner), this);
  // Shown above everything without taking the activation, so the keyboard stays in the editor.
  ::SetWindowPos(window_.get(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

RECT HelpPopup::TextRect(HDC dc, int maxWidth) const {
  RECT rect{0, 0, maxWidth, 0};
  ::DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &rect,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  return rect;
}

void HelpPopup::Paint(HWND hwnd) {
  win32::PaintScope paint(hwnd);
  RECT client{};
  ::GetClientRect(hwnd, &client);
  ::FillRect(paint.dc(), &client, ::GetSysColorBrush(COLOR_INFOBK));
  win32::SelectedObject selected(paint.dc(), font_);
  ::SetBkMode(paint.dc(), TRANSPARENT);
  ::SetTextColor(paint.dc(), ::GetSysColor(COLOR_INFOTEXT));
  ::InflateRect(&client, -padding_, -padding_);
  ::DrawTextW(paint.dc(), text_.c_str(), static_cast<int>(text_.size()), &client,
              DT_WORDBREAK | DT_NOPREFIX);
}

void HelpPopup::Attach(HWND hwnd) {
  window_.reset(hwnd);
}

void HelpPopup::Detach() {
  window_.release();
}

LRESULT HelpPopup::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint(window_.get());
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATEANDEAT;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      // A click on the pop-up dismisses it; the owner destroys it outside this handler.
      ::ShowWindow(window_.get(), SW_HIDE);
      return 0;
    default:
      return ::DefWindowProcW(window_.get(), message, wParam, lParam);
  }
}

}  // namespace hop
