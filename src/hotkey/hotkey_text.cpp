#include "hotkey/hotkey_text.h"

#include <array>
#include <cwctype>

namespace hop {
namespace {

struct NamedKey {
  std::uint16_t key;
  std::wstring_view name;
};

// Keys whose name is not their character; punctuation is named by the US layout's key cap.
constexpr std::array kNamedKeys{
    NamedKey{0x08, L"Backspace"}, NamedKey{0x09, L"Tab"},      NamedKey{0x0D, L"Enter"},
    NamedKey{0x13, L"Pause"},     NamedKey{0x1B, L"Esc"},      NamedKey{0x20, L"Space"},
    NamedKey{0x21, L"PageUp"},    NamedKey{0x22, L"PageDown"}, NamedKey{0x23, L"End"},
    NamedKey{0x24, L"Home"},      NamedKey{0x25, L"Left"},     NamedKey{0x26, L"Up"},
    NamedKey{0x27, L"Right"},     NamedKey{0x28, L"Down"},     NamedKey{0x2D, L"Insert"},
    NamedKey{0x2E, L"Delete"},    NamedKey{0xBA, L";"},        NamedKey{0xBB, L"="},
    NamedKey{0xBC, L","},         NamedKey{0xBD, L"-"},        NamedKey{0xBE, L"."},
    NamedKey{0xBF, L"/"},         NamedKey{0xC0, L"`"},        NamedKey{0xDB, L"["},
    NamedKey{0xDC, L"\\"},        NamedKey{0xDD, L"]"},        NamedKey{0xDE, L"'"},
};

constexpr std::uint16_t kF1 = 0x70;
constexpr std::uint16_t kF24 = 0x87;
constexpr std::uint16_t kNumpad0 = 0x60;
constexpr std::uint16_t kNumpad9 = 0x69;

struct NamedModifier {
  std::uint8_t bit;
  std::wstring_view name;
};
constexpr std::array kModifiers{
    NamedModifier{kHotkeyCtrl, L"Ctrl"}, NamedModifier{kHotkeyAlt, L"Alt"},
    NamedModifier{kHotkeyShift, L"Shift"}, NamedModifier{kHotkeyWin, L"Win"}};

bool IsLetterOrDigit(std::uint16_t key) {
  return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
}

bool IsModifierKey(std::uint16_t key) {
  // Shift, Ctrl, Alt in both their generic and left/right forms, and the Windows keys.
  return (key >= 0x10 && key <= 0x12) || (key >= 0xA0 && key <= 0xA5) || key == 0x5B || key == 0x5C;
}

bool IsPunctuation(std::uint16_t key) {
  return key >= 0xBA && key <= 0xDF;
}

// Keys that put text into a field: they may only be a hotkey with Ctrl, Alt or Win.
bool IsTypingKey(std::uint16_t key) {
  return IsLetterOrDigit(key) || IsPunctuation(key) || key == 0x20 ||
         (key >= kNumpad0 && key <= kNumpad9) || (key >= 0x6A && key <= 0x6F);
}

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  }
  return true;
}

std::wstring_view Trimmed(std::wstring_view text) {
  while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == L' ' || text.back() == L'\t')) text.remove_suffix(1);
  return text;
}

std::optional<unsigned> Decimal(std::wstring_view digits, unsigned limit) {
  if (digits.empty() || digits.size() > 3) return std::nullopt;
  unsigned value = 0;
  for (wchar_t c : digits) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + unsigned(c - L'0');
  }
  return value <= limit ? std::optional(value) : std::nullopt;
}

std::wstring KeyName(std::uint16_t key) {
  if (IsLetterOrDigit(key)) return std::wstring(1, wchar_t(key));
  if (key >= kF1 && key <= kF24) return L"F" + std::to_wstring(key - kF1 + 1);
  if (key >= kNumpad0 && key <= kNumpad9) return L"Num" + std::to_wstring(key - kNumpad0);
  for (const NamedKey& named : kNamedKeys) {
    if (named.key == key) return std::wstring(named.name);
  }
  return L"#" + std::to_wstring(key);
}

std::optional<std::uint16_t> KeyFromName(std::wstring_view name) {
  if (name.size() == 1 && IsLetterOrDigit(std::uint16_t(std::towupper(name[0])))) {
    return std::uint16_t(std::towupper(name[0]));
  }
  for (const NamedKey& named : kNamedKeys) {
    if (SameIgnoringCase(named.name, name)) return named.key;
  }
  if (name.size() >= 2 && (name[0] == L'F' || name[0] == L'f')) {
    if (const auto n = Decimal(name.substr(1), 24); n && *n >= 1)
      return std::uint16_t(kF1 + *n - 1);
  }
  if (name.size() == 4 && SameIgnoringCase(name.substr(0, 3), L"Num")) {
    if (const auto n = Decimal(name.substr(3), 9)) return std::uint16_t(kNumpad0 + *n);
  }
  if (name.size() >= 2 && name[0] == L'#') {
    if (const auto n = Decimal(name.substr(1), 254); n && *n >= 1) return std::uint16_t(*n);
  }
  return std::nullopt;
}

}  // namespace

bool IsUsableHotkey(const Hotkey& hotkey) {
  if (hotkey.key == 0 || hotkey.key > 0xFE || IsModifierKey(hotkey.key)) return false;
  if (hotkey.modifiers & ~(kHotkeyAlt | kHotkeyCtrl | kHotkeyShift | kHotkeyWin)) return false;
  const bool strong = hotkey.modifiers & (kHotkeyAlt | kHotkeyCtrl | kHotkeyWin);
  return strong || !IsTypingKey(hotkey.key);
}

std::wstring HotkeyText(const Hotkey& hotkey) {
  std::wstring text;
  for (const NamedModifier& modifier : kModifiers) {
    if (hotkey.modifiers & modifier.bit) (text += modifier.name) += L'+';
  }
  return text + KeyName(hotkey.key);
}

std::optional<Hotkey> ParseHotkey(std::wstring_view text) {
  Hotkey hotkey;
  for (;;) {
    // The last part is the key; "+" cannot be a key's name, so it always separates.
    const std::size_t plus = text.find(L'+');
    const std::wstring_view part = Trimmed(text.substr(0, plus));
    if (plus == std::wstring_view::npos) {
      const auto key = KeyFromName(part);
      if (!key) return std::nullopt;
      hotkey.key = *key;
      break;
    }
    bool known = false;
    for (const NamedModifier& modifier : kModifiers) {
      if (!SameIgnoringCase(part, modifier.name)) continue;
      if (hotkey.modifiers & modifier.bit) return std::nullopt;  // twice
      hotkey.modifiers |= modifier.bit;
      known = true;
    }
    if (!known) return std::nullopt;
    text.remove_prefix(plus + 1);
  }
  return IsUsableHotkey(hotkey) ? std::optional(hotkey) : std::nullopt;
}

}  // namespace hop
