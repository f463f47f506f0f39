// The one Win32 renderer of a menu's rows: both path menus are drawn by it.
#pragma once

#include <windows.h>

#include <span>

#include "model/menu_model.h"
#include "win32/unique_handle.h"

namespace hop {

// Headings disabled, separators, entries enabled with their identifiers, in order.
void AppendRows(HMENU menu, std::span<const MenuRow> rows);
win32::UniqueMenu RenderMenu(std::span<const MenuRow> rows);

}  // namespace hop
