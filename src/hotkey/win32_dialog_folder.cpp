#include "hotkey/win32_dialog_folder.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <chrono>
#include <string_view>
#include <vector>

#include "delivery/win32_desktop.h"
#include "delivery/win32_dialog_survey.h"
#include "delivery/win32_path_check.h"
#include "delivery/win32_window_tree.h"
#include "hotkey/add_folder.h"
#include "win32/remote_tree.h"

namespace hop {
namespace {

// How long a dialog may take to answer one message, and the file system to confirm a folder.
constexpr UINT kAnswerMilliseconds = 500;
constexpr std::chrono::milliseconds kFolderCheck{500};
// Long paths included.
constexpr std::size_t kPathChars = 32768;

std::optional<LRESULT> Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR answer = 0;
  if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                             kAnswerMilliseconds, &answer)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(answer);
}

// The folders the address bar shows by their friendly name, with the names the shell gives
// them in the user's language.
std::vector<KnownFolder> KnownFolders() {
  std::vector<KnownFolder> known;
  for (const KNOWNFOLDERID& id :
       {FOLDERID_Desktop, FOLDERID_Documents, FOLDERID_Downloads, FOLDERID_Music, FOLDERID_Pictures,
        FOLDERID_Videos, FOLDERID_Profile, FOLDERID_SkyDrive}) {
    wchar_t* path = nullptr;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &path))) {
      SHFILEINFOW info{};
      if (::SHGetFileInfoW(path, 0, &info, sizeof(info), SHGFI_DISPLAYNAME))
        known.push_back({info.szDisplayName, path});
    }
    ::CoTaskMemFree(path);
  }
  return known;
}

// Windows' address bar: a toolbar inside "Breadcrumb Parent" whose text is "Address: <path>",
// or a known folder's friendly name.
std::optional<std::wstring> AddressBarFolder(HWND dialog) {
  const HWND crumbs = ChildOfClass(dialog, L"Breadcrumb Parent");
  const HWND toolbar = crumbs ? ChildOfClass(crumbs, L"ToolbarWindow32") : nullptr;
  if (!toolbar) return std::nullopt;
  std::vector<wchar_t> text(kPathChars + 64);
  const auto copied = Ask(toolbar, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  if (!copied || *copied <= 0) return std::nullopt;
  const std::wstring_view shown(text.data(), std::size_t(*copied));
  if (auto path = AddressBarPath(shown)) return path;
  const auto known = KnownFolders();
  return AddressBarKnownFolder(shown, known);
}

// The texts of the selected item and its ancestors: "alpha", "hop", "Local Disk (C:)", ...
std::optional<std::wstring> BrowseFolderSelection(HWND tree) {
  auto remote = win32::RemoteTree::Of(tree);
  if (!remote) return std::nullopt;
  std::vector<std::wstring> texts;
  auto item = remote->Selected();
  // A tree is shallow; the bound only guards against a tree that answers in a circle.
  for (int depth = 0; item && *item && depth < 128; ++depth) {
    const auto itemText = remote->Text(*item);
    if (!itemText) return std::nullopt;
    texts.push_back(*itemText);
    item = remote->Parent(*item);
  }
  return texts.empty() ? std::nullopt : TreeItemPath(texts);
}

}  // namespace

std::optional<std::wstring> ReadDialogFolder(HWND dialog) {
  if (!dialog) return std::nullopt;
  std::optional<std::wstring> folder;
  if (const HWND tree = SurveyDialog(dialog).folderTree) {
    // Not CDM_GETFOLDERPATH: to Browse for Folder the same number sets its selection.
    folder = BrowseFolderSelection(tree);
  } else {
    folder = Win32Desktop(nullptr).FolderOf(AsWindowHandle(dialog));
    if (!folder) folder = AddressBarFolder(dialog);
  }
  if (!folder || CheckPathKind(*folder, kFolderCheck) != PathKind::Folder) return std::nullopt;
  return folder;
}

}  // namespace hop
