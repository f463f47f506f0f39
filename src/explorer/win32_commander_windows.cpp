#include "explorer/win32_commander_windows.h"

#include <windows.h>

#include <optional>
#include <string_view>
#include <utility>

#include "explorer/manager_folders.h"
#include "win32/unique_handle.h"
#include "win32/window_class.h"
#include "win32/window_owner.h"
#include "win32/window_queries.h"

namespace hop {
namespace {

using Clock = std::chrono::steady_clock;

// Total Commander's documented interface: a query 'G'+256*'W' with an ANSI command, answered
// by 'R'+256*'W' with UTF-16 text; older versions hand out their path labels on WM_USER+50.
constexpr ULONG_PTR kAskPath = 'G' + 256 * 'W';
constexpr ULONG_PTR kPathReply = 'R' + 256 * 'W';
constexpr UINT kGetWindow = WM_USER + 50;
constexpr WPARAM kLeftPathLabel = 9;
constexpr WPARAM kRightPathLabel = 10;
constexpr DWORD kLongestReply = 64 * 1024;
constexpr wchar_t kReplyClass[] = L"Hopdirs.CommanderReply";

UINT MillisecondsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<UINT>(left.count()) : 0;
}

// A message to another program's window that gives up at the deadline, or at once when that
// program is hung. Without SMTO_BLOCK: messages sent to this thread meanwhile (the answer) are
// handled while it waits.
std::optional<DWORD_PTR> SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     Clock::time_point deadline) {
  const UINT bound = MillisecondsUntil(deadline);
  DWORD_PTR result = 0;
  if (bound == 0 ||
      !::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, bound, &result))
    return std::nullopt;
  return result;
}

// The window an answer comes back to: message-only, of the asking thread.
class ReplyWindow {
 public:
  ReplyWindow() {
    static const win32::WindowClass replyClass(WNDCLASSEXW{
        .lpfnWndProc = &win32::WindowThunk<ReplyWindow>,
        .hInstance = ::GetModuleHandleW(nullptr),
        .lpszClassName = kReplyClass,
    });
    window_.reset(::CreateWindowExW(0, kReplyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    ::GetModuleHandleW(nullptr), this));
  }
  ReplyWindow(const ReplyWindow&) = delete;
  ReplyWindow& operator=(const ReplyWindow&) = delete;
  ~ReplyWindow() { window_.reset(); }
  explicit operator bool() const { return static_cast<bool>(window_); }

  // The reply naming one panel's folder: nothing when the window did not answer in time (`failed`
  // set) or answered without a reply (an older version).
  std::optional<std::string> Ask(HWND commander, std::string_view command,
                                 Clock::time_point deadline, bool& failed) {
    std::string text(command);
    COPYDATASTRUCT request{kAskPath, static_cast<DWORD>(text.size() + 1), text.data()};
    reply_.reset();
    asking_ = true;
    failed = !SendBounded(commander, WM_COPYDATA, reinterpret_cast<WPARAM>(window_.get()),
                          reinterpret_cast<LPARAM>(&request), deadline);
    asking_ = false;
    if (reply_) failed = false;
    return std::exchange(reply_, std::nullopt);
  }

 private:
  friend struct win32::ThunkAccess;
  void Attach(HWND window) { self_ = window; }
  void Detach() { self_ = nullptr; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return ::DefWindowProcW(self_, message, wParam, lParam);
    // Only while a query is out: a late answer to one given up on is not taken for the next.
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!asking_ || !data || data->dwData != kPathReply || !data->lpData ||
        data->cbData > kLongestReply)
      return FALSE;
    reply_.emplace(static_cast<const char*>(data->lpData), data->cbData);
    return TRUE;
  }

  HWND self_ = nullptr;
  bool asking_ = false;
  std::optional<std::string> reply_;
  win32::UniqueWindow window_;
};

std::wstring ProcessFileName(HWND window) {
  DWORD id = 0;
  ::GetWindowThreadProcessId(window, &id);
  const win32::UniqueKernelHandle process(
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
  std::wstring path(MAX_PATH * 4, L'\0');
  auto size = static_cast<DWORD>(path.size());
  if (!process || !::QueryFullProcessImageNameW(process.get(), 0, path.data(), &size)) return {};
  path.resize(size);
  return path.substr(path.find_last_of(L"\\/") + 1);
}

// The two share the window class; the program's file tells them apart.
bool IsDoubleCommander(HWND window) {
  const std::wstring name = ProcessFileName(window);
  return ::CompareStringOrdinal(name.c_str(), -1, L"doublecmd.exe", -1, TRUE) == CSTR_EQUAL;
}

std::vector<HWND> CommanderWindows(bool doubleCommander) {
  std::vector<HWND> windows;
  win32::ForEachTopLevel([&](HWND window) {
    if (win32::ClassName(window) == kCommanderClass && IsDoubleCommander(window) == doubleCommander)
      windows.push_back(window);
    return true;
  });
  return windows;
}

// A path label of an older version: its text is the folder and the panel's file mask.
std::optional<std::wstring> LabelFolder(HWND commander, WPARAM which, Clock::time_point deadline) {
  const auto label = SendBounded(commander, kGetWindow, which, 0, deadline);
  const HWND labelWindow = label ? reinterpret_cast<HWND>(*label) : nullptr;
  // Only a window of the program's own: a stray handle is not read.
  if (!labelWindow || !::IsWindow(labelWindow) || ::GetAncestor(labelWindow, GA_ROOT) != commander)
    return std::nullopt;
  std::wstring text(1024, L'\0');
  const auto copied = SendBounded(labelWindow, WM_GETTEXT, text.size(),
                                  reinterpret_cast<LPARAM>(text.data()), deadline);
  if (!copied || *copied >= text.size()) return std::nullopt;
  text.resize(*copied);
  return FileSystemFolder(text);
}

}  // namespace

std::vector<std::wstring> ReadTotalCommanderFolders(Clock::time_point deadline) {
  std::vector<std::wstring> folders;
  const std::vector<HWND> windows = CommanderWindows(false);
  if (windows.empty()) return folders;
  ReplyWindow replies;
  if (!replies) return folders;
  const auto add = [&](std::optional<std::wstring> folder) {
    if (folder) folders.push_back(std::move(*folder));
  };
  for (HWND window : windows) {
    bool failed = false;
    const auto source = replies.Ask(window, "SP", deadline, failed);
    if (failed) continue;  // out of time, or running elevated: the deadline bounds the others
    if (source) {
      add(CommanderReplyFolder(*source));
      if (const auto target = replies.Ask(window, "TP", deadline, failed))
        add(CommanderReplyFolder(*target));
    } else {
      add(LabelFolder(window, kLeftPathLabel, deadline));
      add(LabelFolder(window, kRightPathLabel, deadline));
    }
  }
  return folders;
}

std::vector<std::wstring> ReadDoubleCommanderFolders() {
  std::vector<std::wstring> folders;
  for (HWND window : CommanderWindows(true))
    if (auto folder = DoubleCommanderTitleFolder(win32::Title(window)))
      folders.push_back(std::move(*folder));
  return folders;
}

}  // namespace hop
