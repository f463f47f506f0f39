// The path menu the hotkey pops inside a file dialog: its captions, where it goes, and what
// the user is told when there is nothing to pop.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "hotkey/hotkey_text.h"

namespace hop {

// The digit a key of the digit row or the number pad stands for, whatever character the
// keyboard layout gives it (AZERTY types é on the key of 2); nothing for any other key.
std::optional<wchar_t> DigitOfKey(std::uint16_t key);
// The position of the first item whose caption starts with "&<digit>": the menu's own digit
// captions decide, so any item that carries a digit is found.
std::optional<std::size_t> ItemWithDigit(std::span<const std::wstring> captions, wchar_t digit);

struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Where the menu's corner goes: (x, y) is its top-left corner, or its right edge when
// `alignRight`, its bottom edge when `alignBottom`.
struct MenuAnchor {
  int x = 0, y = 0;
  bool alignRight = false;
  bool alignBottom = false;
  bool operator==(const MenuAnchor&) const = default;
};

// Just below the file-name field and left-aligned with it, inside the work area: above the
// field when it does not fit below, against the work area's right edge when it does not fit
// to the right. `width` and `height` are the menu's expected size; an edge is used wherever
// the exact size does not matter.
MenuAnchor HotkeyMenuAnchor(const ScreenRect& field, const ScreenRect& workArea, int width,
                            int height);

// The balloon texts.
std::wstring NoPathsNotice();
std::wstring HotkeyRefusedNotice(const Hotkey& hotkey);

}  // namespace hop
