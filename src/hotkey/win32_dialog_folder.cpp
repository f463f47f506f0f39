#include "hotkey/win32_dialog_folder.h"

#include <commctrl.h>

#include <chrono>
#include <cstring>
#include <string_view>
#include <vector>

#include "delivery/win32_desktop.h"
#include "delivery/win32_dialog_survey.h"
#include "delivery/win32_path_check.h"
#include "delivery/win32_window_tree.h"
#include "hotkey/add_folder.h"
#include "win32/remote_memory.h"

namespace hop {
namespace {

// How long a dialog may take to answer one message, and the file system to confirm a folder.
constexpr UINT kAnswerMilliseconds = 500;
constexpr std::chrono::milliseconds kFolderCheck{500};
// Long paths included.
constexpr std::size_t kPathChars = 32768;
// A tree item's name.
constexpr std::size_t kItemTextChars = MAX_PATH;

std::optional<LRESULT> Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR answer = 0;
  if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                             kAnswerMilliseconds, &answer)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(answer);
}

// Windows' address bar: a toolbar inside "Breadcrumb Parent" whose text is "Address: <path>".
std::optional<std::wstring> AddressBarFolder(HWND dialog) {
  const HWND crumbs = ChildOfClass(dialog, L"Breadcrumb Parent");
  const HWND toolbar = crumbs ? ChildOfClass(crumbs, L"ToolbarWindow32") : nullptr;
  if (!toolbar) return std::nullopt;
  std::vector<wchar_t> text(kPathChars + 64);
  const auto copied = Ask(toolbar, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  if (!copied || *copied <= 0) return std::nullopt;
  return AddressBarPath(std::wstring_view(text.data(), std::size_t(*copied)));
}

// One tree item's text. TVM_GETITEMW passes a pointer to the item record, which points to the
// text: both live in the dialog's process, the record written there as it is laid out here.
std::optional<std::wstring> TreeItemText(HWND tree, HTREEITEM item, win32::RemoteBuffer& record,
                                         win32::RemoteBuffer& text) {
  TVITEMW asked{};
  asked.mask = TVIF_TEXT;
  asked.hItem = item;
  asked.pszText = static_cast<wchar_t*>(text.address());
  asked.cchTextMax = static_cast<int>(text.size() / sizeof(wchar_t));
  static_assert(sizeof(asked) % sizeof(wchar_t) == 0);
  const std::wstring_view bytes(reinterpret_cast<const wchar_t*>(&asked),
                                sizeof(asked) / sizeof(wchar_t));
  if (!text.Write(L"") || !record.Write(bytes)) return std::nullopt;
  const auto got =
      win32::SendPointing(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(record.address()),
                          std::chrono::milliseconds(kAnswerMilliseconds), {&record, &text});
  if (!got || !*got) return std::nullopt;
  // The tree may answer with a text of its own instead of filling the buffer: the record
  // then points there.
  const auto answered = record.ReadBytes(sizeof(asked));
  if (!answered) return std::nullopt;
  TVITEMW filled{};
  std::memcpy(&filled, answered->data(), sizeof(filled));
  if (filled.pszText == asked.pszText) return text.ReadText();
  return win32::ReadRemoteText(tree, filled.pszText, kItemTextChars);
}

// The item record is laid out as this process lays it out; a 32-bit tree would read it wrong.
bool SameWidthProcess(HWND window) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  const win32::UniqueKernelHandle process(
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  BOOL emulated = TRUE;
  return process && ::IsWow64Process(process.get(), &emulated) && !emulated;
}

// The texts of the selected item and its ancestors: "alpha", "hop", "Local Disk (C:)", ...
std::optional<std::wstring> BrowseFolderSelection(HWND tree) {
  if (!SameWidthProcess(tree)) return std::nullopt;
  auto record = win32::RemoteBuffer::In(tree, sizeof(TVITEMW) + sizeof(wchar_t));
  auto text = win32::RemoteBuffer::In(tree, kItemTextChars * sizeof(wchar_t));
  if (!record || !text) return std::nullopt;
  std::vector<std::wstring> texts;
  auto item = Ask(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
  // A tree is shallow; the bound only guards against a tree that answers in a circle.
  for (int depth = 0; item && *item && depth < 128; ++depth) {
    const auto handle = reinterpret_cast<HTREEITEM>(*item);
    const auto itemText = TreeItemText(tree, handle, *record, *text);
    if (!itemText) return std::nullopt;
    texts.push_back(*itemText);
    item = Ask(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(handle));
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
