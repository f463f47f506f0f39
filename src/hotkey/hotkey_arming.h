// When the hotkey is registered: only while a usable file dialog has the foreground, so every
// other program keeps its own use of the keys. And how the foreground is followed: the
// platform's foreground event where it has one; otherwise a short poll that runs only while a
// dialog-class window is on the desktop.
#pragma once

#include <functional>
#include <optional>

#include "delivery/window_tree.h"
#include "hotkey/hotkey_text.h"

namespace hop {

// Registers and releases the hotkey as the foreground changes.
class HotkeyArming {
 public:
  // What the rule does to the platform.
  class Keyboard {
   public:
    virtual ~Keyboard() = default;
    // False when the system refused the key (another program holds it).
    virtual bool Register(const Hotkey& hotkey) = 0;
    virtual void Release() = 0;
    // Tells the user the key is refused; asked once per key.
    virtual void TellRefused(const Hotkey& hotkey) = 0;
  };

  explicit HotkeyArming(Keyboard& keyboard) : keyboard_(keyboard) {}

  // A new key (nothing: no hotkey at all); takes effect at once.
  void SetKey(const std::optional<Hotkey>& hotkey);
  const std::optional<Hotkey>& Key() const { return key_; }

  // The foreground window is now `window`; `usableDialog` tells whether it is a file dialog
  // the delivery can serve.
  void OnForeground(WindowHandle window, bool usableDialog);

  // While held (by each of Hopdirs' own windows that would make the key do nothing) the key is
  // released, so the dialog gets its own use of the keys; registered again once let go.
  void Hold();
  void LetGo();

  // The dialog the registered key serves; 0 while the key is not registered.
  WindowHandle Dialog() const { return registered_ ? dialog_ : 0; }
  bool Registered() const { return registered_.has_value(); }

 private:
  void Apply();

  Keyboard& keyboard_;
  std::optional<Hotkey> key_;
  std::optional<Hotkey> registered_;
  std::optional<Hotkey> told_;
  WindowHandle dialog_ = 0;
  bool usable_ = false;
  int holds_ = 0;
};

// Follows the foreground window and says when to poll for it.
class ForegroundWatch {
 public:
  // How often an unsettled window is looked at before it counts as settled.
  static constexpr int kMaxAsks = 40;

  // `changed` hears each new foreground window and answers whether that window is settled:
  // false for a dialog that is still being built (or being shown), which is then looked at
  // again on the next polls.
  explicit ForegroundWatch(std::function<bool(WindowHandle)> changed)
      : changed_(std::move(changed)) {}

  // The platform's foreground event: from now on it is trusted to tell every change.
  void OnForegroundEvent(WindowHandle foreground);
  // A top-level window was created; `dialogClass` when it is of the file dialogs' class.
  void OnWindowCreated(bool dialogClass);
  // One poll: the foreground window now, and whether any dialog-class window still exists.
  void OnPoll(WindowHandle foreground, bool dialogExists);

  bool Polling() const { return polling_; }

 private:
  void See(WindowHandle foreground);
  void UpdatePolling(bool dialogExists);

  std::function<bool(WindowHandle)> changed_;
  std::optional<WindowHandle> seen_;
  bool settled_ = true;
  int asked_ = 0;
  bool eventsWork_ = false;
  bool polling_ = false;
};

}  // namespace hop
