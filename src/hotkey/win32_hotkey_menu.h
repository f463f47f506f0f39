// Pops the hotkey's path menu below a file dialog's file-name field.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "model/path_menu.h"
#include "win32/unique_handle.h"

namespace hop {

// The disabled heading, then one item per path with its digit (identifier k for path k), then
// the folders open in Explorer, if any, with their section (identifiers from
// kFirstOpenFolderId), and, when `addFolder` holds its caption, a separator and the item
// kAddFolderCommand.
win32::UniqueMenu BuildHotkeyMenu(const PathMenu& paths, std::span<const std::wstring> folders = {},
                                  const std::optional<std::wstring>& addFolder = std::nullopt);

// Shows the menu below `field` (owned by `owner`, which is made the foreground window so the
// menu closes when the user clicks elsewhere) and waits for a choice: the chosen item's
// identifier (a path's index, an open folder's, kAddFolderCommand), 0 when it was dismissed.
std::size_t PopupHotkeyMenu(HWND owner, const PathMenu& paths,
                            std::span<const std::wstring> folders, HWND field,
                            const std::optional<std::wstring>& addFolder = std::nullopt);

// The owner's answer to WM_MENUCHAR: a key of the digit row chooses the item with that digit
// even where the keyboard layout types another character on it. The key is known by its
// state while it is down, else by the layout of `typingWindow`'s thread (the dialog's: this
// thread's own may not have followed a layout change). Nothing when no item has the digit.
std::optional<LRESULT> AnswerMenuChar(WPARAM wParam, LPARAM lParam, HWND typingWindow);

}  // namespace hop
