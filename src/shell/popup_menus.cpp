#include "shell/popup_menus.h"

#include "model/win32_menu.h"
#include "win32/unique_handle.h"
#include "win32/window_queries.h"

namespace hop {
namespace {

// Shows the menu at `anchor`, or at the pointer when the mouse asked for it.
UINT Track(HWND owner, HMENU menu, std::optional<POINT> anchor) {
  POINT at{};
  if (anchor) {
    at = *anchor;
  } else {
    ::GetCursorPos(&at);
  }
  return win32::TrackMenu(owner, menu, at);
}

}  // namespace

win32::UniqueMenu BuildConfigMenu(ConfigState state) {
  win32::UniqueMenu menu(::CreatePopupMenu());
  if (!menu) return menu;
  ::AppendMenuW(menu.get(), MF_STRING, mnuList, L"&List...");
  ::AppendMenuW(menu.get(), MF_STRING | (state.clipboardChecked ? MF_CHECKED : MF_UNCHECKED),
                mnuClipboard, L"&Clipboard");
  ::AppendMenuW(menu.get(), MF_STRING, mnuHotkey, L"&Hotkey...");
  ::AppendMenuW(menu.get(), MF_STRING | (state.anyRecent ? MF_ENABLED : MF_GRAYED), mnuClearRecent,
                L"Clear &recent folders");
  ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);  // CSep2
  ::AppendMenuW(menu.get(), MF_STRING, mnuAbout, L"&About...");
  ::AppendMenuW(menu.get(), MF_STRING, mnuExit, L"E&xit");
  ::SetMenuDefaultItem(menu.get(), mnuList, FALSE);
  return menu;
}

win32::UniqueMenu BuildPathMenu(const Menu& menu) {
  return RenderMenu(menu.Rows(false));
}

UINT PopupConfigMenu(HWND owner, ConfigState state, std::optional<POINT> at) {
  const win32::UniqueMenu menu = BuildConfigMenu(state);
  return menu ? Track(owner, menu.get(), at) : 0;
}

UINT PopupPathMenu(HWND owner, const Menu& menu, std::optional<POINT> at) {
  const win32::UniqueMenu popup = BuildPathMenu(menu);
  return popup ? Track(owner, popup.get(), at) : 0;
}

}  // namespace hop
