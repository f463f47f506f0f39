// Keyboard layouts as plain tables: what a key types bare, with Shift, with AltGr ('.': none).
#pragma once

#include <map>
#include <string>
#include <utility>

#include "hotkey/key_acceptance.h"

namespace hop::test {

struct TableLayout final : KeyLayout {
  explicit TableLayout(std::map<std::uint16_t, std::wstring> table) : keys(std::move(table)) {}
  std::map<std::uint16_t, std::wstring> keys;
  std::optional<wchar_t> Typed(std::uint16_t key, bool shift, bool ctrlAlt) override {
    const auto found = keys.find(key);
    const std::size_t level = (shift ? 1 : 0) + (ctrlAlt ? 2 : 0);
    if (found == keys.end() || level >= found->second.size() || found->second[level] == L'.')
      return std::nullopt;
    return found->second[level];
  }
};

// Ctrl+Alt+Q gives a control character on US keyboards; AltGr+Q is @ on German ones; AZERTY's
// digit row types é " ' ( bare and the digits with Shift, and AltGr+2 is the ~ dead key.
inline TableLayout Us() {
  return TableLayout({{'Q', L"qQ\x11"}, {'J', L"jJ"}, {'2', L"2@"}, {0x20, L" "}});
}
inline TableLayout German() {
  return TableLayout({{'Q', L"qQ@."}, {'J', L"jJ"}, {'2', L"2\""}});
}
inline TableLayout French() {
  return TableLayout({{'Q', L"aA"}, {'J', L"jJ"}, {'2', L"\u00e92~"}});
}

}  // namespace hop::test
