#include "win32/dpi_layout.h"

#include <algorithm>
#include <string>

#include "win32/window_class.h"

namespace hop::win32 {

void CreateControls(HWND form, std::span<const ControlDesign> controls) {
  for (const ControlDesign& control : controls) {
    ::CreateWindowExW(0, control.windowClass, std::wstring(control.text).c_str(),
                      WS_CHILD | WS_VISIBLE | control.style, 0, 0, 0, 0, form,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), InstanceOf(form),
                      nullptr);
  }
}

void PlaceControl(HWND form, int id, const TwipsRect& rect, UINT dpi, HFONT font, Fit fit) {
  const HWND control = ::GetDlgItem(form, id);
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::MoveWindow(control, TwipsToPixels(rect.left, dpi), TwipsToPixels(rect.top, dpi),
               std::max(TwipsToPixels(rect.width, dpi), fit.minWidth),
               TwipsToPixels(rect.height, dpi) * fit.heightTimes, TRUE);
}

RECT FrameRect(const FrameDesign& frame, UINT dpi) {
  RECT outer{0, 0, TwipsToPixels(frame.clientWidth, dpi), TwipsToPixels(frame.clientHeight, dpi)};
  ::AdjustWindowRectExForDpi(&outer, frame.style, FALSE, frame.exStyle, dpi);
  return outer;
}

void SizeFrame(HWND form, const FrameDesign& frame, UINT dpi) {
  const RECT outer = FrameRect(frame, dpi);
  ::SetWindowPos(form, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace hop::win32
