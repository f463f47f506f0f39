#include "explorer/win32_explorer_windows.h"

#include <windows.h>
// After windows.h:
#include <exdisp.h>
#include <objbase.h>
#include <servprov.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "win32/com.h"
#include "win32/window_queries.h"

namespace hop {
namespace {

// {9BA05972-F6A8-11CF-A442-00A0C90A8F39}
constexpr CLSID kShellWindows = {
    0x9ba05972, 0xf6a8, 0x11cf, {0xa4, 0x42, 0x00, 0xa0, 0xc9, 0x0a, 0x8f, 0x39}};
// {4C96BE40-915C-11CF-99D3-00AA004AE837}
constexpr GUID kTopLevelBrowser = {
    0x4c96be40, 0x915c, 0x11cf, {0x99, 0xd3, 0x00, 0xaa, 0x00, 0x4a, 0xe8, 0x37}};

using win32::As;
using win32::ComRef;

// One entry as read: the window it belongs to and the window of its own tab.
struct Tab {
  HWND frame = nullptr;
  bool active = true;
  std::wstring path;
};

// Asked on the worker, within the read's bound: a folder on an offline share may take long.
bool IsDirectory(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring FileSystemPath(PCIDLIST_ABSOLUTE list) {
  std::wstring path(32768, L'\0');
  if (!::SHGetPathFromIDListEx(list, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT))
    return {};  // a virtual folder: This PC, Libraries, Control Panel, search results
  path.resize(path.find(L'\0'));
  // The shell browses into archives (a .zip is a folder to it, with a file's path): a dialog
  // would open the archive or take its name.
  return IsDirectory(path) ? path : std::wstring();
}

// The browser's own window is its tab's, a child of the folder window; the shown tab's is the
// first of them in Z-order (hidden tabs are not always marked so by their style). A browser
// whose window is the folder window itself has no tabs.
void PlaceTab(HWND tabWindow, Tab& tab) {
  if (!tabWindow) return;
  tab.frame = ::GetAncestor(tabWindow, GA_ROOT);
  tab.active = tabWindow == tab.frame ||
               tabWindow == ::FindWindowExW(tab.frame, nullptr, L"ShellTabWindowClass", nullptr);
}

// The folder one entry shows, the documented way: its top-level browser, the active view, the
// view's folder and that folder's item list, made a path where it is a file-system folder.
std::optional<Tab> ReadTab(IDispatch& item) {
  const auto provider = As<IServiceProvider>(&item);
  ComRef<IShellBrowser> browser;
  if (!provider ||
      FAILED(
          provider->QueryService(kTopLevelBrowser, __uuidof(IShellBrowser), browser.putVoid())) ||
      !browser)
    return std::nullopt;
  Tab tab;
  HWND tabWindow = nullptr;
  if (SUCCEEDED(browser->GetWindow(&tabWindow))) PlaceTab(tabWindow, tab);
  ComRef<IShellView> view;
  if (FAILED(browser->QueryActiveShellView(view.put())) || !view) return std::nullopt;
  const auto folderView = As<IFolderView>(view.get());
  ComRef<IPersistFolder2> folder;
  if (!folderView || FAILED(folderView->GetFolder(__uuidof(IPersistFolder2), folder.putVoid())) ||
      !folder)
    return std::nullopt;
  PIDLIST_ABSOLUTE list = nullptr;
  if (FAILED(folder->GetCurFolder(&list)) || !list) return std::nullopt;
  tab.path = FileSystemPath(list);
  ::ILFree(list);
  return tab;
}

}  // namespace

// What a worker has read so far; shared with it, since it may outlive the reader.
struct ExplorerRead {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<Tab> tabs;
  bool finished = false;
  // The shell keeps no list of its windows (Wine's answers "not implemented"): not asked again.
  bool unlisted = false;

  void Add(Tab tab) {
    const std::lock_guard lock(mutex);
    tabs.push_back(std::move(tab));
  }
  void Finish(bool shellUnlisted) {
    const std::lock_guard lock(mutex);
    finished = true;
    unlisted = shellUnlisted;
    changed.notify_all();
  }
  bool Finished() {
    const std::lock_guard lock(mutex);
    return finished;
  }
  bool Unlisted() {
    const std::lock_guard lock(mutex);
    return unlisted;
  }
};

namespace {

// The worker: every entry of the shell's window list, in a single-threaded apartment of its own
// (asking a browser for its window is an input-synchronized call, which a multi-threaded
// apartment cannot make). True when the shell keeps no such list.
bool ReadShellWindows(const win32::ComLibrary& com, const ExplorerWindows::ListSource& source,
                      ExplorerRead& read) {
  const win32::ComApartment apartment(COINIT_APARTMENTTHREADED);
  HRESULT counted = E_FAIL;
  {
    ComRef<IShellWindows> windows;
    long count = 0;
    if (source)
      *windows.put() = source();
    else
      com.create(kShellWindows, nullptr, CLSCTX_ALL, __uuidof(IShellWindows), windows.putVoid());
    if (windows) counted = windows->get_Count(&count);
    if (SUCCEEDED(counted)) {
      for (long i = 0; i < count; ++i) {
        VARIANT index{};
        index.vt = VT_I4;
        index.lVal = i;
        ComRef<IDispatch> item;
        if (windows->Item(index, item.put()) != S_OK || !item) continue;
        if (auto tab = ReadTab(*item.get())) read.Add(std::move(*tab));
      }
    }
  }
  return counted == E_NOTIMPL;
}

// Without a folder window of Explorer there is nothing to list, and the shell is not asked: no
// call into another process while no folder is open. This also keeps Hopdirs clear of Wine 8's
// list, which lists nothing, and after being asked for it Wine's desktop process was seen to end
// now and then, taking every window of Hopdirs with it.
bool AnyExplorerFolderWindow() {
  return ::FindWindowExW(nullptr, nullptr, kExplorerFolderClass, nullptr) != nullptr;
}

// The top-level windows from the front-most down.
std::vector<HWND> FrontToBack() {
  std::vector<HWND> order;
  win32::ForEachTopLevel([&](HWND window) {
    order.push_back(window);
    return true;
  });
  return order;
}

std::vector<ShellFolder> Ranked(const std::vector<Tab>& tabs) {
  const std::vector<HWND> order = FrontToBack();
  std::vector<ShellFolder> folders;
  for (const Tab& tab : tabs) {
    // A window not found (gone meanwhile) goes after all the others.
    const auto rank =
        static_cast<std::size_t>(std::find(order.begin(), order.end(), tab.frame) - order.begin());
    folders.push_back({tab.path, rank, tab.active});
  }
  return folders;
}

}  // namespace

ExplorerWindows::ExplorerWindows(std::chrono::milliseconds bound, ListSource source)
    : bound_(bound), source_(std::move(source)) {}

ExplorerWindows::~ExplorerWindows() = default;

std::vector<ShellFolder> ExplorerWindows::Read(std::chrono::steady_clock::time_point deadline) {
  if (last_ && (!last_->Finished() || last_->Unlisted())) return {};
  if (!AnyExplorerFolderWindow()) return {};
  auto read = std::make_shared<ExplorerRead>();
  try {
    std::thread([read, source = source_] {
      bool unlisted = false;
      try {  // nothing may escape a thread: it would end the program
        const win32::ComLibrary* com = win32::Com();
        unlisted = com && ReadShellWindows(*com, source, *read);
      } catch (...) {
      }
      read->Finish(unlisted);
    }).detach();
  } catch (const std::system_error&) {
    return {};  // no thread to be had: no section this time
  }
  last_ = read;
  // While the worker reads, within the same bound: the first read loads COM's library (on the
  // worker) and the GUI thread joins its apartment.
  if (!apartment_) apartment_ = std::make_unique<win32::ComApartment>(COINIT_APARTMENTTHREADED);
  std::vector<Tab> tabs;
  {
    std::unique_lock lock(read->mutex);
    read->changed.wait_until(lock, deadline, [&] { return read->finished; });
    tabs = read->tabs;
  }
  return Ranked(tabs);
}

}  // namespace hop
