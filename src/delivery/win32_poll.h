// The one way the desktop waits for evidence: a short poll with a bound.
#pragma once

#include <windows.h>

#include <chrono>

namespace hop {

// Polls `done` every millisecond until it holds or `bound` has passed.
template <typename Done>
bool PollUntil(std::chrono::milliseconds bound, Done done) {
  const auto end = std::chrono::steady_clock::now() + bound;
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    ::Sleep(1);
  }
}

}  // namespace hop
