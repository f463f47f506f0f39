// Twins of Windows 10/11's own file dialogs, which Wine does not have: the classes, control ids
// and nesting of the real ones, built from shared pieces, with the real behaviour Hopdirs
// meets. A path typed into the name field and OK moves the dialog (a new folder view, the
// address bar following) or returns a file; no CDM_ message is answered, as in a dialog without
// a hook; every WM_USER+103 received is logged ("got WM_USER+103"), since a file dialog reads it
// as CDM_GETFOLDERIDLIST. The Browse for Folder twin selects a folder on BFFM_SETSELECTIONW.
#include "twin_dialogs.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include "host_log.h"

namespace host {
namespace {

constexpr int kTypeBox = 1136, kNameCombo = 1148, kBrowseTree = 100;

struct Twin {
  std::wstring kind, folder;
  HWND dialog = nullptr, field = nullptr, viewSink = nullptr, view = nullptr, crumbs = nullptr;
  HWND tree = nullptr;
} twin;

HWND Child(const wchar_t* className, HWND parent, int id, int x, int y, int w, int h,
           DWORD style = 0, const wchar_t* text = L"") {
  return ::CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

void RegisterShellClasses() {
  for (const wchar_t* name :
       {L"DUIViewWndClassName", L"DirectUIHWND", L"CtrlNotifySink", L"NamespaceTreeControl",
        L"SHELLDLL_DefView", L"FloatNotifySink", L"WorkerW", L"Address Band Root",
        L"Breadcrumb Parent", L"SHBrowseForFolder ShellNameSpace Control"}) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.lpszClassName = name;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassW(&windowClass);
  }
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_USEREX_CLASSES |
                                                      ICC_COOL_CLASSES | ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&controls);
}

// The breadcrumb shows the shell's friendly name for the known folders, a path otherwise.
std::wstring AddressText(const std::wstring& folder) {
  for (const KNOWNFOLDERID& id : {FOLDERID_Desktop, FOLDERID_Documents, FOLDERID_Downloads,
                                  FOLDERID_Pictures, FOLDERID_Profile}) {
    wchar_t* path = nullptr;
    const bool same = SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &path)) &&
                      ::lstrcmpiW(path, folder.c_str()) == 0;
    ::CoTaskMemFree(path);
    SHFILEINFOW info{};
    if (same && ::SHGetFileInfoW(folder.c_str(), 0, &info, sizeof(info), SHGFI_DISPLAYNAME))
      return std::wstring(L"Address: ") + info.szDisplayName;
  }
  return L"Address: " + folder;
}

// The folder view, made anew for every folder, and the address bar following it.
void ShowFolder(const std::wstring& folder) {
  twin.folder = folder;
  if (twin.view) ::DestroyWindow(twin.view);
  twin.view = Child(L"SHELLDLL_DefView", twin.viewSink, 0, 0, 0, 420, 200);
  Child(L"DirectUIHWND", twin.view, 0, 0, 0, 420, 200);
  ::SetWindowTextW(twin.crumbs, AddressText(folder).c_str());
  LogFolder(folder);
}

// WorkerW > ReBarWindow32 > Address Band Root > msctls_progress32 > Breadcrumb Parent >
// ToolbarWindow32, whose text is "Address: <path or friendly name>".
void BuildAddressBar(HWND dialog) {
  HWND band = Child(L"ReBarWindow32", Child(L"WorkerW", dialog, 0, 0, 0, 600, 30), 0, 0, 0, 600, 30,
                    CCS_NORESIZE);
  band = Child(L"Address Band Root", band, 0, 0, 0, 600, 30);
  HWND crumbs = Child(L"Breadcrumb Parent", Child(L"msctls_progress32", band, 0, 0, 0, 600, 30), 0,
                      0, 0, 600, 30);
  twin.crumbs =
      Child(L"ToolbarWindow32", crumbs, 0, 0, 0, 600, 30, CCS_NORESIZE | CCS_NOPARENTALIGN);
}

// DUIViewWndClassName > DirectUIHWND holding the navigation pane (CtrlNotifySink >
// NamespaceTreeControl > SysTreeView32) and the view (CtrlNotifySink > SHELLDLL_DefView); the
// Save dialog's name and type boxes (FloatNotifySink > ComboBox, its Edit 1001) too.
HWND BuildView(HWND dialog) {
  const HWND ui = Child(L"DirectUIHWND", Child(L"DUIViewWndClassName", dialog, 0, 0, 34, 600, 300),
                        0, 0, 0, 600, 300);
  const HWND pane = Child(L"NamespaceTreeControl", Child(L"CtrlNotifySink", ui, 0, 0, 0, 170, 200),
                          0, 0, 0, 170, 200);
  const HWND tree = Child(WC_TREEVIEWW, pane, 0, 0, 0, 170, 200, TVS_HASLINES);
  TVINSERTSTRUCTW item{};
  item.hInsertAfter = TVI_LAST;
  item.item.mask = TVIF_TEXT;
  item.item.pszText = const_cast<wchar_t*>(L"This PC");
  ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET,
                 ::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  twin.viewSink = Child(L"CtrlNotifySink", ui, 0, 175, 0, 420, 200);
  return ui;
}

HWND NameCombo(HWND parent, int id, int y, DWORD style) {
  return Child(L"ComboBox", parent, id, 90, y, 400, 200, style | WS_TABSTOP);
}

void BuildFileDialog(HWND dialog, const wchar_t* suggested) {
  BuildAddressBar(dialog);
  const HWND ui = BuildView(dialog);
  if (twin.kind == L"twin-save") {
    const HWND name = NameCombo(Child(L"FloatNotifySink", ui, 0, 0, 210, 600, 30), 0, 0,
                                CBS_DROPDOWN | CBS_AUTOHSCROLL);
    NameCombo(Child(L"FloatNotifySink", ui, 0, 0, 250, 600, 30), 0, 0, CBS_DROPDOWNLIST);
    twin.field = ::FindWindowExW(name, nullptr, L"Edit", nullptr);
  } else {
    const HWND name =
        Child(WC_COMBOBOXEXW, dialog, kNameCombo, 90, 340, 400, 200, CBS_DROPDOWN | WS_TABSTOP);
    twin.field = reinterpret_cast<HWND>(::SendMessageW(name, CBEM_GETEDITCONTROL, 0, 0));
    if (twin.kind == L"twin-open") NameCombo(dialog, kTypeBox, 370, CBS_DROPDOWNLIST);
  }
  if (suggested) ::SetWindowTextW(twin.field, suggested);
}

void BuildBrowse(HWND dialog, const wchar_t* title) {
  Child(L"Static", dialog, 14146, 10, 10, 400, 20, 0, title ? title : L"");
  twin.tree = Child(WC_TREEVIEWW,
                    Child(L"SHBrowseForFolder ShellNameSpace Control", dialog, 0, 10, 40, 400, 260),
                    kBrowseTree, 0, 0, 400, 260, TVS_HASLINES | TVS_SHOWSELALWAYS);
  const HWND edit = Child(L"Edit", dialog, 14149, 10, 310, 400, 22);
  ::ShowWindow(edit, SW_HIDE);
  Child(L"Button", dialog, 14150, 10, 350, 140, 26, 0, L"&Make New Folder");
}

// The Browse for Folder twin's tree: the folder as its selected item.
void SelectInTree(const std::wstring& folder) {
  TVINSERTSTRUCTW item{};
  item.hInsertAfter = TVI_LAST;
  item.item.mask = TVIF_TEXT;
  std::wstring name = folder.substr(folder.find_last_of(L'\\') + 1);
  item.item.pszText = name.data();
  ::SendMessageW(twin.tree, TVM_SELECTITEM, TVGN_CARET,
                 ::SendMessageW(twin.tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  twin.folder = folder;
  LogFolder(folder);
}

std::wstring Trimmed(std::wstring path) {
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  return path;
}

void Finish(const std::string& result) {
  Log("result " + result);
  ::DestroyWindow(twin.dialog);
  ::PostQuitMessage(0);  // also when OK came as a sent message, which GetMessage does not return
}

// OK: a folder in the field moves a file dialog (and is returned by a picker); a file is
// returned; anything else leaves the dialog where it is.
void Confirm() {
  if (twin.tree) return Finish("ok " + Utf8(twin.folder));
  wchar_t text[4096] = {};
  ::GetWindowTextW(twin.field, text, 4096);
  std::wstring path = text;
  if (path.empty()) return;
  if (path.size() < 2 || path[1] != L':') path = twin.folder + L"\\" + path;
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return Finish("ok " + Utf8(path));
  if (twin.kind == L"twin-picker") return Finish("ok " + Utf8(Trimmed(path)));
  ShowFolder(Trimmed(path));
}

INT_PTR CALLBACK TwinProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER + 103) {
    Log("got WM_USER+103");
    if (twin.tree && wParam &&
        ::GetFileAttributesW(reinterpret_cast<const wchar_t*>(lParam)) != INVALID_FILE_ATTRIBUTES) {
      SelectInTree(Trimmed(reinterpret_cast<const wchar_t*>(lParam)));
    }
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  if (LOWORD(wParam) == IDOK) Confirm();
  if (LOWORD(wParam) == IDCANCEL) Finish("cancel");
  return TRUE;
}

HWND CreateTwinDialog(const wchar_t* title) {
  struct alignas(4) {
    DLGTEMPLATE header;
    WORD menu, windowClass, title;
  } blank{{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 100, 60, 400, 280}, 0, 0, 0};
  const HWND dialog = ::CreateDialogIndirectParamW(nullptr, &blank.header, nullptr, &TwinProc, 0);
  ::SetWindowTextW(dialog, title ? title : L"Save As");
  ::SetWindowPos(dialog, nullptr, 80, 60, 610, 460, SWP_NOZORDER);
  // Words Hopdirs knows in no language: the structure has to tell.
  const wchar_t* ok = twin.kind == L"twin-save"     ? L"&Save"
                      : twin.kind == L"twin-open"   ? L"&Open"
                      : twin.kind == L"twin-picker" ? L"Dewis ffolder"
                                                    : L"OK";
  Child(L"Button", dialog, IDOK, 400, 400, 90, 26, BS_DEFPUSHBUTTON | WS_TABSTOP, ok);
  Child(L"Button", dialog, IDCANCEL, 500, 400, 90, 26, WS_TABSTOP, L"Cancel");
  return dialog;
}

}  // namespace

int RunTwin(const std::wstring& kind, const wchar_t* start, const wchar_t* title,
            const wchar_t* suggested) {
  RegisterShellClasses();
  twin.kind = kind;
  twin.dialog = CreateTwinDialog(title);
  if (kind == L"twin-browse") {
    BuildBrowse(twin.dialog, title);
    SelectInTree(Trimmed(start ? start : L"C:\\windows"));
  } else {
    BuildFileDialog(twin.dialog, suggested);
    ShowFolder(Trimmed(start ? start : L"C:\\windows"));
  }
  ::ShowWindow(twin.dialog, SW_SHOW);
  ::SetForegroundWindow(twin.dialog);
  if (twin.field) ::SetFocus(twin.field);
  LogReady(twin.dialog);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (::IsDialogMessageW(twin.dialog, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace host
