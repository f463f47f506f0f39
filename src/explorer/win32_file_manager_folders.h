// The folders other file managers show: Total Commander, Double Commander and Directory Opus,
// each meant as one section of the path menus (not in them yet: see the README).
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace hop {

inline constexpr std::chrono::milliseconds kFileManagerReadBound{150};

enum class FileManager { TotalCommander, DoubleCommander, DirectoryOpus };

// The folders one manager shows, in the order its section lists them: Total Commander's windows
// from the front-most down (each one's active panel, then its other), Double Commander's titles,
// Directory Opus's shown tabs (the active lister's source tab first). Each folder once, and only
// folders on disk (a path into an archive is left out). Only running programs are asked, within
// `bound`; nothing is started but Directory Opus's own helper, and nothing is changed: no
// clipboard, no setting, no file of theirs. A manager running elevated cannot be asked and is
// left out, as is one that does not answer in time. Blocks the calling thread: call it on a
// worker, which needs no message loop (the answers are handled while it waits).
std::vector<std::wstring> ReadFileManagerFolders(
    FileManager manager, std::chrono::milliseconds bound = kFileManagerReadBound);

}  // namespace hop
