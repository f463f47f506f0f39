// The static definition of the about box: its client size and its controls, in twips.
#pragma once

#include <string_view>

#include "win32/twips.h"

namespace hop::about_layout {

inline constexpr int kClientWidth = 5100;
inline constexpr int kClientHeight = 3840;
// Design position of the client area; replaced by the centring at load.
inline constexpr int kDesignLeft = 1020;
inline constexpr int kDesignTop = 1470;

inline constexpr TwipsRect AboutIcon{240, 240, 480, 480};
inline constexpr TwipsRect lblProgram{1080, 240, 3855, 255};
inline constexpr TwipsRect lblAuthor{1080, 525, 1575, 255};
inline constexpr TwipsRect lblMaker{1080, 840, 2895, 255};
inline constexpr TwipsRect lblContact{1080, 1080, 2415, 375};
inline constexpr TwipsRect lblInformation{1080, 1800, 855, 255};
inline constexpr TwipsRect lblSpecific{1080, 2040, 3855, 255};
inline constexpr TwipsRect lblMemoryCaption{1080, 2520, 2895, 255};
inline constexpr TwipsRect lblMemory{4080, 2520, 855, 255};
inline constexpr TwipsRect cmdOK{3840, 3320, 1095, 330};

// The etched rule: a grey line with a white one just below it.
struct TwipsLine {
  int x1, y1, x2, y2, widthPixels;
  unsigned char red, green, blue;
};
inline constexpr TwipsLine Line2{1080, 2385, 4920, 2385, 1, 128, 128, 128};
inline constexpr TwipsLine Line1{1095, 2400, 4920, 2400, 2, 255, 255, 255};

// The credit lines.
inline constexpr std::wstring_view kAuthor = L"By the Hopdirs team";
inline constexpr std::wstring_view kMaker = L"Made by Quorvane";
inline constexpr std::wstring_view kContact =
    L"quorvane.example/hopdirs\r\nhopdirs@quorvane.example";

inline constexpr std::wstring_view kInformation = L"Information:";
inline constexpr std::wstring_view kMemoryLabel = L"Physical Memory Available to Windows:";

// The label font: "MS Sans Serif" 8.25 pt. Current Windows draws it with its TrueType successor;
// where that is not installed the old name is asked for.
inline constexpr std::wstring_view kFontFace = L"Microsoft Sans Serif";
inline constexpr std::wstring_view kFallbackFontFace = L"MS Sans Serif";
inline constexpr double kFontPoints = 8.25;

}  // namespace hop::about_layout
