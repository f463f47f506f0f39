// Where the editor window goes: next to the bottom right-hand corner of the primary monitor's
// work area, the part of the screen the taskbar leaves free.
#pragma once

namespace hop {

struct PixelPoint {
  int x, y;
  bool operator==(const PixelPoint&) const = default;
};

// A rectangle in screen pixels, right and bottom exclusive.
struct PixelRect {
  int left, top, right, bottom;
  bool operator==(const PixelRect&) const = default;
};

// The window's right edge one pixel beyond the screen's right edge and its bottom edge 28
// pixels above the screen's bottom. Screen and window (outer) sizes are in pixels; the
// arithmetic runs in twips at the given DPI, one pixel being that DPI's twips-per-pixel figure,
// and the result is the window's new top-left corner in pixels.
PixelPoint PlaceBottomRight(int screenWidth, int screenHeight, int windowWidth, int windowHeight,
                            unsigned dpi);

// The same against the work area: where a taskbar reserves part of the screen (at any edge), the
// window's bottom edge sits on the work area's bottom and its right edge one pixel beyond the
// work area's right edge, so no taskbar covers it. A work area that is the whole screen (no
// reservation, or a taskbar that hides itself) leaves the placement above unchanged.
PixelPoint PlaceBottomRight(const PixelRect& screen, const PixelRect& workArea, int windowWidth,
                            int windowHeight, unsigned dpi);

}  // namespace hop
