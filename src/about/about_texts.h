// The texts of the about box.
#pragma once

#include <cstdint>
#include <string>

namespace hop {

// The about box's specific information: the path count followed by " Hopdirs are available".
std::wstring AboutTextFor(std::uint8_t pathCount);

}  // namespace hop
