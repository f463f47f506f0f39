// The path menu the hotkey pops below a file dialog's file-name field, and its handling while
// it is open: the digits on every keyboard layout, and the dialog given back the foreground.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "model/menu_model.h"
#include "win32/unique_handle.h"

namespace hop {

// The menu's rows with their digits, then, when `addFolder` holds its caption, a separator and
// the item kAddFolderCommand.
win32::UniqueMenu BuildHotkeyMenu(const Menu& menu,
                                  const std::optional<std::wstring>& addFolder = std::nullopt);

class HotkeyMenu {
 public:
  // What was chosen: an entry of the menu, or the item that adds the dialog's folder.
  struct Pick {
    std::optional<Choice> choice;
    bool addFolder = false;
  };

  // Shows the menu below `field` of `dialog` (owned by `owner`, which is made the foreground
  // window so the menu closes when the user clicks elsewhere) and waits for a choice.
  Pick Pop(HWND owner, HWND dialog, HWND field, const Menu& menu,
           const std::optional<std::wstring>& addFolder);

  // The owner's answer to WM_MENUCHAR: a key of the digit row chooses the item with that digit
  // even where the keyboard layout types another character on it. The key is known by its
  // state while it is down, else by the layout of the dialog's thread (this thread's own may
  // not have followed a layout change). Nothing when no item has the digit.
  std::optional<LRESULT> OnMenuChar(WPARAM wParam, LPARAM lParam) const;

 private:
  HWND dialog_ = nullptr;  // while the menu is open
};

// The user goes on typing in the dialog: it gets the foreground back when the menu left it
// elsewhere (dismissed with no key sent, or the path not delivered).
void ReturnForeground(HWND dialog);

}  // namespace hop
