// The hotkey on the real desktop: follows the foreground window with the platform's window
// events (and, where those do not report the foreground, a short poll while a dialog-class
// window exists) and registers the key on the owner window only while a usable file dialog
// is in front. WM_HOTKEY with wParam kHotkeyId then reaches the owner.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "delivery/desktop.h"
#include "hotkey/hotkey_arming.h"
#include "hotkey/hotkey_text.h"
#include "win32/unique_handle.h"

namespace hop {

// The file-name field of the window if it is a file dialog the delivery can serve (shown,
// enabled, not on another virtual desktop, with a file-name field), or Browse for Folder's
// tree; null otherwise. Read through `desktop`, which keeps what it read for a delivery.
HWND UsableDialogField(HWND window, Desktop& desktop);
HWND UsableDialogField(HWND window);

class DialogHotkey final : private HotkeyArming::Keyboard {
 public:
  static constexpr int kHotkeyId = 1;
  static constexpr UINT kPollMilliseconds = 50;

  // `refused` is told when the system refuses the key (once per key).
  DialogHotkey(HWND owner, std::function<void(const Hotkey&)> refused);
  DialogHotkey(const DialogHotkey&) = delete;
  DialogHotkey& operator=(const DialogHotkey&) = delete;
  ~DialogHotkey() override;

  // Starts following the foreground with `hotkey` (nothing: no hotkey).
  void Start(const std::optional<Hotkey>& hotkey);
  void SetKey(const std::optional<Hotkey>& hotkey);
  const std::optional<Hotkey>& Key() const { return arming_.Key(); }
  bool Registered() const { return arming_.Registered(); }
  // See HotkeyArming::Hold.
  void Hold() { arming_.Hold(); }
  void LetGo() { arming_.LetGo(); }

 private:
  bool Register(const Hotkey& hotkey) override;
  void Release() override;
  void TellRefused(const Hotkey& hotkey) override;

  static void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child,
                                  DWORD, DWORD);
  static void CALLBACK OnPollTimer(HWND, UINT, UINT_PTR, DWORD);
  bool OnForegroundChanged(WindowHandle window);
  void Poll();
  void SchedulePoll();

  HWND owner_;
  std::function<void(const Hotkey&)> refused_;
  HotkeyArming arming_{*this};
  ForegroundWatch watch_;
  win32::UniqueWinEventHook foregroundHook_;
  win32::UniqueWinEventHook createHook_;
  win32::UniqueTimer timer_;
};

// Holds the hotkey for as long as a modal window of Hopdirs' is open.
class HotkeyHold {
 public:
  explicit HotkeyHold(DialogHotkey* hotkey) : hotkey_(hotkey) {
    if (hotkey_) hotkey_->Hold();
  }
  HotkeyHold(const HotkeyHold&) = delete;
  HotkeyHold& operator=(const HotkeyHold&) = delete;
  ~HotkeyHold() {
    if (hotkey_) hotkey_->LetGo();
  }

 private:
  DialogHotkey* hotkey_;
};

}  // namespace hop
