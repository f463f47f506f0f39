#include "model/recent_folders.h"

#include <algorithm>

#include "model/same_folder.h"

namespace hop {

bool RecentFolders::Record(std::wstring_view folder, std::wstring_view program) {
  if (max_ == 0 || folder.empty()) return false;
  const RecentFolder entry{std::wstring(folder), std::wstring(program)};
  if (!entries_.empty() && entries_.front() == entry) return false;
  Drop(folder);
  entries_.insert(entries_.begin(), entry);
  if (entries_.size() > max_) entries_.resize(max_);
  return true;
}

bool RecentFolders::Drop(std::wstring_view folder) {
  return std::erase_if(entries_,
                       [&](const RecentFolder& e) { return SameFolder(e.folder, folder); }) > 0;
}

bool RecentFolders::Clear() {
  const bool had = !entries_.empty();
  entries_.clear();
  return had;
}

std::vector<std::wstring> RecentFolders::FoldersFor(std::wstring_view program) const {
  std::vector<RecentFolder> ordered = entries_;
  std::stable_partition(ordered.begin(), ordered.end(), [&](const RecentFolder& e) {
    return !program.empty() && SameFolder(e.program, program);
  });
  std::vector<std::wstring> folders;
  for (RecentFolder& e : ordered) folders.push_back(std::move(e.folder));
  return folders;
}

std::wstring ArrivedFolder(std::wstring_view path, bool isFile) {
  if (!isFile) return std::wstring(path);
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring_view::npos) return {};
  // A file in a drive's root keeps the root's backslash: "C:" alone is another place.
  const bool root = slash == 2 && path[1] == L':';
  return std::wstring(path.substr(0, root ? slash + 1 : slash));
}

MenuSection RecentSource::Collect(const SourceRead& read) {
  return {std::wstring(kRecentHeading), Origin::Recent, recent_.FoldersFor(read.program)};
}

}  // namespace hop
