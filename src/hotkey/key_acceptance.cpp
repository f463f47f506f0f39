#include "hotkey/key_acceptance.h"

namespace hop {
namespace {

constexpr std::uint16_t kF1 = 0x70;
constexpr std::uint16_t kF12 = 0x7B;
constexpr std::uint16_t kF24 = 0x87;

// Control characters (Ctrl+letter, Enter, Tab, Escape) edit nothing as text does.
bool IsText(std::optional<wchar_t> typed) {
  return typed && *typed >= 0x20 && *typed != 0x7F;
}

bool Types(KeyLayout& layout, std::uint16_t key, bool shift, bool ctrlAlt) {
  return IsText(layout.Typed(key, shift, ctrlAlt));
}

// The keys Windows' shell takes with Win, whatever else is held: every letter but J and Y
// (Win+L locks, Win+V is the clipboard history, ...), the digits (the taskbar's programs) and
// Tab, Escape, Enter, Space, Pause, Print Screen, Home, the arrows, + - , . ; (Magnifier, emoji,
// Peek, input language, Snap).
bool ShellTakesWith(std::uint16_t key) {
  if (key >= 'A' && key <= 'Z') return key != 'J' && key != 'Y';
  if (key >= '0' && key <= '9') return true;
  constexpr std::uint16_t kShellKeys[] = {0x09, 0x0D, 0x13, 0x1B, 0x20, 0x24, 0x25, 0x26, 0x27,
                                          0x28, 0x2C, 0x6B, 0x6D, 0xBA, 0xBB, 0xBC, 0xBD, 0xBE};
  for (const std::uint16_t shellKey : kShellKeys) {
    if (key == shellKey) return true;
  }
  return false;
}

}  // namespace

std::optional<wchar_t> AnyOfLayouts::Typed(std::uint16_t key, bool shift, bool ctrlAlt) {
  std::optional<wchar_t> first;
  for (const auto& layout : layouts_) {
    const auto typed = layout->Typed(key, shift, ctrlAlt);
    if (IsText(typed)) return typed;
    if (!first) first = typed;
  }
  return first;
}

KeyVerdict JudgeHotkey(const Hotkey& hotkey, KeyLayout& layout) {
  // The layout-free rule first: it also refuses a bare letter when the layout cannot be asked.
  if (!IsUsableHotkey(hotkey)) {
    return IsUsableHotkey(Hotkey{kHotkeyCtrl, hotkey.key}) ? KeyVerdict::TypesCharacter
                                                           : KeyVerdict::NotAKey;
  }
  if (hotkey.modifiers & kHotkeyWin) {
    return ShellTakesWith(hotkey.key) ? KeyVerdict::Reserved : KeyVerdict::Accepted;
  }
  if (hotkey == Hotkey{0, kF12}) return KeyVerdict::Reserved;
  if (hotkey.key >= kF1 && hotkey.key <= kF24) return KeyVerdict::Accepted;
  const bool shift = hotkey.modifiers & kHotkeyShift;
  const bool ctrl = hotkey.modifiers & kHotkeyCtrl;
  const bool alt = hotkey.modifiers & kHotkeyAlt;
  if (ctrl != alt) return KeyVerdict::Accepted;  // Ctrl or Alt alone types nothing
  return Types(layout, hotkey.key, shift, ctrl && alt) ? KeyVerdict::TypesCharacter
                                                       : KeyVerdict::Accepted;
}

std::wstring RefusedKeyText(const Hotkey& hotkey, KeyVerdict verdict) {
  if (verdict == KeyVerdict::NotAKey || hotkey.key == 0 ||
      !IsUsableHotkey(Hotkey{kHotkeyCtrl, hotkey.key}))
    return L"A modifier alone is no key: add a letter, a digit or a function key.";
  if (verdict == KeyVerdict::Reserved) {
    return HotkeyText(hotkey) +
           (hotkey.modifiers & kHotkeyWin
                ? L" is used by Windows itself. Choose a key with Ctrl or Alt, or an F-key."
                : L" is kept by Windows for debuggers. Choose another F-key.");
  }
  return HotkeyText(hotkey) +
         L" types a character on one of your keyboard layouts. Choose a key with Ctrl or Alt, "
         L"or an F-key.";
}

}  // namespace hop
