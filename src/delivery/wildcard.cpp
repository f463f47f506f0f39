#include "delivery/wildcard.h"

namespace hop {

// Linear-space matching with one backtrack point: on a mismatch the most recent "*" takes one
// more character. Runs in O(text * pattern) at worst and never recurses.
bool WildcardMatch(std::wstring_view text, std::wstring_view pattern) {
  std::size_t t = 0;
  std::size_t p = 0;
  std::size_t starP = std::wstring_view::npos;
  std::size_t starT = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == L'*') {
      starP = p++;
      starT = t;
    } else if (p < pattern.size() && pattern[p] == text[t]) {
      ++p;
      ++t;
    } else if (starP != std::wstring_view::npos) {
      p = starP + 1;
      t = ++starT;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

}  // namespace hop
