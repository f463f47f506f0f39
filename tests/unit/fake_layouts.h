// Keyboard layouts as plain tables: what a key types bare, with Shift and with AltGr.
#pragma once

#include <map>
#include <tuple>

#include "hotkey/key_acceptance.h"

namespace hop::test {

class TableLayout final : public KeyLayout {
 public:
  // Level 0 bare, 1 Shift, 2 AltGr, 3 Shift+AltGr.
  std::map<std::tuple<std::uint16_t, int>, wchar_t> keys;

  std::optional<wchar_t> Typed(std::uint16_t key, bool shift, bool ctrlAlt) override {
    const auto found = keys.find({key, (shift ? 1 : 0) + (ctrlAlt ? 2 : 0)});
    return found == keys.end() ? std::nullopt : std::optional(found->second);
  }
};

// Letters and the digit row bare and shifted, as on US keyboards; the layouts below differ.
inline TableLayout Us() {
  TableLayout layout;
  const wchar_t shiftedDigits[] = L")!@#$%^&*(";
  for (wchar_t c = L'A'; c <= L'Z'; ++c) {
    layout.keys[{c, 0}] = wchar_t(c - L'A' + L'a');
    layout.keys[{c, 1}] = c;
  }
  for (wchar_t d = L'0'; d <= L'9'; ++d) {
    layout.keys[{d, 0}] = d;
    layout.keys[{d, 1}] = shiftedDigits[d - L'0'];
  }
  layout.keys[{0x20, 0}] = L' ';
  layout.keys[{'Q', 2}] = 0x11;  // a control character, as Windows gives Ctrl+Alt+Q on US
  return layout;
}

inline TableLayout German() {
  TableLayout layout = Us();
  layout.keys[{'Q', 2}] = L'@';
  layout.keys[{'E', 2}] = L'\x20ac';
  layout.keys[{'7', 2}] = L'{';
  return layout;
}

// AZERTY: the digit row types é " ' ( ... bare and the digits with Shift.
inline TableLayout French() {
  TableLayout layout = Us();
  const wchar_t bareDigits[] = L"\xe0&\xe9\"'(-\xe8_\xe7";
  for (wchar_t d = L'0'; d <= L'9'; ++d) {
    layout.keys[{d, 0}] = bareDigits[d - L'0'];
    layout.keys[{d, 1}] = d;
  }
  layout.keys[{'2', 2}] = L'~';  // a dead key on Windows: still typing
  layout.keys[{'0', 2}] = L'@';
  layout.keys[{'E', 2}] = L'\x20ac';
  return layout;
}

}  // namespace hop::test
