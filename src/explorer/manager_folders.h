// The folders other file managers show, read from what each of them answers: which texts are
// file-system folders, and in which order they are listed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hop {

// The folder a manager's text names, as a dialog can go there: a drive path ("C:\x") or a share
// ("\\server\share\x"), without a trailing backslash (a drive's root keeps its own: "C:\"). A
// path label's file mask ("C:\x\*.*") is left off. Nothing for what is no plain folder path:
// FTP and other addresses, plug-in and virtual places ("\\\Registry\"), device paths, or text
// that is no path at all. (A folder inside an archive looks like a path: the reader checks it
// on disk.)
std::optional<std::wstring> FileSystemFolder(std::wstring_view text);

// Total Commander's answer to a path query: UTF-16 (little-endian) bytes, up to the first nul.
std::optional<std::wstring> CommanderReplyFolder(std::string_view bytes);

// The folder Double Commander's title shows when it is told to show it: "name (C:\path\) -
// Double Commander 1.1.10", or the path alone before the program's name. Nothing otherwise.
std::optional<std::wstring> DoubleCommanderTitleFolder(std::wstring_view title);

// The folders Directory Opus lists in its "paths" information (XML, UTF-8 or UTF-16 with its
// byte-order mark): the shown tabs only (tab_state 1 and 2), the active lister's first, in each
// lister the source tab (1) before the other side's (2). File-system folders only, each once.
std::vector<std::wstring> OpusShownFolders(std::string_view xml);

// Each folder once, the first time it comes: the same folder whatever its case or a trailing
// backslash.
std::vector<std::wstring> EachFolderOnce(const std::vector<std::wstring>& folders);

}  // namespace hop
