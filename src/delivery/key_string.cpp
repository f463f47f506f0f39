#include "delivery/key_string.h"

#include <array>
#include <cwctype>
#include <utility>

namespace hop {
namespace {

constexpr std::wstring_view kReserved = L"+^%~(){}[]";

struct Name {
  std::wstring_view text;
  NamedKey key;
};

constexpr std::array<Name, 19> kNames{{
    {L"ENTER", NamedKey::Enter},    {L"BS", NamedKey::Backspace},
    {L"BKSP", NamedKey::Backspace}, {L"BACKSPACE", NamedKey::Backspace},
    {L"TAB", NamedKey::Tab},        {L"ESC", NamedKey::Escape},
    {L"ESCAPE", NamedKey::Escape},  {L"DEL", NamedKey::Delete},
    {L"DELETE", NamedKey::Delete},  {L"INS", NamedKey::Insert},
    {L"INSERT", NamedKey::Insert},  {L"HOME", NamedKey::Home},
    {L"END", NamedKey::End},        {L"PGUP", NamedKey::PageUp},
    {L"PGDN", NamedKey::PageDown},  {L"LEFT", NamedKey::Left},
    {L"RIGHT", NamedKey::Right},    {L"UP", NamedKey::Up},
    {L"DOWN", NamedKey::Down},
}};

std::wstring Upper(std::wstring_view text) {
  std::wstring out(text);
  for (auto& c : out) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
  return out;
}

// Resolves the inside of a brace pair (without a repeat count) to one chord.
std::optional<KeyChord> BracedKey(std::wstring_view name) {
  if (name.size() == 1) return KeyChord{{}, NamedKey::None, name[0]};
  const std::wstring upper = Upper(name);
  if (upper == L"SPACE") return KeyChord{{}, NamedKey::None, L' '};
  if (upper.size() >= 2 && upper.size() <= 3 && upper[0] == L'F') {
    int n = 0;
    for (std::size_t i = 1; i < upper.size(); ++i) {
      if (upper[i] < L'0' || upper[i] > L'9') return std::nullopt;
      n = n * 10 + (upper[i] - L'0');
    }
    if (n < 1 || n > 12) return std::nullopt;
    return KeyChord{{}, static_cast<NamedKey>(static_cast<int>(NamedKey::F1) + n - 1), 0};
  }
  for (const auto& entry : kNames) {
    if (entry.text == upper) return KeyChord{{}, entry.key, 0};
  }
  return std::nullopt;
}

class Parser {
 public:
  explicit Parser(std::wstring_view keys) : keys_(keys) {}

  std::optional<std::vector<KeyChord>> Run() {
    if (!Sequence(Modifiers{}, false) || pos_ != keys_.size()) return std::nullopt;
    return std::move(out_);
  }

 private:
  // Parses chords until the end (or a ")" when inside a group), each under `held`.
  bool Sequence(Modifiers held, bool inGroup) {
    while (pos_ < keys_.size()) {
      if (keys_[pos_] == L')') return inGroup;
      if (!Item(held)) return false;
    }
    return !inGroup;
  }

  // One key, brace pair or group, after any modifiers that hold for it alone.
  bool Item(Modifiers held) {
    Modifiers mods = held;
    while (pos_ < keys_.size()) {
      const wchar_t c = keys_[pos_];
      if (c == L'%') {
        mods.alt = true;
      } else if (c == L'^') {
        mods.ctrl = true;
      } else if (c == L'+') {
        mods.shift = true;
      } else {
        break;
      }
      ++pos_;
    }
    if (pos_ >= keys_.size()) return false;
    const wchar_t c = keys_[pos_++];
    if (c == L'(') {
      const std::size_t before = out_.size();
      if (!Sequence(mods, true)) return false;
      ++pos_;  // the closing parenthesis
      return out_.size() > before;
    }
    if (c == L'{') return Braced(mods);
    if (c == L'~') return Emit({mods, NamedKey::Enter, 0}, 1);
    if (c == L')' || c == L'}') return false;
    return Emit({mods, NamedKey::None, c}, 1);
  }

  // "{name}" or "{name count}"; the name may itself be "}" as in "{}}".
  bool Braced(Modifiers mods) {
    const std::size_t start = pos_;
    std::size_t close = keys_.find(L'}', start + 1);
    if (close == std::wstring_view::npos) return false;
    std::wstring_view inside = keys_.substr(start, close - start);
    pos_ = close + 1;
    int count = 1;
    const std::size_t space = inside.rfind(L' ');
    if (space != std::wstring_view::npos && space > 0 && space + 1 < inside.size()) {
      count = 0;
      for (wchar_t d : inside.substr(space + 1)) {
        if (d < L'0' || d > L'9' || count > 9999) return false;
        count = count * 10 + (d - L'0');
      }
      inside = inside.substr(0, space);
    }
    auto chord = BracedKey(inside);
    if (!chord) return false;
    chord->modifiers = mods;
    return Emit(*chord, count);
  }

  bool Emit(KeyChord chord, int count) {
    for (int i = 0; i < count; ++i) out_.push_back(chord);
    return true;
  }

  std::wstring_view keys_;
  std::size_t pos_ = 0;
  std::vector<KeyChord> out_;
};

}  // namespace

std::optional<std::vector<KeyChord>> ParseKeyString(std::wstring_view keys) {
  return Parser(keys).Run();
}

std::wstring LiteralKeyString(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size() * 3);
  for (wchar_t c : text) {
    if (kReserved.find(c) != std::wstring_view::npos) {
      out += L'{';
      out += c;
      out += L'}';
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace hop
