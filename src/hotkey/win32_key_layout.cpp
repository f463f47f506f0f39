#include "hotkey/win32_key_layout.h"

#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace hop {

std::optional<wchar_t> Win32KeyLayout::Typed(std::uint16_t key, bool shift, bool ctrlAlt) {
  BYTE state[256] = {};
  const auto hold = [&](std::initializer_list<int> keys) {
    for (const int held : keys) state[held] = 0x80;
  };
  if (shift) hold({VK_SHIFT, VK_LSHIFT});
  // AltGr arrives as left Ctrl with right Alt.
  if (ctrlAlt) hold({VK_CONTROL, VK_LCONTROL, VK_MENU, VK_RMENU});
  const HKL layout = layout_;
  const UINT scan = ::MapVirtualKeyExW(key, MAPVK_VK_TO_VSC, layout);
  wchar_t typed[8] = {};
  // Flag 4: the layout's dead-key state is left as it was (Windows 10 1607 and later).
  constexpr UINT kKeepKeyboardState = 4;
  const int count = ::ToUnicodeEx(key, scan, state, typed, 8, kKeepKeyboardState, layout);
  if (count == 0) return std::nullopt;
  if (count < 0) {
    // A dead key: it types its accent with the next key. A space clears the pending accent on
    // systems that ignore the flag above.
    const wchar_t accent = typed[0] ? typed[0] : L'^';
    const BYTE none[256] = {};
    ::ToUnicodeEx(VK_SPACE, ::MapVirtualKeyExW(VK_SPACE, MAPVK_VK_TO_VSC, layout), none, typed, 8,
                  kKeepKeyboardState, layout);
    return accent;
  }
  return typed[0];
}

std::unique_ptr<KeyLayout> InstalledKeyLayouts() {
  std::vector<HKL> installed(
      static_cast<std::size_t>(std::max(::GetKeyboardLayoutList(0, nullptr), 0)));
  installed.resize(static_cast<std::size_t>(
      std::max(::GetKeyboardLayoutList(static_cast<int>(installed.size()), installed.data()), 0)));
  if (installed.empty()) installed.push_back(::GetKeyboardLayout(0));
  std::vector<std::unique_ptr<KeyLayout>> layouts;
  for (const HKL layout : installed) layouts.push_back(std::make_unique<Win32KeyLayout>(layout));
  return std::make_unique<AnyOfLayouts>(std::move(layouts));
}

}  // namespace hop
