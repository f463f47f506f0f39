// The about box's texts and arithmetic.
#include "about/about_texts.h"

#include <gtest/gtest.h>

namespace hop {
namespace {

TEST(AboutTexts, PathCountHasNoSingularForm) {
  EXPECT_EQ(AboutTextFor(0), L"0 Hopdirs are available");
  EXPECT_EQ(AboutTextFor(1), L"1 Hopdirs are available");
  EXPECT_EQ(AboutTextFor(255), L"255 Hopdirs are available");
}

TEST(AboutTexts, CaptionAndProgramLineShowMajorAndMinorOnly) {
  EXPECT_EQ(AboutCaption(kApplicationTitle), L"About Hopdirs");
  EXPECT_EQ(ProgramLine(L"File Selector Hopdir Access", 1, 21),
            L"File Selector Hopdir Access, 1.21");
  EXPECT_EQ(ProgramLine(L"X", 2, 0), L"X, 2.0");  // plain decimals, no padding
}

TEST(AboutTexts, MemoryIsRoundedKilobytesGroupedByThree) {
  EXPECT_EQ(MemoryText(16'777'216, L","), L"16,384 KB");
  EXPECT_EQ(MemoryText(1'000'000, L","), L"977 KB");  // 976.5625
  EXPECT_EQ(MemoryText(0, L","), L"0 KB");
  EXPECT_EQ(MemoryText(511, L","), L"0 KB");
  EXPECT_EQ(MemoryText(1024, L","), L"1 KB");
  EXPECT_EQ(MemoryText(999 * 1024, L","), L"999 KB");
  EXPECT_EQ(MemoryText(1000 * 1024, L","), L"1,000 KB");
}

TEST(AboutTexts, MemoryHalvesRoundAwayFromZero) {
  EXPECT_EQ(MemoryText(512, L","), L"1 KB");                       // 0.5
  EXPECT_EQ(MemoryText(1535, L","), L"1 KB");                      // 1.499...
  EXPECT_EQ(MemoryText(2 * 1024 + 512, L","), L"3 KB");            // 2.5, not banker's 2
  EXPECT_EQ(MemoryText(1'048'575'487ULL, L","), L"1,023,999 KB");  // just under 1,023,999.5
  EXPECT_EQ(MemoryText(1'048'575'488ULL, L","), L"1,024,000 KB");  // exactly 1,023,999.5
}

TEST(AboutTexts, MemoryAboveFourGigabytesAndOtherSeparators) {
  EXPECT_EQ(MemoryText(32ULL << 30, L","), L"33,554,432 KB");
  EXPECT_EQ(MemoryText(24ULL << 30, L"."), L"25.165.824 KB");
  EXPECT_EQ(MemoryText(24ULL << 30, L"\u00a0"), L"25\u00a0165\u00a0824 KB");
  EXPECT_EQ(MemoryText(16'777'216, L""), L"16384 KB");
  EXPECT_EQ(MemoryText(~0ULL, L","), L"18,014,398,509,481,984 KB");  // rounds up past 2^54 - 1
}

TEST(AboutTexts, CentringIsRealAndUnclamped) {
  const CentredPosition even = CentreOnScreen(15360, 11520, 5190, 4365);  // 1024x768 at 96 DPI
  EXPECT_DOUBLE_EQ(even.left, 5085);
  EXPECT_DOUBLE_EQ(even.top, 3577.5);
  const CentredPosition small = CentreOnScreen(4000, 3000, 5190, 4365);
  EXPECT_DOUBLE_EQ(small.left, -595);
  EXPECT_DOUBLE_EQ(small.top, -682.5);
  const CentredPosition exact = CentreOnScreen(5190, 4365, 5190, 4365);
  EXPECT_DOUBLE_EQ(exact.left, 0);
  EXPECT_DOUBLE_EQ(exact.top, 0);
}

}  // namespace
}  // namespace hop
