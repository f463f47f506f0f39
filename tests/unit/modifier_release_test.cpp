// Keys wait for the user's modifiers to be let go, within a bound.
#include <gtest/gtest.h>

#include "delivery/modifier_release.h"

namespace hop {
namespace {

using std::chrono::milliseconds;

TEST(ModifierRelease, WaitsForTheReleaseAndGivesUpAtTheBound) {
  const struct {
    int heldAsks;  // how many asks still find a modifier down
    ReleaseBounds bounds;
    bool released;
    milliseconds slept;
    const char* row;
  } cases[] = {
      {0, {}, true, milliseconds(0), "nothing held: no wait at all"},
      {3, {}, true, milliseconds(30), "let go after three steps"},
      {200, {}, true, milliseconds(2000), "let go on the last step inside the bound"},
      {201, {}, false, milliseconds(2000), "held past the bound: given up"},
      {1000000,
       {milliseconds(25), milliseconds(10)},
       false,
       milliseconds(20),
       "a step that would pass the bound is not taken"},
      {1, {milliseconds(0), milliseconds(10)}, false, milliseconds(0), "no bound: no wait"},
  };
  for (const auto& c : cases) {
    int asks = 0;
    milliseconds slept{0};
    const bool released = WaitForRelease([&] { return asks++ < c.heldAsks; },
                                         [&](milliseconds ms) { slept += ms; }, c.bounds);
    EXPECT_EQ(released, c.released) << c.row;
    EXPECT_EQ(slept, c.slept) << c.row;
  }
}

}  // namespace
}  // namespace hop
