// Twips (1/1440 inch) and pixels: the unit the windows are designed in, laid out at the real
// DPI so they keep their proportions on any screen. Plain arithmetic, also for the
// platform-free layout rules.
#pragma once

#include <cmath>

namespace hop {

constexpr int kTwipsPerInch = 1440;

// Twips per pixel at a given DPI: 15 at 96 DPI, 10 at 144 DPI.
constexpr double TwipsPerPixel(unsigned dpi) {
  return double(kTwipsPerInch) / dpi;
}

inline int TwipsToPixels(double twips, unsigned dpi) {
  return static_cast<int>(std::lround(twips / TwipsPerPixel(dpi)));
}

constexpr double PixelsToTwips(double pixels, unsigned dpi) {
  return pixels * TwipsPerPixel(dpi);
}

struct TwipsRect {
  int left, top, width, height;
};

}  // namespace hop
