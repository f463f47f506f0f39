// The two popup menus of the main form, built from the current state each time they pop up.
#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string>

#include "model/path_menu.h"
#include "win32/unique_handle.h"

namespace hop {

// Command identifiers of the menu items. mnuPath element k has identifier mnuPath + k.
enum MenuId : UINT {
  mnuList = 100,
  mnuClipboard = 101,
  mnuHotkey = 102,
  mnuAbout = 103,
  mnuExit = 104,
  mnuPath = 1000,
};

// The menus as they pop up; built afresh each time from the current state.
win32::UniqueMenu BuildConfigMenu(bool clipboardChecked);
win32::UniqueMenu BuildPathMenu(const PathMenu& paths, std::span<const std::wstring> folders = {});

// Pops up "Configure" ("&List..." bold, "&Clipboard" with its check mark, "&Hotkey...", a
// separator, "&About...", "E&xit") at `at`, or at the pointer when no point is given; returns the
// chosen identifier, 0 when dismissed.
UINT PopupConfigMenu(HWND owner, bool clipboardChecked, std::optional<POINT> at = std::nullopt);
// Pops up "Folders": the disabled heading, one item per path, then the folders open in Explorer
// with their section, if any; returns the chosen identifier.
UINT PopupPathMenu(HWND owner, const PathMenu& paths, std::span<const std::wstring> folders,
                   std::optional<POINT> at = std::nullopt);

}  // namespace hop
