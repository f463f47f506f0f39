// The path menu as both menus show it: the heading and the paths, then one section per folder
// source (the folders open in Explorer, the recent folders, ...), each under its heading. Built
// once per popup; the rows carry their identifiers, and an identifier turns back into a choice.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/path_menu.h"

namespace hop {

// Where a chosen path comes from: what is done with it after the delivery differs.
enum class Origin { Favourite, OpenFolder, Recent };

struct Choice {
  std::wstring path;
  Origin origin = Origin::Favourite;
  bool operator==(const Choice&) const = default;
};

struct MenuSection {
  std::wstring heading;
  Origin origin = Origin::OpenFolder;
  std::vector<std::wstring> folders;  // in display order
  std::size_t limit = SIZE_MAX;       // how many it shows at most, once the repeats are out
};

// What a source is told when the menu opens.
struct SourceRead {
  std::chrono::steady_clock::time_point deadline;
  std::wstring program;  // the program the menu opens over ("" for the tray's)
};

// One section's supplier. A read that may block starts in Start (on a worker) so that every
// source of a menu reads at once; Collect returns what was read by the deadline.
class FolderSource {
 public:
  virtual ~FolderSource() = default;
  virtual void Start() {}
  virtual MenuSection Collect(const SourceRead& read) = 0;
};

// All sources of one menu together wait at most this long before it shows.
inline constexpr std::chrono::milliseconds kSourcesCap{150};

// Starts every source, then collects each by one deadline `cap` from now, in order.
std::vector<MenuSection> ReadSections(std::span<FolderSource* const> sources,
                                      const std::wstring& program,
                                      std::chrono::milliseconds cap = kSourcesCap);

struct MenuRow {
  enum class Kind { Heading, Separator, Entry };
  Kind kind = Kind::Entry;
  std::wstring text;  // as the menu draws it: ampersands doubled, the digit in front
  unsigned id = 0;    // entries only
  bool operator==(const MenuRow&) const = default;
};

class Menu {
 public:
  // Entry n (from 0, paths first, then the sections' folders) has identifier kFirstId + n.
  static constexpr unsigned kFirstId = 1001;
  static constexpr std::size_t kDigits = 10;

  // Leaves out of each section the folders already among the paths or listed above, and the
  // sections left empty.
  Menu(const PathMenu& paths, std::vector<MenuSection> sections);

  // The disabled heading, the paths, then per section a separator, its disabled heading and
  // its folders. With `digits`, the first ten entries start with "&1 " .. "&9 ", "&0 ".
  std::vector<MenuRow> Rows(bool digits) const;
  std::optional<Choice> ChoiceFor(unsigned id) const;
  std::size_t EntryCount() const { return choices_.size(); }

 private:
  std::wstring heading_;
  std::vector<MenuSection> sections_;
  std::vector<Choice> choices_;  // every entry, in identifier order
  std::size_t pathCount_ = 0;
};

// "&k " and the text as drawn, for k from 1 to 10 ("&0 " for the tenth); beyond, the text.
std::wstring DigitCaption(std::size_t k, std::wstring_view path);

}  // namespace hop
