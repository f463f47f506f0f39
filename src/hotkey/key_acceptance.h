// Whether a key combination may pop the path menu: a hotkey takes its keys from every program
// while a file dialog is in front, so it must never be a key that types a character there, on
// any keyboard layout the user has installed (a dialog may be typed into under any of them),
// nor a key Windows keeps for itself.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hotkey/hotkey_text.h"

namespace hop {

// The keyboard layout, asked what a key types.
class KeyLayout {
 public:
  virtual ~KeyLayout() = default;
  // The character `key` types with Shift and/or Ctrl+Alt (AltGr) held; nothing when it types
  // none. A dead key counts as typing its accent.
  virtual std::optional<wchar_t> Typed(std::uint16_t key, bool shift, bool ctrlAlt) = 0;
};

// Several layouts asked as one: a key types what it types on the first layout where it types
// a character (a control character only where none types more).
class AnyOfLayouts final : public KeyLayout {
 public:
  explicit AnyOfLayouts(std::vector<std::unique_ptr<KeyLayout>> layouts)
      : layouts_(std::move(layouts)) {}
  std::optional<wchar_t> Typed(std::uint16_t key, bool shift, bool ctrlAlt) override;

 private:
  std::vector<std::unique_ptr<KeyLayout>> layouts_;
};

enum class KeyVerdict {
  Accepted,
  NotAKey,         // no key, a modifier alone, an unknown modifier bit
  TypesCharacter,  // bare, Shift+ or AltGr+ a key that types on the layout
  Reserved,        // Windows keeps it: F12 alone (debuggers), Win+ keys its shell uses
};

// Win+ anything and the function keys never type. Ctrl alone or Alt alone type no character;
// Ctrl+Alt is AltGr on many layouts and is asked of the layout, as are bare and Shift+ keys.
KeyVerdict JudgeHotkey(const Hotkey& hotkey, KeyLayout& layout);

// The words in the hotkey window when OK refuses a key, saying why.
std::wstring RefusedKeyText(const Hotkey& hotkey, KeyVerdict verdict);

}  // namespace hop
