// The stored path list and clipboard option: read once at start-up, written at shut-down and
// whenever the list or the option changes.
//
// Everything lives under application "Quorvane", section "Hopdirs": "Amount" (the number of
// paths), "Path1".."PathN" (the paths in menu order) and "Clipboard" (True or False). Nothing
// here reports a failure: a store operation that fails leaves the remaining ones to run.
#pragma once

#include <functional>
#include <string_view>

#include "model/path_menu.h"
#include "settings/settings_store.h"

namespace hop {

inline constexpr std::wstring_view kSettingsApplication = L"Quorvane";
inline constexpr std::wstring_view kSettingsSection = L"Hopdirs";

// The start-up read: one AddMenuItem per stored path (an absent path key gives an empty
// caption), then the clipboard option (absent or unreadable: on).
void ReadPathListSettings(SettingsStore& store, PathMenu& paths, bool& clipboardChecked);

// The settings write: when the list got shorter than the stored count, one beep and the surplus
// path keys deleted in ascending order; then "Amount", the path keys in ascending order and
// "Clipboard".
void WritePathListSettings(SettingsStore& store, const PathMenu& paths, bool clipboardChecked,
                           const std::function<void()>& beep);

}  // namespace hop
