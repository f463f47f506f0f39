#include "explorer/open_folders.h"

#include <algorithm>

namespace hop {

std::vector<std::wstring> OpenFolders(std::vector<ShellFolder> shown,
                                      std::span<const std::wstring> paths) {
  // Stable: tabs of one window keep the shell's order after the shown one.
  std::stable_sort(shown.begin(), shown.end(), [](const ShellFolder& a, const ShellFolder& b) {
    if (a.windowRank != b.windowRank) return a.windowRank < b.windowRank;
    return a.activeTab && !b.activeTab;
  });
  std::vector<std::wstring> folders;
  const auto listed = [](const auto& list, const std::wstring& path) {
    return std::find(list.begin(), list.end(), path) != list.end();
  };
  for (const ShellFolder& entry : shown) {
    if (folders.size() == kMaxOpenFolders) break;
    if (entry.path.empty() || listed(paths, entry.path) || listed(folders, entry.path)) continue;
    folders.push_back(entry.path);
  }
  return folders;
}

std::optional<std::wstring> ChosenOpenFolder(unsigned id, std::span<const std::wstring> folders) {
  if (id < kFirstOpenFolderId || id - kFirstOpenFolderId >= folders.size()) return std::nullopt;
  return folders[id - kFirstOpenFolderId];
}

}  // namespace hop
