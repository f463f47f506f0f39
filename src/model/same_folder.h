// When two paths name the same folder (or file): Windows' names ignore case, a trailing
// backslash names the same folder, and forward slashes are backslashes. The one rule the list,
// Add, the open folders and the recent folders all use.
#pragma once

#include <string>
#include <string_view>

namespace hop {

// The path reduced to what tells folders apart: upper case, backslashes, no trailing one.
std::wstring FolderKey(std::wstring_view path);
bool SameFolder(std::wstring_view a, std::wstring_view b);

}  // namespace hop
