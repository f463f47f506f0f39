#include "hotkey/win32_hotkey_menu.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "hotkey/add_folder.h"
#include "hotkey/hotkey_menu.h"
#include "model/win32_menu.h"
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

// The menu's size as the system will draw it, near enough to choose a side: the widest caption
// in the menu font beside the check-mark columns, and one row per item (a separator counted as
// one too).
SIZE ExpectedMenuSize(HWND window, HMENU menu) {
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
  const std::vector<std::wstring> captions = Captions(menu);
  for (const std::wstring& caption : captions) {
    SIZE size{};
    ::GetTextExtentPoint32W(dc.get(), caption.data(), static_cast<int>(caption.size()), &size);
    widest = std::max(widest, static_cast<int>(size.cx));
  }
  const int check = ::GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi);
  const int row = std::max<int>(text.tmHeight + 4, ::GetSystemMetricsForDpi(SM_CYMENU, dpi) - 1);
  const int border = 2 * ::GetSystemMetricsForDpi(SM_CYEDGE, dpi) + 2;
  const auto rows = static_cast<int>(captions.size());
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

}  // namespace

std::optional<LRESULT> HotkeyMenu::OnMenuChar(WPARAM wParam, LPARAM lParam) const {
  if (!dialog_ || !(HIWORD(wParam) & MF_POPUP)) return std::nullopt;
  const auto digit = DigitTyped(static_cast<wchar_t>(LOWORD(wParam)), dialog_);
  if (!digit) return std::nullopt;
  const auto item = ItemWithDigit(Captions(reinterpret_cast<HMENU>(lParam)), *digit);
  if (!item) return std::nullopt;
  return MAKELRESULT(static_cast<WORD>(*item), MNC_EXECUTE);
}

win32::UniqueMenu BuildHotkeyMenu(const Menu& menu, const std::optional<std::wstring>& addFolder) {
  win32::UniqueMenu popup = RenderMenu(menu.Rows(true));
  if (popup && addFolder) {
    ::AppendMenuW(popup.get(), MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(popup.get(), MF_STRING, kAddFolderCommand, addFolder->c_str());
  }
  return popup;
}

HotkeyMenu::Pick HotkeyMenu::Pop(HWND owner, HWND dialog, HWND field, const Menu& menu,
                                 const std::optional<std::wstring>& addFolder) {
  const win32::UniqueMenu popup = BuildHotkeyMenu(menu, addFolder);
  if (!popup) return {};
  RECT fieldRect{};
  ::GetWindowRect(FieldBox(field), &fieldRect);
  // Browse for Folder's tree stands in for the field: the menu opens at its top-left corner.
  if (win32::ClassName(field) == L"SysTreeView32") {
    fieldRect.right = fieldRect.left;
    fieldRect.bottom = fieldRect.top;
  }
  const SIZE size = ExpectedMenuSize(field, popup.get());
  const MenuAnchor anchor = HotkeyMenuAnchor(
      ToScreenRect(fieldRect), ToScreenRect(win32::WorkAreaOf(field)), size.cx, size.cy);
  UINT placement = TPM_VERTICAL;
  placement |= anchor.alignRight ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
  placement |= anchor.alignBottom ? TPM_BOTTOMALIGN : TPM_TOPALIGN;
  dialog_ = dialog;  // whose keyboard layout tells the digit keys
  // Should the estimate be off, the system still keeps the menu off the field.
  const UINT chosen =
      win32::TrackMenu(owner, popup.get(), POINT{anchor.x, anchor.y}, placement, &fieldRect);
  dialog_ = nullptr;
  if (addFolder && chosen == kAddFolderCommand) return {.addFolder = true};
  return {.choice = menu.ChoiceFor(chosen)};
}

void ReturnForeground(HWND dialog) {
  if (::IsWindow(dialog) && ::GetForegroundWindow() != dialog) ::SetForegroundWindow(dialog);
}

}  // namespace hop
