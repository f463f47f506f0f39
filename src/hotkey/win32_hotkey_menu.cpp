#include "hotkey/win32_hotkey_menu.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "explorer/open_folders.h"
#include "explorer/win32_open_folders_menu.h"
#include "hotkey/add_folder.h"
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
// in the menu font beside the check-mark columns, and one row per item (a separator counted as
// one too).
SIZE ExpectedMenuSize(HWND window, const PathMenu& paths, std::span<const std::wstring> captions,
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
  const auto widen = [&](std::wstring_view caption) {
    SIZE size{};
    ::GetTextExtentPoint32W(dc.get(), caption.data(), static_cast<int>(caption.size()), &size);
    widest = std::max(widest, static_cast<int>(size.cx));
  };
  widen(paths.Caption(0));
  for (const std::wstring& caption : captions) widen(caption);
  const std::size_t section = captions.size() > paths.PathCount() ? 2 : 0;
  const int check = ::GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi);
  const int row = std::max<int>(text.tmHeight + 4, ::GetSystemMetricsForDpi(SM_CYMENU, dpi) - 1);
  const int border = 2 * ::GetSystemMetricsForDpi(SM_CYEDGE, dpi) + 2;
  const auto rows = static_cast<int>(captions.size() + 1 + section + (addFolder ? 2 : 0));
  return {widest + 2 * check + 2 * border, row * rows + border};
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

win32::UniqueMenu BuildHotkeyMenu(const PathMenu& paths, std::span<const std::wstring> folders,
                                  const std::optional<std::wstring>& addFolder) {
  win32::UniqueMenu menu(::CreatePopupMenu());
  if (!menu) return menu;
  const std::wstring heading(paths.Caption(0));
  ::AppendMenuW(menu.get(), MF_STRING | MF_GRAYED, 0, heading.c_str());
  const std::vector<std::wstring> captions = HotkeyMenuCaptions(paths, folders);
  const std::span<const std::wstring> all(captions);
  for (std::size_t k = 1; k <= paths.PathCount(); ++k)
    ::AppendMenuW(menu.get(), MF_STRING, k, all[k - 1].c_str());
  AppendOpenFolders(menu.get(), all.subspan(paths.PathCount()));
  if (addFolder) {
    ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu.get(), MF_STRING, kAddFolderCommand, addFolder->c_str());
  }
  return menu;
}

std::size_t PopupHotkeyMenu(HWND owner, const PathMenu& paths,
                            std::span<const std::wstring> folders, HWND field,
                            const std::optional<std::wstring>& addFolder) {
  const win32::UniqueMenu menu = BuildHotkeyMenu(paths, folders, addFolder);
  if (!menu) return 0;
  RECT fieldRect{};
  ::GetWindowRect(FieldBox(field), &fieldRect);
  // Browse for Folder's tree stands in for the field: the menu opens at its top-left corner.
  if (win32::ClassName(field) == L"SysTreeView32") {
    fieldRect.right = fieldRect.left;
    fieldRect.bottom = fieldRect.top;
  }
  const SIZE size = ExpectedMenuSize(field, paths, HotkeyMenuCaptions(paths, folders), addFolder);
  const MenuAnchor anchor = HotkeyMenuAnchor(
      ToScreenRect(fieldRect), ToScreenRect(win32::WorkAreaOf(field)), size.cx, size.cy);
  UINT placement = TPM_VERTICAL;
  placement |= anchor.alignRight ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
  placement |= anchor.alignBottom ? TPM_BOTTOMALIGN : TPM_TOPALIGN;
  // Should the estimate be off, the system still keeps the menu off the field.
  const auto chosen = static_cast<std::size_t>(
      win32::TrackMenu(owner, menu.get(), POINT{anchor.x, anchor.y}, placement, &fieldRect));
  if (addFolder && chosen == kAddFolderCommand) return chosen;
  const bool known =
      chosen <= paths.PathCount() || ChosenOpenFolder(static_cast<UINT>(chosen), folders);
  return known ? chosen : 0;
}

}  // namespace hop
