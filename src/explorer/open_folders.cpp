#include "explorer/open_folders.h"

#include <algorithm>
#include <cwctype>

namespace hop {
namespace {

// Explorer shows "C:\x" where the user may have stored "C:\x\" or "c:\X": Windows' folder
// names ignore case, and a trailing backslash names the same folder.
std::wstring FolderKey(std::wstring_view path) {
  while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/')) path.remove_suffix(1);
  std::wstring key;
  for (wchar_t c : path) key += static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
  return key;
}

}  // namespace

std::vector<std::wstring> OpenFolders(std::vector<ShellFolder> shown,
                                      std::span<const std::wstring> paths) {
  // Stable: tabs of one window keep the shell's order after the shown one.
  std::stable_sort(shown.begin(), shown.end(), [](const ShellFolder& a, const ShellFolder& b) {
    if (a.windowRank != b.windowRank) return a.windowRank < b.windowRank;
    return a.activeTab && !b.activeTab;
  });
  std::vector<std::wstring> folders;
  const auto listed = [](const auto& list, const std::wstring& path) {
    return std::any_of(list.begin(), list.end(),
                       [&](const std::wstring& p) { return FolderKey(p) == FolderKey(path); });
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
  // Handed on as a folder, with its backslash: a path that has become a file since (or an
  // archive the shell browsed into) then checks as missing and is never opened as a file.
  std::wstring folder = folders[id - kFirstOpenFolderId];
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  return folder;
}

}  // namespace hop
