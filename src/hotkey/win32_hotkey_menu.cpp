#include "hotkey/win32_hotkey_menu.h"

#include <algorithm>
#include <string>

#include "hotkey/hotkey_menu.h"
#include "win32/dpi.h"
#include "win32/window_queries.h"

namespace hop {
namespace {

ScreenRect ToScreenRect(const RECT& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

// The box the user sees as the field: the combo box an edit field sits in, if any.
HWND FieldBox(HWND field) {
  HWND box = field;
  for (HWND parent = ::GetParent(box); parent; parent = ::GetParent(box)) {
    const std::wstring name = win32::ClassName(parent);
    if (name != L"ComboBox" && name != L"ComboBoxEx32") break;
    box = parent;
  }
  return box;
}

// The menu's size as the system will draw it, near enough to choose a side: the widest caption
// in the menu font beside the check-mark columns, and one row per item.
SIZE ExpectedMenuSize(HWND window, const PathMenu& paths) {
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
  for (std::size_t k = 0; k <= paths.PathCount(); ++k) {
    const std::wstring caption =
        k == 0 ? std::wstring(paths.Caption(0)) : AcceleratedCaption(k, paths.Caption(k));
    SIZE size{};
    ::GetTextExtentPoint32W(dc.get(), caption.c_str(), static_cast<int>(caption.size()), &size);
    widest = std::max(widest, static_cast<int>(size.cx));
  }
  const int check = ::GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi);
  const int row = std::max<int>(text.tmHeight + 4, ::GetSystemMetricsForDpi(SM_CYMENU, dpi) - 1);
  const int border = 2 * ::GetSystemMetricsForDpi(SM_CYEDGE, dpi) + 2;
  return {widest + 2 * check + 2 * border, row * (paths.PathCount() + 1) + border};
}

}  // namespace

win32::UniqueMenu BuildHotkeyMenu(const PathMenu& paths) {
  win32::UniqueMenu menu(::CreatePopupMenu());
  if (!menu) return menu;
  const std::wstring heading(paths.Caption(0));
  ::AppendMenuW(menu.get(), MF_STRING | MF_GRAYED, 0, heading.c_str());
  for (std::size_t k = 1; k <= paths.PathCount(); ++k) {
    const std::wstring text = AcceleratedCaption(k, paths.Caption(k));
    ::AppendMenuW(menu.get(), MF_STRING, k, text.c_str());
  }
  return menu;
}

std::size_t PopupHotkeyMenu(HWND owner, const PathMenu& paths, HWND field) {
  const win32::UniqueMenu menu = BuildHotkeyMenu(paths);
  if (!menu) return 0;
  RECT fieldRect{};
  ::GetWindowRect(FieldBox(field), &fieldRect);
  const SIZE size = ExpectedMenuSize(field, paths);
  const MenuAnchor anchor = HotkeyMenuAnchor(
      ToScreenRect(fieldRect), ToScreenRect(win32::WorkAreaOf(field)), size.cx, size.cy);
  UINT placement = TPM_VERTICAL;
  placement |= anchor.alignRight ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
  placement |= anchor.alignBottom ? TPM_BOTTOMALIGN : TPM_TOPALIGN;
  // Should the estimate be off, the system still keeps the menu off the field.
  const std::size_t chosen =
      win32::TrackMenu(owner, menu.get(), POINT{anchor.x, anchor.y}, placement, &fieldRect);
  return chosen <= paths.PathCount() ? chosen : 0;
}

}  // namespace hop
