// What the about box reads from the system at each load.
#pragma once

#include <windows.h>

#include <string>

namespace hop {

// Total physical memory as "###,##0 KB" with the user's thousands separator.
std::wstring MemoryFigure();
// "File Selector Hopdir Access, 1.21" from this program's version resource.
std::wstring ProgramFigure();
// The labels' font at the given DPI; the caller owns it.
HFONT CreateLabelFont(UINT dpi);

}  // namespace hop
