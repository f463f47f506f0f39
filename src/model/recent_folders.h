// The folders deliveries took file dialogs to, newest first, each once, with the program that
// owned the dialog; and the menus' "Recent" section made of them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/menu_model.h"

namespace hop {

struct RecentFolder {
  std::wstring folder;
  std::wstring program;  // the dialog owner's file name ("notepad.exe"); may be empty
  bool operator==(const RecentFolder&) const = default;
};

class RecentFolders {
 public:
  static constexpr std::size_t kDefaultMax = 8;
  static constexpr std::size_t kMaxLimit = 50;

  // At most `max` folders (kMaxLimit at most); 0 keeps none.
  explicit RecentFolders(std::size_t max = kDefaultMax) : max_(std::min(max, kMaxLimit)) {}

  // Puts the folder first (the same folder listed before is taken out). True when the list
  // changed.
  bool Record(std::wstring_view folder, std::wstring_view program);
  bool Drop(std::wstring_view folder);
  bool Clear();

  const std::vector<RecentFolder>& Entries() const { return entries_; }
  std::size_t Max() const { return max_; }
  // The folders, those recorded with `program` (any case) first, each part newest first.
  std::vector<std::wstring> FoldersFor(std::wstring_view program) const;

 private:
  std::size_t max_;
  std::vector<RecentFolder> entries_;
};

inline constexpr std::wstring_view kRecentHeading = L"Recent";

// The folder a delivery left the dialog in: the path for a folder, its parent for a file.
std::wstring ArrivedFolder(std::wstring_view path, bool isFile);

// The "Recent" section: read from memory, never from the disk.
class RecentSource final : public FolderSource {
 public:
  explicit RecentSource(const RecentFolders& recent) : recent_(recent) {}
  MenuSection Collect(const SourceRead& read) override;

 private:
  const RecentFolders& recent_;
};

}  // namespace hop
