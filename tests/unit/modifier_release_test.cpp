// Keys wait for the user's modifiers to be let go, within a bound.
#include <gtest/gtest.h>

#include "delivery/modifier_release.h"

namespace hop {
namespace {

using std::chrono::milliseconds;

TEST(ModifierRelease, WaitsForTheReleaseAndGivesUpAtTheBound) {
  const struct {
    int heldAsks;  // how many asks still find a modifier down
    bool released;
    milliseconds slept;
  } cases[] = {{0, true, milliseconds(0)},
               {3, true, milliseconds(30)},
               {200, true, milliseconds(2000)},  // let go on the last step inside the bound
               {201, false, milliseconds(2000)}};
  for (const auto& c : cases) {
    int asks = 0;
    milliseconds slept{0};
    EXPECT_EQ(WaitForRelease([&] { return asks++ < c.heldAsks; },
                             [&](milliseconds step) { slept += step; }),
              c.released);
    EXPECT_EQ(slept, c.slept) << c.heldAsks;
  }
}

}  // namespace
}  // namespace hop
