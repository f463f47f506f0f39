#include "shell/popup_menus.h"

#include <vector>

#include "explorer/win32_open_folders_menu.h"
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

win32::UniqueMenu BuildConfigMenu(bool clipboardChecked) {
  win32::UniqueMenu menu(::CreatePopupMenu());
  if (!menu) return menu;
  ::AppendMenuW(menu.get(), MF_STRING, mnuList, L"&List...");
  ::AppendMenuW(menu.get(), MF_STRING | (clipboardChecked ? MF_CHECKED : MF_UNCHECKED),
                mnuClipboard, L"&Clipboard");
  ::AppendMenuW(menu.get(), MF_STRING, mnuHotkey, L"&Hotkey...");
  ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);  // CSep2
  ::AppendMenuW(menu.get(), MF_STRING, mnuAbout, L"&About...");
  ::AppendMenuW(menu.get(), MF_STRING, mnuExit, L"E&xit");
  ::SetMenuDefaultItem(menu.get(), mnuList, FALSE);
  return menu;
}

win32::UniqueMenu BuildPathMenu(const PathMenu& paths, std::span<const std::wstring> folders) {
  win32::UniqueMenu menu(::CreatePopupMenu());
  if (!menu) return menu;
  for (std::size_t k = 0; k <= paths.PathCount(); ++k) {
    const UINT state = paths.IsEnabled(k) ? MF_ENABLED : MF_GRAYED;
    const std::wstring text = MenuDisplayText(paths.Caption(k));
    ::AppendMenuW(menu.get(), MF_STRING | state, mnuPath + k, text.c_str());
  }
  std::vector<std::wstring> captions;
  for (const std::wstring& folder : folders) captions.push_back(MenuDisplayText(folder));
  AppendOpenFolders(menu.get(), captions);
  return menu;
}

UINT PopupConfigMenu(HWND owner, bool clipboardChecked, std::optional<POINT> at) {
  const win32::UniqueMenu menu = BuildConfigMenu(clipboardChecked);
  return menu ? Track(owner, menu.get(), at) : 0;
}

UINT PopupPathMenu(HWND owner, const PathMenu& paths, std::span<const std::wstring> folders,
                   std::optional<POINT> at) {
  const win32::UniqueMenu menu = BuildPathMenu(paths, folders);
  return menu ? Track(owner, menu.get(), at) : 0;
}

}  // namespace hop
