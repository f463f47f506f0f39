#include "model/colour_scheme.h"

#include <gtest/gtest.h>

namespace hop {
namespace {

TEST(ColourScheme, SystemColoursWithHighContrastOrADarkWindowBackground) {
  struct Case {
    bool highContrast;
    std::uint32_t window;  // 0x00BBGGRR
    bool system;
  };
  const Case cases[] = {
      {false, 0xFFFFFF, false},                           // the usual white
      {false, 0xC0C0C0, false},                           // light grey
      {false, 0x202020, true},                            // a dark scheme
      {false, 0x000000, true},  {false, 0xFF0000, true},  // pure blue is dark
      {false, 0x00FFFF, false},                           // yellow is light
      {true, 0xFFFFFF, true},                             // high contrast white
      {true, 0x000000, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UseSystemColours(c.highContrast, c.window), c.system)
        << std::hex << c.window << " " << c.highContrast;
  }
}

}  // namespace
}  // namespace hop
