#include "explorer/win32_file_manager_folders.h"

#include <windows.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "explorer/manager_folders.h"
#include "explorer/win32_commander_windows.h"
#include "explorer/win32_opus_paths.h"

namespace hop {

// What a worker has read so far; shared with it, since it may outlive the reader.
struct ManagerRead {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::wstring> folders;
  bool finished = false;

  void Add(const std::vector<std::wstring>& more) {
    const std::lock_guard lock(mutex);
    folders.insert(folders.end(), more.begin(), more.end());
  }
  void Finish() {
    const std::lock_guard lock(mutex);
    finished = true;
    changed.notify_all();
  }
};

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kManagers = 3;
// For the worker to hand over what the last manager answered just before the end.
constexpr std::chrono::milliseconds kHandOver{25};

// A folder on a share (or a mapped network drive) is taken as named: looking for it could block
// for as long as the network does. A local one is looked for, which leaves out archives' insides.
bool OnDisk(const std::wstring& folder) {
  if (folder.starts_with(L"\\\\")) return true;
  const std::wstring root = folder.substr(0, 3);
  if (::GetDriveTypeW(root.c_str()) == DRIVE_REMOTE) return true;
  const DWORD attributes = ::GetFileAttributesW(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::wstring> OnDiskOnly(std::vector<std::wstring> folders) {
  std::erase_if(folders, [](const std::wstring& folder) { return !OnDisk(folder); });
  return folders;
}

void ReadManagers(ManagerRead& read, std::chrono::milliseconds bound, Clock::time_point end) {
  // An empty removable drive must not bring up the system's "insert a disk" box.
  ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, nullptr);
  const auto deadline = [&] { return std::min(Clock::now() + bound, end); };
  read.Add(OnDiskOnly(ReadTotalCommanderFolders(deadline())));
  read.Add(OnDiskOnly(ReadDoubleCommanderFolders()));
  read.Add(OnDiskOnly(ReadOpusFolders(deadline())));
}

}  // namespace

std::vector<std::wstring> FileManagerFolders::Read() {
  if (last_) {
    const std::lock_guard lock(last_->mutex);
    if (!last_->finished) return {};
  }
  const auto end = Clock::now() + kManagers * bound_;
  auto read = std::make_shared<ManagerRead>();
  try {
    std::thread([read, bound = bound_, end] {
      try {  // nothing may escape a thread: it would end the program
        ReadManagers(*read, bound, end);
      } catch (...) {
      }
      read->Finish();
    }).detach();
  } catch (const std::system_error&) {
    return {};  // no thread to be had: no folders this time
  }
  last_ = read;
  std::unique_lock lock(read->mutex);
  read->changed.wait_until(lock, end + kHandOver, [&] { return read->finished; });
  return EachFolderOnce(read->folders);
}

}  // namespace hop
