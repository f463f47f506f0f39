// What the user is told when a path did not arrive: the text of the tray balloon.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "delivery/path_delivery.h"

namespace hop {

// The balloon's title.
inline constexpr const wchar_t* kNoticeTitle = L"Hopdirs";
// A balloon shows at most 255 characters.
inline constexpr std::size_t kNoticeMaxLength = 255;

// The text for how a delivery of `path` ended; nothing when the path was delivered.
std::optional<std::wstring> DeliveryNotice(DeliveryOutcome outcome, std::wstring_view path);
// The text for a recent folder that could not be found when chosen, and was dropped.
std::wstring RecentGoneNotice(std::wstring_view path);

}  // namespace hop
