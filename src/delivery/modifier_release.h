// Keys are only sent once the user has let go of Ctrl, Alt, Shift and Win: a path typed while
// Alt is still down after the hotkey becomes Alt+letter mnemonics that press the dialog's
// own buttons, and Ctrl+Enter or Shift+Enter are not Enter.
#pragma once

#include <chrono>
#include <functional>

namespace hop {

struct ReleaseBounds {
  std::chrono::milliseconds bound{2000};  // the user is told past this
  std::chrono::milliseconds step{10};
};

// Asks `held` until it answers false, sleeping `step` between asks through `sleep`, for at
// most `bound` of sleep in all. True once nothing is held.
bool WaitForRelease(const std::function<bool()>& held,
                    const std::function<void(std::chrono::milliseconds)>& sleep,
                    ReleaseBounds bounds = {});

}  // namespace hop
