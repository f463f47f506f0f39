// The folders other file managers show: Total Commander, Double Commander and Directory Opus,
// read together when a menu opens, each within its own bound.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace hop {

struct ManagerRead;

inline constexpr std::chrono::milliseconds kFileManagerReadBound{150};

// Each read runs on one worker thread, the managers one after another, each given `bound`; the
// caller waits at most the sum of the bounds and keeps what was read by then. A manager that
// does not answer in time is left out, as is one running elevated (it cannot be asked). Only
// running programs are asked, nothing is started but Directory Opus's own helper, and nothing
// is changed: no clipboard, no setting, no file of theirs. While a worker given up on is still
// out (a check on disk can block) no other one starts and reads come back empty.
class FileManagerFolders {
 public:
  explicit FileManagerFolders(std::chrono::milliseconds bound = kFileManagerReadBound)
      : bound_(bound) {}
  FileManagerFolders(const FileManagerFolders&) = delete;
  FileManagerFolders& operator=(const FileManagerFolders&) = delete;

  // The folders in the order the menus list them: Total Commander's windows from the front-most
  // down (each one's active panel, then its other), Double Commander's, then Directory Opus's
  // shown tabs (the active lister's source tab first). Each folder once, and only folders that
  // exist on disk: a path into an archive is left out.
  std::vector<std::wstring> Read();

 private:
  std::chrono::milliseconds bound_;
  std::shared_ptr<ManagerRead> last_;
};

}  // namespace hop
