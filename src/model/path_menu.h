// The path menu of the main form: the one in-memory copy of the user's path list.
//
// Element 0 of the mnuPath array is the fixed, disabled heading; elements 1..PathCount carry the
// paths in index order. PathCount is derived from the elements, so it can never drift from them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hop {

class PathMenu {
 public:
  static constexpr std::wstring_view kHeading = L"Available Hopdirs...";
  static constexpr std::size_t kMaxPaths = 255;

  PathMenu();

  // Creates element Pos (a copy of the heading), captions it Dest and enables it. Pos must be the
  // next free index; an index that exists already gets the new caption; anything else (0, a gap,
  // a 256th path) is ignored and reported by the return value.
  bool AddMenuItem(const std::uint8_t& Pos, const std::wstring& Dest);
  // Destroys element Pos. The heading (0) and indices that do not exist are ignored.
  bool DeleteMenuItem(const std::uint8_t& Pos);

  std::uint8_t PathCount() const { return static_cast<std::uint8_t>(items_.size() - 1); }

  // Caption of element index (0 is the heading); an index past the end reads as empty text.
  const std::wstring& Caption(std::size_t index) const;
  // Rewrites the caption of an existing path element (not the heading).
  void SetCaption(std::size_t index, std::wstring caption);
  bool IsEnabled(std::size_t index) const { return index >= 1 && index < items_.size(); }

  // The paths, element 1 first.
  std::vector<std::wstring> Paths() const;

 private:
  std::vector<std::wstring> items_;
};

// The text a menu shows for a caption: "&" doubled so it is drawn literally instead of marking
// a mnemonic.
std::wstring MenuDisplayText(std::wstring_view caption);

}  // namespace hop
