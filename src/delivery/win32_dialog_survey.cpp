#include "delivery/win32_dialog_survey.h"

#include "delivery/win32_dialog_words.h"
#include "win32/window_queries.h"

namespace hop {
namespace {

// Dialog control ids: the file-name combo box of the classic dialogs and of the Vista-style
// Open dialog on Windows (cmb13), the plain file-name edit of Wine's Vista-style dialogs, the
// edit inside any combo box (the Vista-style Save dialog's file name on Windows), the folder
// box's label (stc4).
constexpr int kFileNameCombo = 1148;
constexpr int kFileNameEdit = 1152;
constexpr int kComboEdit = 1001;
constexpr int kFolderLabel = 1091;
constexpr int kTypeBox = 1136;  // cmb1

bool HasAncestorOfClass(HWND window, HWND stop, const wchar_t* className) {
  for (HWND up = ::GetParent(window); up && up != stop; up = ::GetParent(up)) {
    if (ClassOf(up) == className) return true;
  }
  return false;
}

// The Vista-style Save dialog on Windows keeps its file name in its own view:
// DUIViewWndClassName > DirectUIHWND > FloatNotifySink > ComboBox > Edit 1001. Any combo box's
// edit has id 1001, so the whole chain is required: a Run box's command line is no file name.
bool IsSaveViewField(HWND edit, HWND dialog) {
  const HWND combo = ::GetParent(edit);
  return ClassOf(combo) == L"ComboBox" && ClassOf(::GetParent(combo)) == L"FloatNotifySink" &&
         HasAncestorOfClass(combo, dialog, L"DUIViewWndClassName");
}

HWND EditInside(HWND container) {
  return container ? ChildOfClass(container, L"Edit") : nullptr;
}

// The controls one pass over the descendants finds, before they are told apart.
struct Found {
  HWND root;
  HWND comboEx = nullptr, combo = nullptr, plainEdit = nullptr, saveEdit = nullptr;
  bool directUi = false, typeBox = false;
  HWND ok = nullptr, label = nullptr, view = nullptr, tree = nullptr;
};

TreePlace PlaceOf(HWND tree, HWND root) {
  if (!tree) return TreePlace::None;
  if (::GetParent(tree) == root) return TreePlace::OwnChild;
  return HasAncestorOfClass(tree, root, L"SHBrowseForFolder ShellNameSpace Control")
             ? TreePlace::ShellNameSpace
             : TreePlace::Elsewhere;
}

BOOL CALLBACK Note(HWND child, LPARAM lParam) {
  auto& f = *reinterpret_cast<Found*>(lParam);
  const int id = ::GetDlgCtrlID(child);
  const std::wstring name = ClassOf(child);
  const auto first = [](HWND& slot, HWND window) {
    if (!slot) slot = window;
  };
  if (id == kFileNameCombo && name == L"ComboBoxEx32") first(f.comboEx, child);
  if (id == kFileNameCombo && name == L"ComboBox") first(f.combo, child);
  if (id == kFileNameEdit && name == L"Edit") first(f.plainEdit, child);
  if (id == kComboEdit && name == L"Edit" && !f.saveEdit && IsSaveViewField(child, f.root))
    f.saveEdit = child;
  if (id == IDOK && name == L"Button") first(f.ok, child);
  if (id == kFolderLabel && name == L"Static") first(f.label, child);
  if (name == L"SHELLDLL_DefView") first(f.view, child);
  if (name == L"SysTreeView32") first(f.tree, child);
  if (name == L"DUIViewWndClassName") f.directUi = true;
  if (id == kTypeBox && name == L"ComboBox" && ::IsWindowVisible(child)) f.typeBox = true;
  return TRUE;
}

}  // namespace

std::wstring ClassOf(HWND window) {
  return win32::ClassName(window);
}

HWND ChildOfClass(HWND root, std::wstring_view className) {
  HWND found = nullptr;
  win32::ForEachChild(root, [&](HWND child) {
    if (ClassOf(child) == className) found = child;
    return found == nullptr;
  });
  return found;
}

bool IsEditable(HWND window) {
  return window && ClassOf(window) == L"Edit" && ::IsWindowVisible(window) &&
         ::IsWindowEnabled(window) && !(::GetWindowLongPtrW(window, GWL_STYLE) & ES_READONLY);
}

HWND FolderViewOf(HWND dialog) {
  return ChildOfClass(dialog, L"SHELLDLL_DefView");
}

HWND DialogHolding(HWND control, HWND dialog) {
  HWND owner = ::GetParent(control);
  while (owner && owner != dialog && ClassOf(owner) != L"#32770") owner = ::GetParent(owner);
  return owner ? owner : dialog;
}

DialogSurvey SurveyDialog(HWND root) {
  Found found{root};
  ::EnumChildWindows(root, &Note, reinterpret_cast<LPARAM>(&found));
  DialogSurvey survey;
  survey.root = root;
  HWND field = EditInside(found.comboEx);
  if (!field) field = EditInside(found.combo);
  if (!field) field = found.plainEdit;
  if (!field) field = found.saveEdit;
  survey.field = IsEditable(field) ? field : nullptr;
  survey.saveStructure = found.saveEdit != nullptr;
  // The classic dialogs have this combo box too, but never a DirectUI view.
  survey.openStructure = found.comboEx && ::GetParent(found.comboEx) == root && found.directUi;
  survey.okButton = found.ok;
  survey.folderLabel = found.label;
  survey.folderView = found.view;
  survey.typeBox = found.typeBox;
  // Browse for Folder: a tree of its own and OK, and no file name (a new-style one has an edit
  // that names the selected folder, which is not a file-name field).
  const bool browse = IsFolderBrowser(PlaceOf(found.tree, root), found.directUi) && found.ok &&
                      !found.comboEx && !found.combo && !found.plainEdit && !found.saveEdit;
  survey.folderTree = browse && ::IsWindowVisible(found.tree) ? found.tree : nullptr;
  if (survey.folderTree) survey.field = nullptr;
  return survey;
}

bool StillHolds(const DialogSurvey& survey) {
  const auto inside = [&](HWND window) { return !window || ::IsChild(survey.root, window); };
  if (!survey.field && !survey.folderTree) return false;
  return ::IsWindow(survey.root) && inside(survey.field) && inside(survey.folderTree) &&
         inside(survey.folderView) && (!survey.field || IsEditable(survey.field)) &&
         (!survey.folderTree || ::IsWindowVisible(survey.folderTree));
}

DialogSigns SignsOf(const DialogSurvey& survey) {
  return {survey.saveStructure,          survey.openStructure,
          win32::Title(survey.okButton), win32::Title(survey.folderLabel),
          win32::Title(survey.root),     survey.folderTree != nullptr,
          SystemDialogWords(),           survey.typeBox};
}

std::optional<std::wstring> ControlText(HWND control) {
  // One round trip for the usual short text; the length is asked first only for a long one.
  wchar_t buffer[512];
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer),
                             SMTO_BLOCK | SMTO_ABORTIFHUNG, 200, &copied)) {
    return std::nullopt;
  }
  if (copied < 511) return std::wstring(buffer, copied);
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, 200,
                             &length)) {
    return std::nullopt;
  }
  std::wstring text(length + 1, L'\0');
  if (!::SendMessageTimeoutW(control, WM_GETTEXT, text.size(),
                             reinterpret_cast<LPARAM>(text.data()), SMTO_BLOCK | SMTO_ABORTIFHUNG,
                             200, &copied)) {
    return std::nullopt;
  }
  text.resize(copied < text.size() ? copied : text.size() - 1);
  return text;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
  return thread && ::GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

}  // namespace hop
