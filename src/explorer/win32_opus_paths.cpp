#include "explorer/win32_opus_paths.h"

#include <windows.h>
// After windows.h:
#include <tlhelp32.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "explorer/manager_folders.h"
#include "win32/unique_handle.h"

namespace hop {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::streamoff kLongestAnswer = 1024 * 1024;

bool SameName(const wchar_t* a, const wchar_t* b) {
  return ::CompareStringOrdinal(a, -1, b, -1, TRUE) == CSTR_EQUAL;
}

std::optional<DWORD> Integrity(HANDLE process) {
  HANDLE rawToken = nullptr;
  if (!::OpenProcessToken(process, TOKEN_QUERY, &rawToken)) return std::nullopt;
  const win32::UniqueKernelHandle token(rawToken);
  DWORD size = 0;
  ::GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
  std::vector<BYTE> label(size);
  if (size == 0 ||
      !::GetTokenInformation(token.get(), TokenIntegrityLevel, label.data(), size, &size))
    return std::nullopt;
  const PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(label.data())->Label.Sid;
  const UCHAR count = *::GetSidSubAuthorityCount(sid);
  return count ? std::optional<DWORD>(*::GetSidSubAuthority(sid, count - 1)) : std::nullopt;
}

// An elevated Directory Opus does not talk to a helper started from here, and what the helper
// does then is its own: it is not started.
bool RunsAboveUs(const win32::UniqueKernelHandle& process) {
  const auto theirs = Integrity(process.get());
  const auto ours = Integrity(::GetCurrentProcess());
  return !theirs || !ours || *theirs > *ours;
}

// The program's file; nothing for a process that runs elevated.
std::wstring ProcessImage(DWORD id) {
  const win32::UniqueKernelHandle process(
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
  std::wstring path(MAX_PATH * 4, L'\0');
  auto size = static_cast<DWORD>(path.size());
  if (!process || RunsAboveUs(process) ||
      !::QueryFullProcessImageNameW(process.get(), 0, path.data(), &size))
    return {};
  path.resize(size);
  return path;
}

// The helper beside the first running dopus.exe that runs no higher than we do; nothing when
// none runs.
std::optional<std::wstring> RunningOpusHelper() {
  const win32::UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) return std::nullopt;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
       more = ::Process32NextW(snapshot.get(), &entry)) {
    if (!SameName(entry.szExeFile, kOpusProgram)) continue;
    const std::wstring image = ProcessImage(entry.th32ProcessID);
    const std::size_t slash = image.find_last_of(L'\\');
    if (slash == std::wstring::npos) continue;
    std::wstring helper = image.substr(0, slash + 1) + kOpusHelper;
    const DWORD attributes = ::GetFileAttributesW(helper.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
      return helper;
  }
  return std::nullopt;
}

// A fresh, empty file of our own in the temporary folder, removed with its owner.
class AnswerFile {
 public:
  AnswerFile() {
    wchar_t folder[MAX_PATH + 1] = {};
    wchar_t name[MAX_PATH + 1] = {};
    if (::GetTempPathW(MAX_PATH + 1, folder) && ::GetTempFileNameW(folder, L"hop", 0, name))
      path_ = name;
  }
  AnswerFile(const AnswerFile&) = delete;
  AnswerFile& operator=(const AnswerFile&) = delete;
  ~AnswerFile() {
    if (!path_.empty()) ::DeleteFileW(path_.c_str());
  }
  const std::wstring& path() const { return path_; }

  // What the helper wrote; nothing when it is larger than any answer could be.
  std::string Contents() const {
    std::ifstream file(std::filesystem::path(path_), std::ios::binary | std::ios::ate);
    const std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : 0;
    if (size <= 0 || size > kLongestAnswer) return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    file.seekg(0);
    file.read(text.data(), size);
    return file ? text : std::string();
  }

 private:
  std::wstring path_;
};

// Runs the helper, hidden, and waits for it until the deadline; ends it when it is late.
bool RunHelper(const std::wstring& helper, const std::wstring& answer, Clock::time_point deadline) {
  std::wstring command = L"\"" + helper + L"\" /info \"" + answer + L"\",paths";
  const std::wstring folder = helper.substr(0, helper.find_last_of(L'\\'));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(helper.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, folder.c_str(), &startup, &started))
    return false;
  const win32::UniqueKernelHandle process(started.hProcess);
  const win32::UniqueKernelHandle thread(started.hThread);
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  const auto wait = static_cast<DWORD>(left.count() > 0 ? left.count() : 0);
  if (::WaitForSingleObject(process.get(), wait) == WAIT_OBJECT_0) return true;
  ::TerminateProcess(process.get(), 1);
  return false;
}

}  // namespace

std::vector<std::wstring> ReadOpusFolders(Clock::time_point deadline) {
  const auto helper = RunningOpusHelper();
  if (!helper) return {};
  const AnswerFile answer;
  if (answer.path().empty() || !RunHelper(*helper, answer.path(), deadline)) return {};
  return OpusShownFolders(answer.Contents());
}

}  // namespace hop
