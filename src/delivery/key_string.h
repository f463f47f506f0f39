// The key-string notation the delivery speaks: "%" Alt, "^" Ctrl and "+" Shift hold for the next
// key or parenthesised group, "~" is Enter, "{NAME}" or "{NAME n}" is a named key (n times), and
// "{c}" is the character c itself, which is how the reserved characters are written literally.
// Every other character is typed as itself.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hop {

enum class NamedKey {
  None,  // the chord is a character
  Enter,
  Backspace,
  Tab,
  Escape,
  Delete,
  Insert,
  Home,
  End,
  PageUp,
  PageDown,
  Left,
  Right,
  Up,
  Down,
  F1,
  F2,
  F3,
  F4,
  F5,
  F6,
  F7,
  F8,
  F9,
  F10,
  F11,
  F12,
};

struct Modifiers {
  bool alt = false;
  bool ctrl = false;
  bool shift = false;
  bool operator==(const Modifiers&) const = default;
};

// One key press with its modifiers held: either a named key or a character.
struct KeyChord {
  Modifiers modifiers;
  NamedKey key = NamedKey::None;
  wchar_t character = 0;
  bool operator==(const KeyChord&) const = default;
};

// The chords of a key string in order; no value when the string is malformed (an unclosed brace
// or parenthesis, an unknown key name, a modifier with nothing to hold).
std::optional<std::vector<KeyChord>> ParseKeyString(std::wstring_view keys);

// The key string that types text literally: every reserved character is braced.
std::wstring LiteralKeyString(std::wstring_view text);

}  // namespace hop
