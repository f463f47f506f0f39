// The folders Explorer's windows show, as both path menus list them after the paths.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hop {

// One entry of the shell's window list: a window, or one tab of a window with tabs.
struct ShellFolder {
  std::wstring path;           // the file-system folder shown; empty for This PC, Libraries, ...
  std::size_t windowRank = 0;  // its window's place from the front: 0 is the foreground-most
  bool activeTab = true;       // the tab its window shows (a window without tabs has just one)
};

inline constexpr std::size_t kMaxOpenFolders = 15;
inline constexpr std::wstring_view kOpenFoldersHeading = L"Open in Explorer";
// Menu identifiers: folder j (from 0) is kFirstOpenFolderId + j, clear of every path's.
inline constexpr unsigned kFirstOpenFolderId = 2000;

// The folders to list: the front-most window first, each window's shown tab before its others;
// file-system folders only, each once and none that already is one of `paths` (the same folder
// whatever the case and a trailing backslash), at most kMaxOpenFolders.
std::vector<std::wstring> OpenFolders(std::vector<ShellFolder> shown,
                                      std::span<const std::wstring> paths);

// The folder a menu identifier stands for, when it is one of `folders`, with a trailing
// backslash.
std::optional<std::wstring> ChosenOpenFolder(unsigned id, std::span<const std::wstring> folders);

}  // namespace hop
