// Reads which folders Explorer's windows show, through the shell's window list, within a bound.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "explorer/open_folders.h"

struct IShellWindows;

namespace hop {
namespace win32 {
class ComApartment;
}

struct ExplorerRead;

inline constexpr std::chrono::milliseconds kExplorerReadBound{300};
// The window class of Explorer's folder windows: the shell is asked only while one exists.
inline constexpr wchar_t kExplorerFolderClass[] = L"CabinetWClass";

// A call into an Explorer that does not answer cannot be interrupted, only given up on. So each
// read runs on a worker thread in an apartment of its own and the caller waits for it at
// most the bound; the windows read by then are kept, the one that did not answer and those after
// it are left out. While a worker given up on is still out no other one starts (a hung Explorer
// costs one thread) and reads come back empty until it returns.
//
// Nothing loads before the first read: COM's library is loaded then, and the calling thread (the
// GUI thread) joins a single-threaded apartment once, for the life of this object.
class ExplorerWindows {
 public:
  // Where a worker gets the window list, in its own apartment (a reference it releases): the
  // shell's, unless a stand-in is given.
  using ListSource = std::function<IShellWindows*()>;

  explicit ExplorerWindows(std::chrono::milliseconds bound = kExplorerReadBound,
                           ListSource source = {});
  ~ExplorerWindows();
  ExplorerWindows(const ExplorerWindows&) = delete;
  ExplorerWindows& operator=(const ExplorerWindows&) = delete;

  // The entries of the shell's window list, in its order; nothing when no Explorer folder window
  // exists, Explorer is not running, is restarting or elevated, or the last read has not come
  // back.
  std::vector<ShellFolder> Read() { return Read(std::chrono::steady_clock::now() + bound_); }
  // The same, waiting for the worker until `deadline` at the latest.
  std::vector<ShellFolder> Read(std::chrono::steady_clock::time_point deadline);

 private:
  std::chrono::milliseconds bound_;
  ListSource source_;
  std::shared_ptr<ExplorerRead> last_;
  std::unique_ptr<win32::ComApartment> apartment_;  // the calling thread's, from the first read
};

}  // namespace hop
