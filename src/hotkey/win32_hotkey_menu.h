// Pops the hotkey's path menu below a file dialog's file-name field.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

#include "model/path_menu.h"
#include "win32/unique_handle.h"

namespace hop {

// The disabled heading, then one item per path with its digit (identifier k for path k), and,
// when `addFolder` holds its caption, a separator and the item kAddFolderCommand.
win32::UniqueMenu BuildHotkeyMenu(const PathMenu& paths,
                                  const std::optional<std::wstring>& addFolder = std::nullopt);

// Shows the menu below `field` (owned by `owner`, which is made the foreground window so the
// menu closes when the user clicks elsewhere) and waits for a choice: the chosen path's index,
// kAddFolderCommand, or 0 when the menu was dismissed.
std::size_t PopupHotkeyMenu(HWND owner, const PathMenu& paths, HWND field,
                            const std::optional<std::wstring>& addFolder = std::nullopt);

}  // namespace hop
