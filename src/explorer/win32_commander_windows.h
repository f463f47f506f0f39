// Reads the folders shown by the file managers whose main window is of class TTOTAL_CMD: Total
// Commander, which answers a query, and Double Commander, which shares the class and only shows
// its folder in its title (when told to).
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace hop {

inline constexpr wchar_t kCommanderClass[] = L"TTOTAL_CMD";

// Each Total Commander window from the front-most down: its source (active) panel's folder, then
// its target panel's, where they are file-system folders (not yet looked for on disk). Versions
// without the query give their left and right path labels' folders. A window that does not answer
// by `deadline` (hung, busy, or running elevated) is left out, and so are those after it.
//
// The answer is a message sent back to the asking window while the query is still out, so the
// calling thread gets its own window and must not be one that may be blocked: call it on a worker.
std::vector<std::wstring> ReadTotalCommanderFolders(std::chrono::steady_clock::time_point deadline);

// The folders Double Commander's windows show in their titles, front-most first; nothing from a
// window whose title shows no folder.
std::vector<std::wstring> ReadDoubleCommanderFolders();

}  // namespace hop
