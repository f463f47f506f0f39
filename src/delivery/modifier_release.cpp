#include "delivery/modifier_release.h"

namespace hop {

bool WaitForRelease(const std::function<bool()>& held,
                    const std::function<void(std::chrono::milliseconds)>& sleep,
                    ReleaseBounds bounds) {
  std::chrono::milliseconds slept{0};
  while (held()) {
    if (slept + bounds.step > bounds.bound) return false;
    sleep(bounds.step);
    slept += bounds.step;
  }
  return true;
}

}  // namespace hop
