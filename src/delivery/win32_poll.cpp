#include "delivery/win32_poll.h"

#include <windows.h>

#include "win32/unique_handle.h"

namespace hop {
namespace {

constexpr auto kYieldFor = std::chrono::milliseconds(2);
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION  // Windows 10 1803 on; missing from older headers
constexpr DWORD CREATE_WAITABLE_TIMER_HIGH_RESOLUTION = 0x2;
#endif

// A timer that can wait one millisecond. Sleep(1) lasts a whole tick of the system timer, 15.6 ms
// on Windows unless some program raised its resolution; nothing when this system has none.
HANDLE MillisecondTimer() {
  thread_local const win32::UniqueKernelHandle timer(::CreateWaitableTimerExW(
      nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS));
  return timer.get();
}

}  // namespace

void PollPause(std::chrono::steady_clock::duration waited) {
  if (waited < kYieldFor) {
    ::SwitchToThread();
    return;
  }
  LARGE_INTEGER due{};
  due.QuadPart = -10'000;  // 1 ms, in 100 ns units, relative
  const HANDLE timer = MillisecondTimer();
  if (timer && ::SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
    ::WaitForSingleObject(timer, 20);  // bounded all the same
  } else {
    ::Sleep(1);
  }
}

}  // namespace hop
