// The hotkey and its text, as the user reads it and as it is stored: "Ctrl+G", "Ctrl+Alt+J".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hop {

// Modifier bits, the values RegisterHotKey takes.
enum HotkeyModifier : std::uint8_t {
  kHotkeyAlt = 1,
  kHotkeyCtrl = 2,
  kHotkeyShift = 4,
  kHotkeyWin = 8,
};

struct Hotkey {
  std::uint8_t modifiers = 0;
  std::uint16_t key = 0;  // a virtual-key code
  bool operator==(const Hotkey&) const = default;
};

inline constexpr Hotkey kDefaultHotkey{kHotkeyCtrl, 'G'};

// Modifiers joined by "+" in the order Ctrl, Alt, Shift, Win, then the key's name: letters and
// digits as themselves, F1..F24, named keys ("Space", "PageUp"), US punctuation (";", "["),
// any other key as "#" and its decimal code.
std::wstring HotkeyText(const Hotkey& hotkey);

// Reads the text back in any letter case, with blanks around the parts and the modifiers in
// any order. Nothing when it is not a hotkey that can be used inside a file dialog: an unknown
// part, a modifier twice or alone, or a key that would be typed (a letter, digit or punctuation
// with Shift or nothing: only function and navigation keys may go without Ctrl, Alt or Win).
std::optional<Hotkey> ParseHotkey(std::wstring_view text);

// Whether the combination can be a hotkey at all (the rule ParseHotkey applies).
bool IsUsableHotkey(const Hotkey& hotkey);

}  // namespace hop
