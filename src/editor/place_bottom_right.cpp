#include "editor/place_bottom_right.h"

#include <cmath>

#include "model/twips.h"

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
