// The one way the desktop waits for evidence: a short poll with a bound.
#pragma once

#include <chrono>

namespace hop {

// Lets the other threads run; a wait of about a millisecond once `waited` is past the first
// few, in which most evidence arrives.
void PollPause(std::chrono::steady_clock::duration waited);

// Polls `done` until it holds or `bound` has passed.
template <typename Done>
bool PollUntil(std::chrono::milliseconds bound, Done done) {
  const auto start = std::chrono::steady_clock::now();
  for (;;) {
    if (done()) return true;
    const auto waited = std::chrono::steady_clock::now() - start;
    if (waited >= bound) return false;
    PollPause(waited);
  }
}

}  // namespace hop
