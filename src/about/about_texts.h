// The texts of the about box and the arithmetic behind them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace hop {

inline constexpr std::wstring_view kApplicationTitle = L"Hopdirs";

// The about box's specific information: the path count followed by " Hopdirs are available".
std::wstring AboutTextFor(std::uint8_t pathCount);
// The caption: "About " followed by the application title.
std::wstring AboutCaption(std::wstring_view title);
// Description and version: "File Selector Hopdir Access, 1.21". The revision is never shown.
std::wstring ProgramLine(std::wstring_view description, unsigned major, unsigned minor);
// Total physical memory in kilobytes as "###,##0 KB": divided by 1024, rounded half away from
// zero, digits grouped by three with the given thousands separator.
std::wstring MemoryText(std::uint64_t totalBytes, std::wstring_view thousandsSeparator);

// Where a window goes to be centred on the screen. All in twips, as real numbers; not clamped,
// so a screen smaller than the window gives negative coordinates.
struct CentredPosition {
  double left;
  double top;
};
CentredPosition CentreOnScreen(double screenWidth, double screenHeight, double windowWidth,
                               double windowHeight);

}  // namespace hop
