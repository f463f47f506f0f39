#include "hotkey/key_acceptance.h"

namespace hop {
namespace {

constexpr std::uint16_t kF1 = 0x70;
constexpr std::uint16_t kF24 = 0x87;

bool Types(KeyLayout& layout, std::uint16_t key, bool shift, bool ctrlAlt) {
  // Control characters (Ctrl+letter, Enter, Tab, Escape) edit nothing as text does.
  const auto typed = layout.Typed(key, shift, ctrlAlt);
  return typed && *typed >= 0x20 && *typed != 0x7F;
}

}  // namespace

KeyVerdict JudgeHotkey(const Hotkey& hotkey, KeyLayout& layout) {
  // The layout-free rule first: it also refuses a bare letter when the layout cannot be asked.
  if (!IsUsableHotkey(hotkey)) {
    return IsUsableHotkey(Hotkey{kHotkeyCtrl, hotkey.key}) ? KeyVerdict::TypesCharacter
                                                           : KeyVerdict::NotAKey;
  }
  if (hotkey.modifiers & kHotkeyWin || (hotkey.key >= kF1 && hotkey.key <= kF24)) {
    return KeyVerdict::Accepted;
  }
  const bool shift = hotkey.modifiers & kHotkeyShift;
  const bool ctrl = hotkey.modifiers & kHotkeyCtrl;
  const bool alt = hotkey.modifiers & kHotkeyAlt;
  if (ctrl != alt) return KeyVerdict::Accepted;  // Ctrl or Alt alone types nothing
  return Types(layout, hotkey.key, shift, ctrl && alt) ? KeyVerdict::TypesCharacter
                                                       : KeyVerdict::Accepted;
}

std::wstring RefusedKeyText(const Hotkey& hotkey) {
  if (hotkey.key == 0 || !IsUsableHotkey(Hotkey{kHotkeyCtrl, hotkey.key}))
    return L"A modifier alone is no key: add a letter, a digit or a function key.";
  return HotkeyText(hotkey) +
         L" types a character on this keyboard. Choose a key with Ctrl or Alt, or an F-key.";
}

}  // namespace hop
