#include "shell/tray_retry.h"

namespace hop {
namespace {
constexpr std::uint64_t kQuickPhaseMs = 30'000;  // a taskbar usually follows within seconds
constexpr std::uint64_t kGiveUpMs = 5 * 60'000;
constexpr std::uint32_t kQuickDelayMs = 1'000;
constexpr std::uint32_t kSlowDelayMs = 10'000;
}  // namespace

std::optional<std::uint32_t> TrayRetryDelay(std::uint64_t sinceStartMs) {
  if (sinceStartMs >= kGiveUpMs) return std::nullopt;
  return sinceStartMs < kQuickPhaseMs ? kQuickDelayMs : kSlowDelayMs;
}

}  // namespace hop
