#include "explorer/open_folders.h"

#include <algorithm>

#include "model/same_folder.h"

namespace hop {

std::vector<std::wstring> OpenFolders(std::vector<ShellFolder> shown) {
  // Stable: tabs of one window keep the shell's order after the shown one.
  std::stable_sort(shown.begin(), shown.end(), [](const ShellFolder& a, const ShellFolder& b) {
    if (a.windowRank != b.windowRank) return a.windowRank < b.windowRank;
    return a.activeTab && !b.activeTab;
  });
  std::vector<std::wstring> folders;
  const auto listed = [&](const std::wstring& path) {
    return std::any_of(folders.begin(), folders.end(),
                       [&](const std::wstring& p) { return SameFolder(p, path); });
  };
  for (const ShellFolder& entry : shown) {
    if (!entry.path.empty() && !listed(entry.path)) folders.push_back(entry.path);
  }
  return folders;
}

}  // namespace hop
