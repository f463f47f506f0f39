// Whole-text wildcard matching for window titles and class names.
#pragma once

#include <string_view>

namespace hop {

// True when pattern covers all of text: "*" stands for any run of characters (also none), every
// other character for itself, compared case-sensitively.
bool WildcardMatch(std::wstring_view text, std::wstring_view pattern);

}  // namespace hop
