// Whether the windows keep their designed colours or take the system's: with high contrast on or
// a dark colour scheme, a fixed light grey ground with black text would be unreadable or glaring.
#pragma once

#include <cstdint>

namespace hop {

// `windowColour` is the scheme's window background as 0x00BBGGRR. A scheme is dark when that
// background's brightness is below half.
bool UseSystemColours(bool highContrast, std::uint32_t windowColour);

}  // namespace hop
