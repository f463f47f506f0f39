// The two popup menus of the main form, built from the current state each time they pop up.
#pragma once

#include <windows.h>

#include <optional>

#include "model/menu_model.h"
#include "win32/unique_handle.h"

namespace hop {

// Command identifiers of the configuration menu's items; the path menu's are the model's
// (Menu::kFirstId on).
enum MenuId : UINT {
  mnuList = 100,
  mnuClipboard = 101,
  mnuHotkey = 102,
  mnuAbout = 103,
  mnuExit = 104,
  mnuClearRecent = 105,
};

// The state the configuration menu shows.
struct ConfigState {
  bool clipboardChecked = true;
  bool anyRecent = false;
};

// The menus as they pop up; built afresh each time from the current state.
win32::UniqueMenu BuildConfigMenu(ConfigState state);
win32::UniqueMenu BuildPathMenu(const Menu& menu);

// Pops up "Configure" ("&List..." bold, "&Clipboard" with its check mark, "&Hotkey...",
// "Clear &recent folders" (disabled while there are none), a separator, "&About...", "E&xit")
// at `at`, or at the pointer when no point is given; returns the chosen identifier, 0 when
// dismissed.
UINT PopupConfigMenu(HWND owner, ConfigState state, std::optional<POINT> at = std::nullopt);
// Pops up the path menu: its heading, the paths, then its sections; returns the chosen
// identifier.
UINT PopupPathMenu(HWND owner, const Menu& menu, std::optional<POINT> at = std::nullopt);

}  // namespace hop
