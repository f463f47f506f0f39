#include "editor/place_bottom_right.h"

#include <cmath>

#include "win32/twips.h"

namespace hop {
namespace {
constexpr double kBottomMarginPixels = 28;
}

PixelPoint PlaceBottomRight(int screenWidth, int screenHeight, int windowWidth, int windowHeight,
                            unsigned dpi) {
  const double pixel = TwipsPerPixel(dpi);
  const double left = PixelsToTwips(screenWidth, dpi) - PixelsToTwips(windowWidth, dpi) + pixel;
  const double top = PixelsToTwips(screenHeight, dpi) - PixelsToTwips(windowHeight, dpi) -
                     kBottomMarginPixels * pixel;
  return {static_cast<int>(std::lround(left / pixel)), static_cast<int>(std::lround(top / pixel))};
}

}  // namespace hop

namespace hop {

PixelPoint PlaceBottomRight(const PixelRect& screen, const PixelRect& workArea, int windowWidth,
                            int windowHeight, unsigned dpi) {
  if (workArea == screen) {
    const PixelPoint at = PlaceBottomRight(screen.right - screen.left, screen.bottom - screen.top,
                                           windowWidth, windowHeight, dpi);
    return {screen.left + at.x, screen.top + at.y};
  }
  return {workArea.right + 1 - windowWidth, workArea.bottom - windowHeight};
}

}  // namespace hop
