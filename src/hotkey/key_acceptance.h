// Whether a key combination may pop the path menu: a hotkey takes its keys from every program
// while a file dialog is in front, so it must never be a key that types a character there, on
// the keyboard layout the user has now.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

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

enum class KeyVerdict {
  Accepted,
  NotAKey,         // no key, a modifier alone, an unknown modifier bit
  TypesCharacter,  // bare, Shift+ or AltGr+ a key that types on this layout
};

// Win+ anything and the function keys never type. Ctrl alone or Alt alone type no character;
// Ctrl+Alt is AltGr on many layouts and is asked of the layout, as are bare and Shift+ keys.
KeyVerdict JudgeHotkey(const Hotkey& hotkey, KeyLayout& layout);

// The word in the hotkey window when OK refuses a key.
std::wstring RefusedKeyText(const Hotkey& hotkey);

}  // namespace hop
