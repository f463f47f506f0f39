#include "delivery/win32_keys.h"

namespace hop {
namespace {

INPUT KeyInput(WORD vk, WORD scan, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = scan;
  input.ki.dwFlags = flags;
  return input;
}

WORD VirtualKey(NamedKey key) {
  switch (key) {
    case NamedKey::Enter:
      return VK_RETURN;
    case NamedKey::Backspace:
      return VK_BACK;
    case NamedKey::Tab:
      return VK_TAB;
    case NamedKey::Escape:
      return VK_ESCAPE;
    case NamedKey::Delete:
      return VK_DELETE;
    case NamedKey::Insert:
      return VK_INSERT;
    case NamedKey::Home:
      return VK_HOME;
    case NamedKey::End:
      return VK_END;
    case NamedKey::PageUp:
      return VK_PRIOR;
    case NamedKey::PageDown:
      return VK_NEXT;
    case NamedKey::Left:
      return VK_LEFT;
    case NamedKey::Right:
      return VK_RIGHT;
    case NamedKey::Up:
      return VK_UP;
    case NamedKey::Down:
      return VK_DOWN;
    case NamedKey::None:
      return 0;
    default:
      return static_cast<WORD>(VK_F1 + (static_cast<int>(key) - static_cast<int>(NamedKey::F1)));
  }
}

void AddPress(std::vector<INPUT>& inputs, WORD vk) {
  const WORD scan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  inputs.push_back(KeyInput(vk, scan, 0));
  inputs.push_back(KeyInput(vk, scan, KEYEVENTF_KEYUP));
}

// A chord as input events: modifiers down, the key, modifiers up. A plain character is typed
// as a Unicode character, whatever the keyboard layout; with a modifier it is the key that
// carries that character, since Alt+N and Ctrl+V are keys, not characters.
bool AddChord(std::vector<INPUT>& inputs, const KeyChord& chord) {
  const bool modified = chord.modifiers.alt || chord.modifiers.ctrl || chord.modifiers.shift;
  WORD vk = VirtualKey(chord.key);
  if (chord.key == NamedKey::None && modified) {
    const SHORT scan = ::VkKeyScanW(chord.character);
    if (scan == -1) return false;
    vk = static_cast<WORD>(scan & 0xFF);
  }
  if (vk == 0) {
    inputs.push_back(KeyInput(0, chord.character, KEYEVENTF_UNICODE));
    inputs.push_back(KeyInput(0, chord.character, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    return true;
  }
  const WORD held[] = {static_cast<WORD>(chord.modifiers.ctrl ? VK_CONTROL : 0),
                       static_cast<WORD>(chord.modifiers.alt ? VK_MENU : 0),
                       static_cast<WORD>(chord.modifiers.shift ? VK_SHIFT : 0)};
  for (WORD m : held) {
    if (m)
      inputs.push_back(KeyInput(m, static_cast<WORD>(::MapVirtualKeyW(m, MAPVK_VK_TO_VSC)), 0));
  }
  AddPress(inputs, vk);
  for (int i = 2; i >= 0; --i) {
    if (held[i]) {
      inputs.push_back(KeyInput(
          held[i], static_cast<WORD>(::MapVirtualKeyW(held[i], MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP));
    }
  }
  return true;
}

}  // namespace

std::optional<std::vector<INPUT>> InputsFor(std::span<const KeyChord> keys) {
  std::vector<INPUT> inputs;
  inputs.reserve(keys.size() * 2);
  for (const auto& chord : keys) {
    if (!AddChord(inputs, chord)) return std::nullopt;
  }
  return inputs;
}

bool SendChords(std::span<const KeyChord> keys) {
  auto inputs = InputsFor(keys);
  if (!inputs) return false;
  if (inputs->empty()) return true;
  const UINT sent = ::SendInput(static_cast<UINT>(inputs->size()), inputs->data(), sizeof(INPUT));
  return sent == inputs->size();
}

}  // namespace hop
