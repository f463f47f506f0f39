// A window laid out from its design in twips at the real DPI, written once for the windows that
// are: the controls created from one table, their font and places, the frame around the client
// area, and the new layout at every change of DPI.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <string_view>

#include "win32/twips.h"

namespace hop::win32 {

// One row of a window's control table.
struct ControlDesign {
  int id;
  const wchar_t* windowClass;
  std::wstring_view text;
  DWORD style;  // WS_CHILD | WS_VISIBLE are added
  TwipsRect rect;
};

// The window's frame styles and its client area's size in twips.
struct FrameDesign {
  DWORD style, exStyle;
  int clientWidth, clientHeight;
};

// Creates the table's controls in `form`, in table order (the tab order), not yet placed.
void CreateControls(HWND form, std::span<const ControlDesign> controls);

// How a control departs from its designed size: the width in pixels it takes when that is more
// than designed (a caption in a wider font), and how many times its designed height it is (a
// drop-down combo box's list).
struct Fit {
  int minWidth = 0;
  int heightTimes = 1;
};
// Gives a control `font` and its designed place at `dpi`, in pixels.
void PlaceControl(HWND form, int id, const TwipsRect& rect, UINT dpi, HFONT font, Fit fit = {});
// Every control of a table (rows with `id` and `rect`).
template <typename Row, std::size_t N>
void PlaceControls(HWND form, const Row (&controls)[N], UINT dpi, HFONT font) {
  for (const Row& control : controls) PlaceControl(form, control.id, control.rect, dpi, font);
}

// The outer rectangle at `dpi` of a frame whose client area starts at 0,0.
RECT FrameRect(const FrameDesign& frame, UINT dpi);
// Sizes the window to the frame at `dpi`, where it is.
void SizeFrame(HWND form, const FrameDesign& frame, UINT dpi);

// WM_DPICHANGED: lays the window out again at the new DPI with `layOut(dpi)`, then moves it
// where the system suggests.
template <typename LayOut>
void FollowDpiChange(HWND form, WPARAM wParam, LPARAM lParam, LayOut layOut) {
  layOut(UINT{HIWORD(wParam)});
  const auto* suggested = reinterpret_cast<const RECT*>(lParam);
  ::SetWindowPos(form, nullptr, suggested->left, suggested->top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace hop::win32
