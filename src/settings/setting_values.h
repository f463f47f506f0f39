// How the stored texts are read and written: the path count, the path keys and the Boolean.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace hop {

// Reads a stored count. Surrounding blanks are ignored; a whole number above 255 reads as 255 so
// that the first 255 paths survive; anything that is not a whole number reads as 0.
std::uint8_t ReadCount(std::wstring_view text);
// Reads a stored Boolean: True or False in any letter case, or a number (0 is false, any other
// number true). Anything else gives the fallback.
bool ReadBoolean(std::wstring_view text, bool fallback);

std::wstring CountText(std::uint8_t count);
std::wstring BooleanText(bool value);
// "Path" followed by the item number: Path1, Path2, ... Path255.
std::wstring PathKey(std::size_t k);

}  // namespace hop
