#include "hotkey/hotkey_window.h"

#include <commctrl.h>

#include <vector>

#include "hotkey/win32_key_layout.h"
#include "win32/common_controls.h"
#include "win32/dpi.h"
#include "win32/dpi_layout.h"
#include "win32/managed_dialog.h"
#include "win32/window_queries.h"

namespace hop {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

enum ControlId : int {
  kLabel = 100,
  kKeyField = 101,
  kNone = 102,
  kRefusal = 103,
  kOk = IDOK,
  kCancel = IDCANCEL,
};

// The design, in twips of the client area.
constexpr win32::FrameDesign kFrame{kStyle, kExStyle, 4440, 1800};
constexpr win32::ControlDesign kControls[] = {
    {kLabel,
     L"STATIC",
     L"&Keys that pop the path menu in a file dialog:",
     SS_LEFT | WS_GROUP,
     {120, 120, 4200, 255}},
    {kKeyField, HOTKEY_CLASSW, L"", WS_BORDER | WS_TABSTOP | WS_GROUP, {120, 435, 2880, 330}},
    {kNone, L"BUTTON", L"&None", BS_PUSHBUTTON | WS_TABSTOP, {3120, 420, 1200, 360}},
    {kRefusal, L"STATIC", L"", SS_LEFT, {120, 825, 4200, 420}},
    {kOk, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, {1920, 1305, 1200, 360}},
    {kCancel, L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, {3120, 1305, 1200, 360}},
};

}  // namespace

std::optional<Hotkey> FromHotkeyControl(WORD value) {
  const BYTE key = LOBYTE(value);
  const BYTE flags = HIBYTE(value);
  if (key == 0) return std::nullopt;
  Hotkey hotkey{0, key};
  if (flags & HOTKEYF_CONTROL) hotkey.modifiers |= kHotkeyCtrl;
  if (flags & HOTKEYF_ALT) hotkey.modifiers |= kHotkeyAlt;
  if (flags & HOTKEYF_SHIFT) hotkey.modifiers |= kHotkeyShift;
  return hotkey;
}

WORD ToHotkeyControl(const std::optional<Hotkey>& hotkey) {
  if (!hotkey) return 0;
  BYTE flags = 0;
  if (hotkey->modifiers & kHotkeyCtrl) flags |= HOTKEYF_CONTROL;
  if (hotkey->modifiers & kHotkeyAlt) flags |= HOTKEYF_ALT;
  if (hotkey->modifiers & kHotkeyShift) flags |= HOTKEYF_SHIFT;
  return MAKEWORD(static_cast<BYTE>(hotkey->key), flags);
}

HotkeyWindow::HotkeyWindow(HWND owner, HICON icon)
    : owner_(owner),
      icon_(icon),
      windowClass_(win32::ManagedDialogClass(win32::InstanceOf(owner), kClassName, icon)) {}

std::optional<HotkeyWindow::Choice> HotkeyWindow::Show(const std::optional<Hotkey>& current) {
  if (window_) return std::nullopt;             // already open
  win32::InitCommonControls(ICC_HOTKEY_CLASS);  // the key field's class, loaded at first use
  current_ = current;
  choice_.reset();
  const std::vector<WORD> dialog = win32::EmptyDialogTemplate(kStyle, kExStyle, kClassName, kTitle);
  ::DialogBoxIndirectParamW(win32::InstanceOf(owner_),
                            reinterpret_cast<LPCDLGTEMPLATEW>(dialog.data()), owner_,
                            &win32::DialogThunk<HotkeyWindow>, reinterpret_cast<LPARAM>(this));
  return choice_;
}

void HotkeyWindow::Cancel() {
  if (window_) ::EndDialog(window_, IDCANCEL);
}

void HotkeyWindow::CreateControls() {
  win32::CreateControls(window_, kControls);
  // The control takes every key as pressed; what would type a character is refused on OK
  // rather than turned into Ctrl+Alt+key, which is AltGr on many keyboards.
  ::SendDlgItemMessageW(window_, kKeyField, HKM_SETRULES, 0, 0);
  ::SendDlgItemMessageW(window_, kKeyField, HKM_SETHOTKEY, ToHotkeyControl(current_), 0);
}

void HotkeyWindow::Layout(UINT dpi) {
  font_.reset(win32::CreateDialogFont(dpi));
  win32::PlaceControls(window_, kControls, dpi, font_.get());
  win32::SizeFrame(window_, kFrame, dpi);
}

void HotkeyWindow::ShowRefusal(const std::wstring& text) {
  const HWND line = ::GetDlgItem(window_, kRefusal);
  ::SetWindowTextW(line, text.c_str());
  // The label is drawn transparently: the window behind it is erased, or the old words stay.
  RECT area{};
  ::GetWindowRect(line, &area);
  ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&area), 2);
  ::InvalidateRect(window_, &area, TRUE);
}

void HotkeyWindow::OnOk() {
  const auto value =
      static_cast<WORD>(::SendDlgItemMessageW(window_, kKeyField, HKM_GETHOTKEY, 0, 0));
  const std::optional<Hotkey> chosen = FromHotkeyControl(value);
  auto layouts = InstalledKeyLayouts();
  const KeyVerdict verdict = chosen ? JudgeHotkey(*chosen, *layouts) : KeyVerdict::Accepted;
  if (verdict != KeyVerdict::Accepted) {
    ShowRefusal(RefusedKeyText(*chosen, verdict));
    ::MessageBeep(MB_OK);
    ::SetFocus(::GetDlgItem(window_, kKeyField));
    return;
  }
  choice_ = Choice{chosen};
  ::EndDialog(window_, IDOK);
}

void HotkeyWindow::Attach(HWND hwnd) {
  window_ = hwnd;
}

void HotkeyWindow::Detach() {
  window_ = nullptr;
  font_.reset();
}

INT_PTR HotkeyWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      CreateControls();
      const UINT dpi = win32::DpiForWindow(window_);
      Layout(dpi);
      // DS_CENTER centred the empty template; centre the laid-out window on the work area.
      RECT frame{};
      ::GetWindowRect(window_, &frame);
      const RECT work = win32::WorkAreaOf(window_);
      ::SetWindowPos(window_, nullptr,
                     work.left + (work.right - work.left - (frame.right - frame.left)) / 2,
                     work.top + (work.bottom - work.top - (frame.bottom - frame.top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
      ::SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
      ::SetForegroundWindow(window_);
      ::SetFocus(::GetDlgItem(window_, kKeyField));
      return FALSE;  // the focus is set: the hotkey control
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kNone:
          ::SendDlgItemMessageW(window_, kKeyField, HKM_SETHOTKEY, 0, 0);
          ::SetFocus(::GetDlgItem(window_, kKeyField));
          return TRUE;
        case kKeyField:  // another key: the last refusal no longer applies
          if (HIWORD(wParam) == EN_CHANGE) ShowRefusal(L"");
          return TRUE;
        case kOk:
          OnOk();
          return TRUE;
        case kCancel:  // also Escape and the close box
          ::EndDialog(window_, IDCANCEL);
          return TRUE;
      }
      return FALSE;
    case WM_CTLCOLORSTATIC:  // the label has a transparent background
      ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<INT_PTR>(::GetStockObject(NULL_BRUSH));
    case WM_DPICHANGED:
      win32::FollowDpiChange(window_, wParam, lParam, [this](UINT dpi) { Layout(dpi); });
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace hop
