#include "explorer/win32_file_manager_folders.h"

#include <windows.h>

#include "explorer/manager_folders.h"
#include "explorer/open_folders.h"
#include "explorer/win32_commander_windows.h"
#include "explorer/win32_opus_paths.h"

namespace hop {
namespace {

// A folder on a share (or a mapped network drive) is taken as named: looking for it could block
// for as long as the network does. A local one is looked for, which leaves out archives' insides.
bool OnDisk(const std::wstring& folder) {
  if (folder.starts_with(L"\\\\")) return true;
  const std::wstring root = folder.substr(0, 3);
  if (::GetDriveTypeW(root.c_str()) == DRIVE_REMOTE) return true;
  const DWORD attributes = ::GetFileAttributesW(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::wstring> Answered(FileManager manager, std::chrono::milliseconds bound) {
  const auto deadline = std::chrono::steady_clock::now() + bound;
  switch (manager) {
    case FileManager::TotalCommander:
      return ReadTotalCommanderFolders(deadline);
    case FileManager::DoubleCommander:
      return ReadDoubleCommanderFolders();
    case FileManager::DirectoryOpus:
      return ReadOpusFolders(deadline);
  }
  return {};
}

}  // namespace

std::vector<std::wstring> ReadFileManagerFolders(FileManager manager,
                                                 std::chrono::milliseconds bound) {
  // An empty removable drive must not bring up the system's "insert a disk" box.
  DWORD previous = 0;
  ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous);
  std::vector<std::wstring> folders = EachFolderOnce(Answered(manager, bound));
  std::erase_if(folders, [](const std::wstring& folder) { return !OnDisk(folder); });
  ::SetThreadErrorMode(previous, nullptr);
  return folders;
}

}  // namespace hop
