#include "delivery/dialog_finder.h"

#include <limits>

#include "delivery/wildcard.h"

namespace hop {
namespace {

std::wstring Cut(std::wstring text) {
  if (text.size() > DialogFinder::kMaxTextLength) text.resize(DialogFinder::kMaxTextLength);
  return text;
}

}  // namespace

std::int16_t DialogFinder::FindWindowsByPattern(std::vector<WindowHandle>& FoundWindows,
                                                WindowHandle StartWindow,
                                                const std::wstring& TitlePattern,
                                                const std::wstring& ClassPattern,
                                                const std::optional<std::int32_t>& ControlId) {
  if (SearchDepth == 0) {
    FoundCount = 0;
    FoundWindows.assign(1, 0);
    if (StartWindow == 0) StartWindow = tree_.DesktopWindow();
  }
  ++SearchDepth;
  for (WindowHandle current = tree_.FirstChild(StartWindow); current != 0;
       current = tree_.NextSibling(current)) {
    FindWindowsByPattern(FoundWindows, current, TitlePattern, ClassPattern, ControlId);
    // The count is 16-bit: past its limit further matches are dropped rather than wrapping.
    if (FoundCount < std::numeric_limits<std::int16_t>::max() &&
        Matches(current, TitlePattern, ClassPattern, ControlId)) {
      ++FoundCount;
      FoundWindows.push_back(current);
    }
  }
  --SearchDepth;
  return FoundCount;
}

bool DialogFinder::Matches(WindowHandle window, const std::wstring& TitlePattern,
                           const std::wstring& ClassPattern,
                           const std::optional<std::int32_t>& ControlId) {
  // Every read is made for every window, as the walk is defined, even when an earlier one
  // already rules the window out.
  const std::wstring title = Cut(tree_.Title(window));
  const std::wstring className = Cut(tree_.ClassName(window));
  std::optional<std::int32_t> id;
  if (tree_.HasParent(window)) id = tree_.ControlId(window);
  if (title.empty()) return false;
  if (!WildcardMatch(title, TitlePattern) || !WildcardMatch(className, ClassPattern)) return false;
  return !ControlId || (id && *id == *ControlId);
}

}  // namespace hop
