#include "hotkey/win32_hotkey_menu.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "hotkey/add_folder.h"
#include "hotkey/hotkey_menu.h"
#include "win32/dpi.h"

namespace hop {
namespace {

ScreenRect ToScreenRect(const RECT& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

// The box the user sees as the field: the combo box an edit field sits in, if any.
HWND FieldBox(HWND field) {
  HWND box = field;
  for (HWND parent = ::GetParent(box); parent; parent = ::GetParent(box)) {
    wchar_t name[32] = {};
    ::GetClassNameW(parent, name, 32);
    if (std::wstring_view(name) != L"ComboBox" && std::wstring_view(name) != L"ComboBoxEx32") break;
    box = parent;
  }
  return box;
}

RECT WorkAreaAround(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

// The menu's size as the system will draw it, near enough to choose a side: the widest caption
// in the menu font beside the check-mark columns, and one row per item.
SIZE ExpectedMenuSize(HWND window, const PathMenu& paths,
                      const std::optional<std::wstring>& addFolder) {
  const UINT dpi = win32::DpiForWindow(window);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi);
  const win32::UniqueFont font(::CreateFontIndirectW(&metrics.lfMenuFont));
  const win32::WindowDC dc(nullptr);
  const win32::SelectedObject selected(dc.get(), font.get());
  TEXTMETRICW text{};
  ::GetTextMetricsW(dc.get(), &text);
  int widest = 0;
  const std::size_t rows = paths.PathCount() + (addFolder ? 2 : 1);
  for (std::size_t k = 0; k < rows; ++k) {
    const std::wstring caption = k == 0                   ? std::wstring(paths.Caption(0))
                                 : k <= paths.PathCount() ? AcceleratedCaption(k, paths.Caption(k))
                                                          : *addFolder;
    SIZE size{};
    ::GetTextExtentPoint32W(dc.get(), caption.c_str(), static_cast<int>(caption.size()), &size);
    widest = std::max(widest, static_cast<int>(size.cx));
  }
  const int check = ::GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi);
  const int row = std::max<int>(text.tmHeight + 4, ::GetSystemMetricsForDpi(SM_CYMENU, dpi) - 1);
  const int border = 2 * ::GetSystemMetricsForDpi(SM_CYEDGE, dpi) + 2;
  const int separator = addFolder ? ::GetSystemMetricsForDpi(SM_CYMENU, dpi) / 2 : 0;
  return {widest + 2 * check + 2 * border, row * static_cast<int>(rows) + separator + border};
}

}  // namespace

win32::UniqueMenu BuildHotkeyMenu(const PathMenu& paths,
                                  const std::optional<std::wstring>& addFolder) {
  win32::UniqueMenu menu(::CreatePopupMenu());
  if (!menu) return menu;
  const std::wstring heading(paths.Caption(0));
  ::AppendMenuW(menu.get(), MF_STRING | MF_GRAYED, 0, heading.c_str());
  for (std::size_t k = 1; k <= paths.PathCount(); ++k) {
    const std::wstring text = AcceleratedCaption(k, paths.Caption(k));
    ::AppendMenuW(menu.get(), MF_STRING, k, text.c_str());
  }
  if (addFolder) {
    ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu.get(), MF_STRING, kAddFolderCommand, addFolder->c_str());
  }
  return menu;
}

std::size_t PopupHotkeyMenu(HWND owner, const PathMenu& paths, HWND field,
                            const std::optional<std::wstring>& addFolder) {
  const win32::UniqueMenu menu = BuildHotkeyMenu(paths, addFolder);
  if (!menu) return 0;
  RECT fieldRect{};
  ::GetWindowRect(FieldBox(field), &fieldRect);
  // Browse for Folder's tree stands in for the field: the menu opens at its top-left corner.
  wchar_t name[32] = {};
  ::GetClassNameW(field, name, 32);
  if (std::wstring_view(name) == L"SysTreeView32") {
    fieldRect.right = fieldRect.left;
    fieldRect.bottom = fieldRect.top;
  }
  const SIZE size = ExpectedMenuSize(field, paths, addFolder);
  const MenuAnchor anchor = HotkeyMenuAnchor(ToScreenRect(fieldRect),
                                             ToScreenRect(WorkAreaAround(field)), size.cx, size.cy);
  UINT flags = TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY | TPM_VERTICAL;
  flags |= anchor.alignRight ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
  flags |= anchor.alignBottom ? TPM_BOTTOMALIGN : TPM_TOPALIGN;
  // Should the estimate be off, the system still keeps the menu off the field.
  TPMPARAMS keepClear{};
  keepClear.cbSize = sizeof(keepClear);
  keepClear.rcExclude = fieldRect;
  // The owner must be the foreground window or the menu would not close on a click elsewhere;
  // the WM_NULL afterwards lets the system finish its own tracking.
  ::SetForegroundWindow(owner);
  const auto chosen = static_cast<std::size_t>(
      ::TrackPopupMenuEx(menu.get(), flags, anchor.x, anchor.y, owner, &keepClear));
  ::PostMessageW(owner, WM_NULL, 0, 0);
  if (addFolder && chosen == kAddFolderCommand) return chosen;
  return chosen <= paths.PathCount() ? chosen : 0;
}

}  // namespace hop
