// "Hopdirs Hotkey": the small modal window in which the user chooses the hotkey, with the
// platform's hotkey control showing the current key, "&None" (no hotkey), OK and Cancel. Its
// own window class, so it is never taken for a file dialog; laid out from twips at the real DPI
// in the dialog font and the system's colours, as the editor is.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "hotkey/hotkey_text.h"
#include "win32/unique_handle.h"
#include "win32/window_class.h"
#include "win32/window_owner.h"

namespace hop {

class HotkeyWindow {
 public:
  static constexpr const wchar_t* kClassName = L"HopdirsHotkey";
  static constexpr const wchar_t* kTitle = L"Hopdirs Hotkey";

  // What the user decided: nothing when cancelled; otherwise the new key (nothing: none).
  struct Choice {
    std::optional<Hotkey> hotkey;
  };

  // The window is owned by `owner` (disabled while it is open) and shows `icon`.
  HotkeyWindow(HWND owner, HICON icon);
  HotkeyWindow(const HotkeyWindow&) = delete;
  HotkeyWindow& operator=(const HotkeyWindow&) = delete;

  // Shows the window modally with `current` in the control; returns when it closes.
  std::optional<Choice> Show(const std::optional<Hotkey>& current);
  // Closes the window if it is open, as Cancel does.
  void Cancel();
  HWND hwnd() const { return window_; }

 private:
  friend struct win32::ThunkAccess;
  void Attach(HWND hwnd);
  void Detach();
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  void Layout(UINT dpi);
  void OnOk();
  void ShowRefusal(const std::wstring& text);

  HWND owner_;
  HICON icon_;
  win32::WindowClass windowClass_;
  HWND window_ = nullptr;
  win32::UniqueFont font_;
  std::optional<Hotkey> current_;
  std::optional<Choice> choice_;
};

// The hotkey control's value (virtual key in the low byte, HOTKEYF_* flags in the high byte)
// and back; 0 is no key.
std::optional<Hotkey> FromHotkeyControl(WORD value);
WORD ToHotkeyControl(const std::optional<Hotkey>& hotkey);

}  // namespace hop
