// What the tests read back from windows and menus: the product's own queries for windows, and
// a menu item's caption.
#pragma once

#include <windows.h>

#include <string>

#include "win32/window_queries.h"

namespace hop::test {

using win32::ClassName;
using win32::WindowText;

inline std::wstring MenuTextAt(HMENU menu, UINT position) {
  wchar_t text[512] = {};
  ::GetMenuStringW(menu, position, text, 512, MF_BYPOSITION);
  return text;
}

}  // namespace hop::test
