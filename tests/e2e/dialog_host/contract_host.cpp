// Stand-ins that keep contracts of Windows which Wine's own programs do not show, for the
// end-to-end tests. Each logs as the dialog host does ("ready <hwnd>", "folder <us> <path>",
// "result ...") and more:
//
//   contract_host.exe slow-browse LOGFILE
//     Browse for Folder whose dialog takes 3 s to handle a BFFM_SETSELECTIONW sent from another
//     process and only then reads the path it points to, as the tree does for a slow share:
//     logs "read <path>", or "read gone" when the memory was freed meanwhile.
//   contract_host.exe rooted-browse LOGFILE ROOT
//     Browse for Folder whose tree starts at ROOT (pidlRoot), as a program's own picker does.
//   contract_host.exe slow-keys LOGFILE
//     A low-level keyboard hook that holds every key back for 400 ms, as some input tools do;
//     logs "ready 0" once installed and runs until killed.
#include <windows.h>
// After windows.h, which they need.
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host_log.h"

namespace {

using namespace host;

WNDPROC browseProcedure = nullptr;

// The path the sender pointed to, read without touching memory that may be gone.
std::string PointedPath(LPARAM pointer) {
  wchar_t path[MAX_PATH] = {};
  SIZE_T read = 0;
  if (!::ReadProcessMemory(::GetCurrentProcess(), reinterpret_cast<const void*>(pointer), path,
                           sizeof(path) - sizeof(wchar_t), &read) ||
      read == 0) {
    return "gone";
  }
  return Utf8(path);
}

LRESULT CALLBACK SlowBrowse(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == BFFM_SETSELECTIONW && wParam && ::InSendMessage()) {
    ::Sleep(3000);
    Log("read " + PointedPath(lParam));
    if (PointedPath(lParam) == "gone") return 0;
  }
  return ::CallWindowProcW(browseProcedure, dialog, message, wParam, lParam);
}

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM lParam, LPARAM slow) {
  if (message == BFFM_INITIALIZED) {
    if (slow) {
      browseProcedure = reinterpret_cast<WNDPROC>(
          ::SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SlowBrowse)));
    }
    LogReady(dialog);
  }
  wchar_t path[MAX_PATH] = {};
  if (message == BFFM_SELCHANGED &&
      ::SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path)) {
    LogFolder(path);
  }
  return 0;
}

int RunBrowse(const wchar_t* root, bool slow) {
  BROWSEINFOW info{};
  info.lpszTitle = L"Choose a folder";
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = &BrowseCallback;
  info.lParam = slow;
  info.pidlRoot = root ? ::ILCreateFromPathW(root) : nullptr;
  PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&info);
  wchar_t path[MAX_PATH] = {};
  Log(chosen && ::SHGetPathFromIDListW(chosen, path) ? "result ok " + Utf8(path)
                                                     : std::string("result cancel"));
  ::CoTaskMemFree(chosen);
  ::ILFree(const_cast<PIDLIST_ABSOLUTE>(info.pidlRoot));
  return 0;
}

// Keys held back: taken from the input stream and sent again 400 ms later, so the program that
// sent them has long gone on, as with a hook on Windows, where the sender is not held up.
constexpr ULONG_PTR kHeldBack = 0x486F70;  // marks the keys sent again
struct HeldKey {
  ULONGLONG due;
  INPUT input;
};
std::vector<HeldKey> held;

LRESULT CALLBACK HoldKey(int code, WPARAM wParam, LPARAM lParam) {
  const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
  if (code != HC_ACTION || key->dwExtraInfo == kHeldBack) {
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(key->vkCode);
  input.ki.wScan = static_cast<WORD>(key->scanCode);
  input.ki.dwFlags = (key->flags & LLKHF_UP ? KEYEVENTF_KEYUP : 0) |
                     (key->flags & LLKHF_EXTENDED ? KEYEVENTF_EXTENDEDKEY : 0);
  if (key->vkCode == VK_PACKET) {
    input.ki.wVk = 0;
    input.ki.dwFlags |= KEYEVENTF_UNICODE;
  }
  input.ki.dwExtraInfo = kHeldBack;
  held.push_back({::GetTickCount64() + 400, input});
  return 1;  // not passed on now
}

void CALLBACK SendDue(HWND, UINT, UINT_PTR, DWORD) {
  const ULONGLONG now = ::GetTickCount64();
  std::size_t due = 0;
  while (due < held.size() && held[due].due <= now)
    ::SendInput(1, &held[due++].input, sizeof(INPUT));
  held.erase(held.begin(), held.begin() + static_cast<std::ptrdiff_t>(due));
}

int RunSlowKeys() {
  const HHOOK hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, &HoldKey, ::GetModuleHandleW(nullptr), 0);
  if (!hook) return 1;
  ::SetTimer(nullptr, 0, 10, &SendDue);
  Log("ready 0");
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
  ::UnhookWindowsHookEx(hook);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  if (!OpenLog(argv[2])) return 2;
  const std::wstring kind = argv[1];
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int result = 2;
  if (kind == L"slow-browse") result = RunBrowse(nullptr, true);
  if (kind == L"rooted-browse" && argc > 3) result = RunBrowse(argv[3], false);
  if (kind == L"slow-keys") result = RunSlowKeys();
  ::CoUninitialize();
  CloseLog();
  return result;
}
