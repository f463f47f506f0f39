#include "hotkey/hotkey_arming.h"

namespace hop {

void HotkeyArming::SetKey(const std::optional<Hotkey>& hotkey) {
  if (hotkey == key_) return;
  key_ = hotkey;
  told_.reset();  // a new key earns its own word if it is refused
  Apply();
}

void HotkeyArming::OnForeground(WindowHandle window, bool usableDialog) {
  dialog_ = window;
  usable_ = usableDialog;
  Apply();
}

void HotkeyArming::Hold() {
  ++holds_;
  Apply();
}

void HotkeyArming::LetGo() {
  if (holds_ > 0) --holds_;
  Apply();
}

void HotkeyArming::Apply() {
  const std::optional<Hotkey> wanted = usable_ && holds_ == 0 ? key_ : std::nullopt;
  if (registered_ == wanted) return;
  if (registered_) {
    keyboard_.Release();
    registered_.reset();
  }
  if (!wanted) return;
  if (keyboard_.Register(*wanted)) {
    registered_ = wanted;
  } else if (told_ != wanted) {
    told_ = wanted;
    keyboard_.TellRefused(*wanted);
  }
}

void ForegroundWatch::See(WindowHandle foreground) {
  if (seen_ == foreground) {
    // A window that stays unsettled (a message box is a dialog-class window without a field)
    // is given up on after a while.
    if (settled_ || ++asked_ > kMaxAsks) {
      settled_ = true;
      return;
    }
  } else {
    asked_ = 1;
  }
  seen_ = foreground;
  settled_ = changed_(foreground);
}

void ForegroundWatch::UpdatePolling(bool dialogExists) {
  // Once the platform has shown it reports the foreground, the poll is only wanted for a
  // dialog still being built.
  polling_ = dialogExists && (!eventsWork_ || !settled_);
}

void ForegroundWatch::OnForegroundEvent(WindowHandle foreground) {
  eventsWork_ = true;
  seen_.reset();  // always heard: the event may report a window that was unsettled before
  See(foreground);
  polling_ = !settled_;
}

void ForegroundWatch::OnWindowCreated(bool dialogClass) {
  if (dialogClass && !eventsWork_) polling_ = true;
}

void ForegroundWatch::OnPoll(WindowHandle foreground, bool dialogExists) {
  See(foreground);
  UpdatePolling(dialogExists);
}

}  // namespace hop
