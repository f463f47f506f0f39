// Reading the folder a Browse for Folder dialog shows: the path built from its folder tree.
#include "hotkey/win32_dialog_folder.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <atomic>
#include <thread>

namespace hop {
namespace {

std::atomic<HWND> g_browse{nullptr};

int CALLBACK SelectOnStart(HWND dialog, UINT message, LPARAM, LPARAM folder) {
  if (message != BFFM_INITIALIZED) return 0;
  ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, folder);
  g_browse = dialog;
  return 0;
}

// Browse for Folder on a thread of its own, open at `folder`, until the test cancels it.
std::optional<std::wstring> FolderOfBrowseDialogAt(const wchar_t* folder) {
  g_browse = nullptr;
  std::thread host([folder] {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    BROWSEINFOW info{};
    info.lpszTitle = L"Pick a folder";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = &SelectOnStart;
    info.lParam = reinterpret_cast<LPARAM>(folder);
    if (const auto chosen = ::SHBrowseForFolderW(&info)) ::CoTaskMemFree(chosen);
    ::CoUninitialize();
  });
  for (int i = 0; i < 200 && !g_browse; ++i) ::Sleep(25);
  ::Sleep(200);  // the tree expands to the selection
  auto read = g_browse ? ReadDialogFolder(g_browse) : std::nullopt;
  if (g_browse) ::PostMessageW(g_browse, WM_COMMAND, IDCANCEL, 0);
  host.join();
  return read;
}

TEST(DialogFolder, BrowseForFolderTellsItsSelectionAsAPath) {
  wchar_t system[MAX_PATH] = {};
  ::GetSystemDirectoryW(system, MAX_PATH);  // C:\windows\system32: several levels deep
  const auto read = FolderOfBrowseDialogAt(system);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(
      ::CompareStringOrdinal(read->c_str(), -1, (std::wstring(system) + L"\\").c_str(), -1, TRUE),
      CSTR_EQUAL)
      << *read;
}

}  // namespace
}  // namespace hop
