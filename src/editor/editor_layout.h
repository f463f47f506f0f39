// The editor window's design: client size and controls in twips, control ids and help topics.
#pragma once

#include "editor/editor_help.h"
#include "win32/twips.h"

namespace hop::editor_layout {

constexpr int kClientWidth = 3255;
constexpr int kClientHeight = 1335;

// Control identifiers. cmdAdd is the default button (Enter); cmdClose answers the cancel
// command (Escape), so it carries IDCANCEL's value.
enum ControlId : int {
  cmdClose = 2,
  Label1 = 100,
  cboPaths = 101,
  cmdAdd = 102,
  cmdDelete = 103,
};

struct Control {
  ControlId id;
  const wchar_t* caption;
  TwipsRect rect;
  unsigned helpTopic;
};

// In tab order.
constexpr Control kControls[] = {
    {Label1, L"&Path:", {120, 120, 375, 255}, kWindowTopic},
    {cboPaths, L"", {120, 360, 3015, 315}, kPathsTopic},
    {cmdAdd, L"&Add", {120, 840, 855, 375}, kAddTopic},
    {cmdDelete, L"&Delete", {1200, 840, 855, 375}, kDeleteTopic},
    {cmdClose, L"&Close", {2280, 840, 855, 375}, kCloseTopic},
};

}  // namespace hop::editor_layout
