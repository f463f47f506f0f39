// Finds windows by title and class pattern anywhere below a start window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "delivery/window_tree.h"

namespace hop {

class DialogFinder {
 public:
  // Titles and class names are read into a 255-character buffer: at most 254 characters count.
  static constexpr std::size_t kMaxTextLength = 254;

  explicit DialogFinder(WindowTree& tree) : tree_(tree) {}

  // Walks the tree below StartWindow (0: the desktop, which is itself never tested), children
  // topmost first, each child's subtree before the child, and lists every titled window whose
  // title and class match the patterns and, when ControlId is given, whose identifier equals it.
  // FoundWindows[0] is 0 and the matches are at 1..count; the count is returned.
  std::int16_t FindWindowsByPattern(std::vector<WindowHandle>& FoundWindows,
                                    WindowHandle StartWindow, const std::wstring& TitlePattern,
                                    const std::wstring& ClassPattern,
                                    const std::optional<std::int32_t>& ControlId);

  // Calls active right now (0 between searches), and matches of the current or last search.
  std::int16_t SearchDepth = 0;
  std::int16_t FoundCount = 0;

 private:
  bool Matches(WindowHandle window, const std::wstring& TitlePattern,
               const std::wstring& ClassPattern, const std::optional<std::int32_t>& ControlId);

  WindowTree& tree_;
};

}  // namespace hop
