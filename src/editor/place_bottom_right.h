// Where the editor window goes: next to the bottom right-hand corner of the whole screen.
#pragma once

namespace hop {

struct PixelPoint {
  int x, y;
  bool operator==(const PixelPoint&) const = default;
};

// The window's right edge one pixel beyond the screen's right edge and its bottom edge 28
// pixels above the screen's bottom. Screen and window (outer) sizes are in pixels; the
// arithmetic runs in twips at the given DPI, one pixel being that DPI's twips-per-pixel figure,
// and the result is the window's new top-left corner in pixels.
PixelPoint PlaceBottomRight(int screenWidth, int screenHeight, int windowWidth, int windowHeight,
                            unsigned dpi);

}  // namespace hop
