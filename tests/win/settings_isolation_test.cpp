// The tests that start and shut down the program keep to their own store and instance claim: they
// pass while the user's Hopdirs runs, and the user's list under
// HKEY_CURRENT_USER\Software\Quorvane\Hopdirs is exactly as it was after they ran.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <vector>

#include "settings/registry_store.h"
#include "shell/lifecycle.h"
#include "test_store.h"
#include "win32/unique_handle.h"

namespace hop {
namespace {

constexpr const wchar_t* kUsersKey = L"Software\\Quorvane\\Hopdirs";
constexpr const wchar_t* kCompanyKey = L"Software\\Quorvane";
// Every fixture that creates a main window, and so claims the instance and reads and writes
// settings.
constexpr const wchar_t* kSettingsFixtures =
    L"LifecycleTest.*:MainWindow.*:AboutBoxTest.*:EditorWindowTest.*:HotkeyWindowTest.*";

struct Value {
  DWORD type;
  std::vector<BYTE> data;
  bool operator==(const Value&) const = default;
};
struct Snapshot {
  std::map<std::wstring, Value> values;
  DWORD subkeys = 0;
  bool operator==(const Snapshot&) const = default;
};

// Every value of a key with its type and bytes; nothing when the key is absent.
std::optional<Snapshot> Take(const std::wstring& path) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const win32::UniqueRegistryKey key(opened);
  Snapshot snapshot;
  DWORD count = 0, longestName = 0, longestData = 0;
  ::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &snapshot.subkeys, nullptr, nullptr,
                     &count, &longestName, &longestData, nullptr, nullptr);
  for (DWORD i = 0; i < count; ++i) {
    std::wstring name(longestName + 1, L'\0');
    Value value{0, std::vector<BYTE>(longestData)};
    DWORD nameLength = DWORD(name.size()), bytes = DWORD(value.data.size());
    if (::RegEnumValueW(key.get(), i, name.data(), &nameLength, nullptr, &value.type,
                        value.data.data(), &bytes) != ERROR_SUCCESS) {
      continue;
    }
    name.resize(nameLength);
    value.data.resize(bytes);
    snapshot.values[name] = value;
  }
  return snapshot;
}

// Runs this test program's settings fixtures in a process of their own; returns its exit code
// and the number of tests it ran, read from its report.
std::pair<DWORD, int> RunFixtures(DWORD& childId) {
  wchar_t exe[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring report = std::wstring(temp) + L"hopdirs-isolation-" +
                              std::to_wstring(::GetCurrentProcessId()) + L".xml";
  std::wstring command = L"\"" + std::wstring(exe) + L"\" --gtest_filter=" + kSettingsFixtures +
                         L" --gtest_output=xml:" + report;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(exe, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
    return {DWORD(-1), 0};
  }
  const win32::UniqueKernelHandle processHandle(process.hProcess), thread(process.hThread);
  childId = process.dwProcessId;
  DWORD code = DWORD(-1);
  if (::WaitForSingleObject(process.hProcess, 180000) == WAIT_OBJECT_0) {
    ::GetExitCodeProcess(process.hProcess, &code);
  } else {
    ::TerminateProcess(process.hProcess, code);  // a hung fixture must not outlive the run
  }
  std::ifstream file{std::filesystem::path(report)};
  std::stringstream text;
  text << file.rdbuf();
  file.close();
  ::DeleteFileW(report.c_str());
  // The report opens with <testsuites tests="N" ...>.
  const std::string xml = text.str();
  const auto at = xml.find("<testsuites tests=\"");
  const int ran = at == std::string::npos ? 0 : std::atoi(xml.c_str() + at + 19);
  return {code, ran};
}

TEST(SettingsIsolation, TheWindowFixturesPassBesideARunningHopdirsAndLeaveItsListAsItWas) {
  // The user's Hopdirs holds its claim all along (this process stands in for it when none runs).
  const win32::UniqueKernelHandle claim(::CreateMutexW(nullptr, FALSE, UserInstanceName().c_str()));
  ASSERT_TRUE(claim);
  // A list of the user's own is kept as it is; where there is none, one is seeded and removed
  // again.
  const bool companyKeyExisted = Take(kCompanyKey).has_value();
  const bool seeded = !Take(kUsersKey).has_value();
  if (seeded) {
    RegistryStore users;
    for (const auto& [key, text] : {std::pair{L"Amount", L"2"},
                                    {L"Path1", L"C:\\Users\\Seeded\\"},
                                    {L"Path2", L"D:\\Ünïcödé & more\\"},
                                    {L"Clipboard", L"False"}}) {
      ASSERT_TRUE(users.Save(L"Quorvane", L"Hopdirs", key, text));
    }
  }
  const std::optional<Snapshot> before = Take(kUsersKey);
  ASSERT_TRUE(before.has_value());

  DWORD childId = 0;
  const auto [code, ran] = RunFixtures(childId);
  const std::optional<Snapshot> after = Take(kUsersKey);
  if (seeded) {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kUsersKey);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kUsersKey);
    if (!companyKeyExisted) ::RegDeleteKeyW(HKEY_CURRENT_USER, kCompanyKey);
  }

  EXPECT_EQ(code, 0u);
  EXPECT_GE(ran, 20);  // the fixtures did run, writing settings on the way
  EXPECT_TRUE(after == before);
  // And the fixtures' own store is gone with them.
  const std::wstring childStore =
      std::wstring(kCompanyKey) + L"\\Hopdirs.Test." + std::to_wstring(childId);
  EXPECT_FALSE(Take(childStore).has_value());
}

}  // namespace
}  // namespace hop
