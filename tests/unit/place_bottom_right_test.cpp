#include "editor/place_bottom_right.h"

#include <gtest/gtest.h>

#include "editor/editor_help.h"

namespace hop {
namespace {

TEST(PlaceBottomRight, RightEdgeOnePixelPastTheScreenAndBottom28PixelsAbove) {
  // 96 DPI: 15 twips per pixel.
  EXPECT_EQ(PlaceBottomRight(1024, 768, 223, 118, 96), (PixelPoint{802, 622}));
  EXPECT_EQ(PlaceBottomRight(1920, 1080, 300, 150, 96), (PixelPoint{1621, 902}));
  // 144 DPI: 10 twips per pixel; the offsets stay one and 28 pixels.
  EXPECT_EQ(PlaceBottomRight(2880, 1620, 334, 176, 144), (PixelPoint{2547, 1416}));
  // A DPI whose pixel is not a whole number of twips (168 DPI: 8.57 twips) still lands on
  // whole pixels.
  EXPECT_EQ(PlaceBottomRight(3360, 1890, 390, 206, 168), (PixelPoint{2971, 1656}));
}

TEST(PlaceBottomRight, AWindowLargerThanTheScreenGoesPastTheTopLeft) {
  EXPECT_EQ(PlaceBottomRight(200, 100, 300, 150, 96), (PixelPoint{-99, -78}));
}

TEST(PlaceBottomRight, OnTheWorkAreaWhereverTheTaskbarSits) {
  constexpr PixelRect kScreen{0, 0, 1920, 1080};
  struct Case {
    const char* taskbar;
    PixelRect workArea;
    unsigned dpi;
    int width, height;
    PixelPoint expected;
  };
  const Case cases[] = {
      // Right edge one pixel beyond the work area's, bottom edge on its bottom.
      {"bottom, 48 px", {0, 0, 1920, 1032}, 96, 223, 118, {1698, 914}},
      {"bottom, 72 px at 150 %", {0, 0, 1920, 1008}, 144, 334, 176, {1587, 832}},
      {"top", {0, 40, 1920, 1080}, 96, 223, 118, {1698, 962}},
      {"left", {62, 0, 1920, 1080}, 96, 223, 118, {1698, 962}},
      {"right", {0, 0, 1858, 1080}, 96, 223, 118, {1636, 962}},
      // No reservation (none, or hiding itself): 28 pixels above the screen's bottom.
      {"none", kScreen, 96, 223, 118, {1698, 934}},
      {"none, 144 DPI", kScreen, 144, 334, 176, {1587, 876}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlaceBottomRight(kScreen, c.workArea, c.width, c.height, c.dpi), c.expected)
        << c.taskbar;
  }
}

TEST(EditorHelp, EveryTopicOfTheWindowHasItsOwnText) {
  for (unsigned topic = 10; topic <= 14; ++topic) {
    EXPECT_FALSE(EditorHelpText(topic).empty()) << topic;
    for (unsigned other = 10; other < topic; ++other) {
      EXPECT_NE(EditorHelpText(topic), EditorHelpText(other)) << topic << " " << other;
    }
  }
  EXPECT_TRUE(EditorHelpText(9).empty());
  EXPECT_TRUE(EditorHelpText(15).empty());
}

}  // namespace
}  // namespace hop
