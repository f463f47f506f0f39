// The stored recent folders: "RecentMax" beside the list (absent: 8; 0: none are kept) and the
// folders under "Recent" as R1..Rn, newest first, each "<folder>|<program>" (a bar is in
// neither a path nor a file name). Read at start-up, written whenever they change.
#pragma once

#include <string_view>

#include "model/recent_folders.h"
#include "settings/settings_store.h"

namespace hop {

inline constexpr std::wstring_view kRecentSection = L"Hopdirs\\Recent";

// Reads as much as makes sense: empty, over-long and repeated folders are skipped, and the
// list stops at the first absent value or at RecentMax. When that is not what is stored (or
// RecentMax is 0) the clean list is written back.
RecentFolders ReadRecentSettings(SettingsStore& store);

// R1..Rn as the list stands, then the values after them taken out.
void WriteRecentSettings(SettingsStore& store, const RecentFolders& recent);

}  // namespace hop
