#include "hotkey/win32_hotkey_menu.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

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

std::optional<wchar_t> DigitTyped(wchar_t typed, HWND typingWindow) {
  for (const std::uint16_t key : {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'}) {
    if (::GetKeyState(key) & 0x8000) return DigitOfKey(key);
  }
  const DWORD thread = typingWindow ? ::GetWindowThreadProcessId(typingWindow, nullptr) : 0;
  const SHORT scan = ::VkKeyScanExW(typed, ::GetKeyboardLayout(thread));
  // Only the bare key: Shift+digit is the digit itself on AZERTY and matched by the menu.
  if (scan == -1 || HIBYTE(scan) != 0) return std::nullopt;
  return DigitOfKey(LOBYTE(scan));
}

std::vector<std::wstring> Captions(HMENU menu) {
  std::vector<std::wstring> captions;
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[300] = {};
    ::GetMenuStringW(menu, static_cast<UINT>(i), text, 300, MF_BYPOSITION);
    captions.emplace_back(text);
  }
  return captions;
}

}  // namespace

std::optional<LRESULT> AnswerMenuChar(WPARAM wParam, LPARAM lParam, HWND typingWindow) {
  if (!(HIWORD(wParam) & MF_POPUP)) return std::nullopt;
  const auto digit = DigitTyped(static_cast<wchar_t>(LOWORD(wParam)), typingWindow);
  if (!digit) return std::nullopt;
  const auto item = ItemWithDigit(Captions(reinterpret_cast<HMENU>(lParam)), *digit);
  if (!item) return std::nullopt;
  return MAKELRESULT(static_cast<WORD>(*item), MNC_EXECUTE);
}

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
  // Browse for Folder's tree stands in for the field: the menu opens at its top-left corner.
  wchar_t name[32] = {};
  ::GetClassNameW(field, name, 32);
  if (std::wstring_view(name) == L"SysTreeView32") {
    fieldRect.right = fieldRect.left;
    fieldRect.bottom = fieldRect.top;
  }
  const SIZE size = ExpectedMenuSize(field, paths);
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
  return chosen <= paths.PathCount() ? chosen : 0;
}

}  // namespace hop
