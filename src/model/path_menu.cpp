#include "model/path_menu.h"

namespace hop {

PathMenu::PathMenu() : items_{std::wstring(kHeading)} {}

bool PathMenu::AddMenuItem(const std::uint8_t& Pos, const std::wstring& Dest) {
  if (Pos == 0) return false;
  if (Pos < items_.size()) {
    items_[Pos] = Dest;
    return true;
  }
  if (Pos != items_.size() || PathCount() >= kMaxPaths) return false;
  items_.push_back(Dest);
  return true;
}

bool PathMenu::DeleteMenuItem(const std::uint8_t& Pos) {
  if (Pos == 0 || Pos >= items_.size()) return false;
  items_.erase(items_.begin() + Pos);
  return true;
}

const std::wstring& PathMenu::Caption(std::size_t index) const {
  static const std::wstring empty;
  return index < items_.size() ? items_[index] : empty;
}

void PathMenu::SetCaption(std::size_t index, std::wstring caption) {
  if (index >= 1 && index < items_.size()) items_[index] = std::move(caption);
}

std::vector<std::wstring> PathMenu::Paths() const {
  return {items_.begin() + 1, items_.end()};
}

std::wstring MenuDisplayText(std::wstring_view caption) {
  std::wstring text;
  text.reserve(caption.size());
  for (wchar_t c : caption) {
    if (c == L'&') text += L'&';
    text += c;
  }
  return text;
}

}  // namespace hop
