// Work that may block for long (a clipboard owner rendering its contents, an offline share)
// run on a thread of the system's pool and waited for within a bound.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace hop::win32 {

class BoundedWork {
 public:
  // Starts `work` on a pool thread. Work past its bound is left to finish alone, so everything
  // it touches must be its own: captured by value or by shared pointer, never by reference.
  explicit BoundedWork(std::function<void()> work);
  // Waits up to `bound` for the work; false when it did not finish in time or never started.
  bool Wait(std::chrono::milliseconds bound) const;

  struct Job;  // shared with the pool thread

 private:
  std::shared_ptr<Job> job_;
};

// Starts the work and waits for it.
inline bool RunWithin(std::chrono::milliseconds bound, std::function<void()> work) {
  return BoundedWork(std::move(work)).Wait(bound);
}

}  // namespace hop::win32
