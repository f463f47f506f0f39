// The other file managers' readers against stand-ins run as processes of their own (see
// manager_stand_in.cpp): Total Commander (current and older), Double Commander, Directory Opus.
#include "explorer/win32_file_manager_folders.h"

#include <windows.h>
// After windows.h:
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "win32/unique_handle.h"

namespace hop {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

fs::path TestFolder() {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  return fs::path(self).parent_path();
}

class FileManagerFoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ =
        fs::temp_directory_path() / (L"hop-managers-" + std::to_wstring(::GetCurrentProcessId()));
    fs::create_directories(root_ / L"bin");
    for (const wchar_t* name : {L"totalcmd64.exe", L"doublecmd.exe", L"dopus.exe", L"dopusrt.exe"})
      fs::copy_file(TestFolder() / L"manager_stand_in.exe", root_ / L"bin" / name);
  }
  void TearDown() override {
    for (const auto& process : processes_) {
      ::TerminateProcess(process.get(), 0);
      ::WaitForSingleObject(process.get(), 5000);
    }
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  std::wstring Folder(const wchar_t* name) {
    fs::create_directories(root_ / name);
    return (root_ / name).wstring();
  }
  void Write(const wchar_t* name, const std::string& text) {
    std::ofstream(root_ / L"bin" / name, std::ios::binary) << text;
  }
  // Starts a stand-in; one with a window is waited for until its window is there.
  void Start(const wchar_t* program, const std::wstring& arguments) {
    const std::wstring path = (root_ / L"bin" / program).wstring();
    std::wstring command = L"\"" + path + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(::CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &started));
    ::CloseHandle(started.hThread);
    processes_.emplace_back(started.hProcess);
    if (arguments == L"idle") return;
    for (int tries = 0; tries < 500 && !WindowOf(started.dwProcessId); ++tries) ::Sleep(10);
    ASSERT_TRUE(WindowOf(started.dwProcessId)) << "no window from " << arguments.c_str();
  }
  static HWND WindowOf(DWORD process) {
    for (HWND w = ::FindWindowExW(nullptr, nullptr, L"TTOTAL_CMD", nullptr); w;
         w = ::FindWindowExW(nullptr, w, L"TTOTAL_CMD", nullptr)) {
      DWORD owner = 0;
      ::GetWindowThreadProcessId(w, &owner);
      if (owner == process) return w;
    }
    return nullptr;
  }
  bool HelperRan() const { return fs::exists(root_ / L"bin" / L"runs.txt"); }
  static bool HelperRunning() {
    const win32::UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry))
      if (::lstrcmpiW(entry.szExeFile, L"dopusrt.exe") == 0) return true;
    return false;
  }

  fs::path root_;
  std::vector<win32::UniqueKernelHandle> processes_;
};

std::string Utf8(const std::wstring& text) {
  std::string bytes(text.size() * 3, '\0');
  bytes.resize(static_cast<std::size_t>(
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, nullptr)));
  return bytes;
}

// The order within each answer is the parsers' (unit tables); here, what each reader gets across
// processes, and what it leaves out.
TEST_F(FileManagerFoldersTest, EachManagerFrontMostFirstFoldersOnDiskOnly) {
  const std::wstring a = Folder(L"A"), b = Folder(L"B"), c = Folder(L"C\u00e9");
  const std::wstring inArchive = (root_ / L"data.zip" / L"in").wstring();
  Start(L"totalcmd64.exe", L"old \"" + c + L"\" \"" + inArchive + L"\"");
  // Folders with their trailing backslash, doubled before a quote on a command line.
  Start(L"totalcmd64.exe", L"tc \"" + a + L"\\\\\" \"" + b + L"\\\\\"");
  Start(L"doublecmd.exe", L"dc \"B (" + b + L"\\) - Double Commander 1.1.10\"");
  Start(L"doublecmd.exe", L"dc \"Double Commander 1.1.10\"");
  Write(L"paths.xml", "<results><path tab_state=\"2\">" + Utf8(inArchive) +
                          "</path><path active_lister=\"1\" tab_state=\"1\">" + Utf8(c) +
                          "</path></results>");
  Start(L"dopus.exe", L"idle");
  // What each manager answers, not how fast: a bound that a loaded machine's process start (the
  // Opus helper's, about 100 ms here) cannot miss. The next test holds the real bound.
  const struct {
    FileManager manager;
    std::vector<std::wstring> folders;
  } cases[] = {
      {FileManager::TotalCommander, {a, b, c}},  // the front-most first; no archive's inside
      {FileManager::DoubleCommander, {b}},       // nothing from a title without a folder
      {FileManager::DirectoryOpus, {c}},         // through the helper's file, UTF-8
  };
  for (const auto& row : cases)
    EXPECT_EQ(ReadFileManagerFolders(row.manager, std::chrono::milliseconds(1000)), row.folders)
        << static_cast<int>(row.manager);
}

TEST_F(FileManagerFoldersTest, NeverStartsOpusAndReturnsWithinTheBoundFromManagersThatDoNotAnswer) {
  Write(L"paths.xml", "<results><path tab_state=\"1\">C:\\</path></results>");
  EXPECT_TRUE(ReadFileManagerFolders(FileManager::DirectoryOpus).empty());
  EXPECT_FALSE(HelperRan()) << "the helper was run without Directory Opus";

  const std::wstring a = Folder(L"A");
  Start(L"totalcmd64.exe", L"hung");
  Start(L"totalcmd64.exe", L"tc \"" + a + L"\" \"" + a + L"\" 10000");
  Write(L"slow", "");
  Start(L"dopus.exe", L"idle");
  for (const auto manager : {FileManager::TotalCommander, FileManager::DirectoryOpus}) {
    const auto start = Clock::now();
    EXPECT_TRUE(ReadFileManagerFolders(manager).empty()) << static_cast<int>(manager);
    EXPECT_LT(Clock::now() - start, kFileManagerReadBound + std::chrono::milliseconds(50))
        << static_cast<int>(manager);
  }
  // The helper found late was ended, not left to write its file after the read gave up.
  for (int tries = 0; tries < 100 && HelperRunning(); ++tries) ::Sleep(10);
  EXPECT_FALSE(HelperRunning());
}

}  // namespace
}  // namespace hop
