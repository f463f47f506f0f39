#include "hotkey/hotkey_menu.h"

#include <algorithm>

namespace hop {

std::optional<wchar_t> DigitOfKey(std::uint16_t key) {
  constexpr std::uint16_t kNumpad0 = 0x60;
  if (key >= '0' && key <= '9') return wchar_t(key);
  if (key >= kNumpad0 && key <= kNumpad0 + 9) return wchar_t(L'0' + (key - kNumpad0));
  return std::nullopt;
}

std::optional<std::size_t> ItemWithDigit(std::span<const std::wstring> captions, wchar_t digit) {
  for (std::size_t i = 0; i < captions.size(); ++i) {
    if (captions[i].size() >= 2 && captions[i][0] == L'&' && captions[i][1] == digit) return i;
  }
  return std::nullopt;
}

MenuAnchor HotkeyMenuAnchor(const ScreenRect& field, const ScreenRect& workArea, int width,
                            int height) {
  MenuAnchor anchor;
  if (field.left + width <= workArea.right) {
    anchor.x = std::max(field.left, workArea.left);
  } else {
    anchor.x = workArea.right;
    anchor.alignRight = true;
  }
  const int below = std::max(field.bottom, workArea.top);
  if (below + height <= workArea.bottom) {
    anchor.y = below;
  } else if (field.top - height >= workArea.top) {
    anchor.y = std::min(field.top, workArea.bottom);
    anchor.alignBottom = true;
  } else {
    anchor.y = workArea.top;  // taller than either side: from the top, scrolling if need be
  }
  return anchor;
}

std::wstring NoPathsNotice() {
  return L"No paths yet. Right-click the Hopdirs icon and choose List... to add some.";
}

std::wstring HotkeyRefusedNotice(const Hotkey& hotkey) {
  return HotkeyText(hotkey) +
         L" is taken by another program, so it cannot pop the path menu. Choose another key: "
         L"right-click the Hopdirs icon, then Hotkey...";
}

}  // namespace hop
