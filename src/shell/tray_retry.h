// When to try again to put the icon into the notification area after the shell refused it: at
// log-on Windows may start the program before the taskbar is there, and then no "TaskbarCreated"
// is sure to follow. The tries are frequent at first and stop after a few minutes (a taskbar
// that comes later still announces itself with "TaskbarCreated").
#pragma once

#include <cstdint>
#include <optional>

namespace hop {

// Milliseconds to wait before the next try, given how long ago the program started; nothing
// when it is time to give up.
std::optional<std::uint32_t> TrayRetryDelay(std::uint64_t sinceStartMs);

}  // namespace hop
