// The hotkey menu's last item: adding the folder the file dialog shows to the path list.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/path_menu.h"

namespace hop {

// The identifier of "&Add <folder>" in the hotkey's menu: past every path's index.
constexpr std::size_t kAddFolderCommand = PathMenu::kMaxPaths + 1;

// A folder as the list stores it: with one trailing backslash.
std::wstring StoredFolder(std::wstring_view folder);

// The caption of the item that adds `folder` (the file-system folder the dialog shows, nothing
// when it could not be read): "&Add " and the stored folder, its ampersands doubled. Nothing
// when there is no folder or the editor's Add would refuse it (listed already, list full).
std::optional<std::wstring> AddFolderCaption(const PathMenu& paths,
                                             const std::optional<std::wstring>& folder);

// The path in an address bar's text, "Address: C:\Users\me" (the prefix is localized): from
// the first drive ("C:\") or share ("\\") on. Nothing when the text names no such path.
std::optional<std::wstring> AddressBarPath(std::wstring_view text);

// A folder the shell knows by a friendly name in the user's language ("Downloads"), and where
// it is.
struct KnownFolder {
  std::wstring name, path;
};

// The known folder an address bar names by its friendly name after a localized prefix
// ("Address: Downloads", "位址: 下載"): the whole text after the prefix's colon. Nothing when
// it names none.
std::optional<std::wstring> AddressBarKnownFolder(std::wstring_view text,
                                                  std::span<const KnownFolder> known);

// The path of a folder tree's item from its text and its ancestors' texts, nearest first:
// the names below the nearest item that names a drive, "C:\" or "Local Disk (C:)". Nothing
// when no ancestor names one (the desktop, a library).
std::optional<std::wstring> TreeItemPath(const std::vector<std::wstring>& selfAndAncestors);

}  // namespace hop
