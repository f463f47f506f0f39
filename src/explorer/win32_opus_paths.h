// Reads the folders Directory Opus shows, through the command-line helper it installs beside
// itself, and only while it runs.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace hop {

inline constexpr wchar_t kOpusProgram[] = L"dopus.exe";
inline constexpr wchar_t kOpusHelper[] = L"dopusrt.exe";

// While a dopus.exe runs: its helper from the same folder, asked to write the "paths" information
// into a file of our own (removed afterwards), then that file's folders as OpusShownFolders
// orders them (not yet looked for on disk). Nothing when no Directory Opus runs (which is never
// started), or when the helper has not finished by `deadline`: it is then ended.
std::vector<std::wstring> ReadOpusFolders(std::chrono::steady_clock::time_point deadline);

}  // namespace hop
