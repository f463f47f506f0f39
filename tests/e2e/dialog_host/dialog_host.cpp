// A stand-in application for the end-to-end tests: it opens a real file dialog and logs, one
// line each and flushed at once, the dialog window, every folder change with its time, and the
// result.
//
//   dialog_host.exe KIND LOGFILE [START_FOLDER] [TITLE] [SUGGESTED_NAME]
//
// KIND: classic, vista (Open dialogs: GetOpenFileNameW, IFileOpenDialog); classic-save,
// classic-save-prompt (GetSaveFileNameW without and with OFN_OVERWRITEPROMPT), vista-save
// (IFileSaveDialog); picker (IFileOpenDialog picking folders); browse (SHBrowseForFolderW,
// logging each selected folder as a folder change); classic-busy (a classic Open dialog that opens
// a message box over itself, logging "box"); decoys (no file dialog: a hidden titled dialog and a
// visible Run-like box whose command line has the focus, logging "text <text>" when it changes and
// "command <id>" when it is confirmed); twin-save, twin-open, twin-picker, twin-browse (twins of
// Windows 10/11's dialogs, see twin_dialogs.cpp).
//
// Log lines (UTF-8): "ready <hwnd>", "folder <microseconds> <path>", "result ok <path>",
// "result cancel". Times are QueryPerformanceCounter microseconds, a clock every process of the
// Wine prefix shares.
#include <windows.h>
// After windows.h, which they need.
#include <commdlg.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <string>

#include "host_log.h"
#include "twin_dialogs.h"

namespace {

using namespace host;

bool openBox = false;
constexpr UINT_PTR kOpenBox = 7;

UINT_PTR CALLBACK Hook(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kOpenBox) {
    ::KillTimer(child, kOpenBox);
    Log("box shown");
    ::MessageBoxW(::GetParent(child), L"The host is busy.", L"Host message", MB_OK);
    return 0;
  }
  if (message != WM_NOTIFY) return 0;
  const auto* notify = reinterpret_cast<const OFNOTIFYW*>(lParam);
  const HWND dialog = ::GetParent(child);
  if (notify->hdr.code == CDN_INITDONE) {
    LogReady(dialog);
    if (openBox) ::SetTimer(child, kOpenBox, 200, nullptr);
  }
  if (notify->hdr.code == CDN_FOLDERCHANGE) {
    wchar_t folder[MAX_PATH * 2] = {};
    ::SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH * 2, reinterpret_cast<LPARAM>(folder));
    LogFolder(folder);
  }
  return 0;
}

int RunClassic(const wchar_t* start, const wchar_t* title, bool save, DWORD flags,
               const wchar_t* suggested) {
  wchar_t file[4096] = {};
  if (suggested) ::lstrcpynW(file, suggested, 4096);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.lpstrFile = file;
  ofn.nMaxFile = 4096;
  ofn.lpstrFilter = L"All files\0*.*\0";
  ofn.lpstrInitialDir = start;
  ofn.lpstrTitle = title;
  ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING | flags;
  ofn.lpfnHook = &Hook;
  if (save ? ::GetSaveFileNameW(&ofn) : ::GetOpenFileNameW(&ofn)) {
    Log("result ok " + Utf8(file));
  } else {
    Log("result cancel");
  }
  return 0;
}

// Logs every folder the Vista-style dialog moves to.
class Events : public IFileDialogEvents {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IFileDialogEvents) {
      *out = static_cast<IFileDialogEvents*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }  // lives on the stack
  HRESULT STDMETHODCALLTYPE OnFileOk(IFileDialog*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnFolderChanging(IFileDialog*, IShellItem*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnFolderChange(IFileDialog* dialog) override {
    if (!ready_) {
      IOleWindow* window = nullptr;
      HWND hwnd = nullptr;
      if (SUCCEEDED(dialog->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)))) {
        window->GetWindow(&hwnd);
        window->Release();
      }
      LogReady(hwnd);
      ready_ = true;
    }
    IShellItem* folder = nullptr;
    if (SUCCEEDED(dialog->GetFolder(&folder))) {
      wchar_t* path = nullptr;
      if (SUCCEEDED(folder->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
        LogFolder(path);
        ::CoTaskMemFree(path);
      }
      folder->Release();
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnSelectionChange(IFileDialog*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShareViolation(IFileDialog*, IShellItem*,
                                             FDE_SHAREVIOLATION_RESPONSE*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnTypeChange(IFileDialog*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnOverwrite(IFileDialog*, IShellItem*,
                                        FDE_OVERWRITE_RESPONSE*) override {
    return S_OK;
  }

 private:
  ULONG refs_ = 1;
  bool ready_ = false;
};

int RunVista(const wchar_t* start, const wchar_t* title, bool save, const wchar_t* suggested,
             bool pickFolders = false) {
  IFileDialog* dialog = nullptr;
  const HRESULT created =
      ::CoCreateInstance(save ? CLSID_FileSaveDialog : CLSID_FileOpenDialog, nullptr,
                         CLSCTX_INPROC_SERVER, IID_IFileDialog, reinterpret_cast<void**>(&dialog));
  if (FAILED(created)) {
    char code[32];
    std::snprintf(code, sizeof(code), "%08lx", static_cast<unsigned long>(created));
    Log(std::string("result error ") + code);
    return 1;
  }
  Events events;
  DWORD cookie = 0;
  dialog->Advise(&events, &cookie);
  if (title) dialog->SetTitle(title);
  FILEOPENDIALOGOPTIONS options = 0;
  if (pickFolders && SUCCEEDED(dialog->GetOptions(&options))) {
    dialog->SetOptions(options | FOS_PICKFOLDERS);
  }
  if (suggested) dialog->SetFileName(suggested);
  if (start) {
    IShellItem* folder = nullptr;
    if (SUCCEEDED(::SHCreateItemFromParsingName(start, nullptr, IID_IShellItem,
                                                reinterpret_cast<void**>(&folder)))) {
      dialog->SetFolder(folder);
      folder->Release();
    }
  }
  if (SUCCEEDED(dialog->Show(nullptr))) {
    IShellItem* item = nullptr;
    wchar_t* path = nullptr;
    if (SUCCEEDED(dialog->GetResult(&item)) &&
        SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
      Log("result ok " + Utf8(path));
      ::CoTaskMemFree(path);
    }
    if (item) item->Release();
  } else {
    Log("result cancel");
  }
  dialog->Unadvise(cookie);
  dialog->Release();
  return 0;
}

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM lParam, LPARAM start) {
  if (message == BFFM_INITIALIZED) {
    if (start) ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, start);
    LogReady(dialog);
  }
  wchar_t path[MAX_PATH] = {};
  if (message == BFFM_SELCHANGED &&
      ::SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path)) {
    LogFolder(path);
  }
  return 0;
}

int RunBrowse(const wchar_t* start, const wchar_t* title) {
  BROWSEINFOW info{};
  info.lpszTitle = title;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = &BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(start);
  PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&info);
  wchar_t path[MAX_PATH] = {};
  if (chosen && ::SHGetPathFromIDListW(chosen, path)) {
    Log("result ok " + Utf8(path));
  } else {
    Log("result cancel");
  }
  ::CoTaskMemFree(chosen);
  return 0;
}

// The Run-like box: a dialog-class window with a combo box whose command line has the focus.
INT_PTR CALLBACK RunBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_COMMAND) return FALSE;
  const HWND combo = ::GetDlgItem(box, 12298);
  if (LOWORD(wParam) == 12298 && HIWORD(wParam) == CBN_EDITCHANGE) {
    wchar_t text[512] = {};
    ::GetWindowTextW(combo, text, 512);
    Log("text " + Utf8(text));
  } else if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
    Log("command " + std::to_string(LOWORD(wParam)));
  }
  return TRUE;
}

int RunDecoys(const wchar_t* title) {
  const HWND hidden = ::CreateWindowExW(0, L"#32770", L"Hidden dialog", WS_OVERLAPPED | WS_CAPTION,
                                        40, 40, 300, 200, nullptr, nullptr, nullptr, nullptr);
  const HWND box =
      ::CreateWindowExW(0, L"#32770", title ? title : L"Run", WS_OVERLAPPED | WS_CAPTION, 60, 60,
                        360, 140, nullptr, nullptr, nullptr, nullptr);
  ::SetWindowLongPtrW(box, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(&RunBoxProc));
  const HWND combo = ::CreateWindowExW(
      0, L"ComboBox", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL, 10,
      40, 330, 200, box, reinterpret_cast<HMENU>(INT_PTR{12298}), nullptr, nullptr);
  ::CreateWindowExW(0, L"Button", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 250,
                    80, 90, 24, box, reinterpret_cast<HMENU>(INT_PTR{IDOK}), nullptr, nullptr);
  ::ShowWindow(box, SW_SHOW);
  ::SetForegroundWindow(box);
  ::SetFocus(combo);
  Log("hidden " + std::to_string(reinterpret_cast<unsigned long long>(hidden)));
  LogReady(box);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (::IsDialogMessageW(box, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  if (!host::OpenLog(argv[2])) return 2;
  const wchar_t* start = argc > 3 && argv[3][0] ? argv[3] : nullptr;
  const wchar_t* title = argc > 4 ? argv[4] : nullptr;
  const wchar_t* suggested = argc > 5 ? argv[5] : nullptr;
  const std::wstring kind = argv[1];
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  openBox = kind == L"classic-busy";
  int result = 2;
  if (kind == L"vista" || kind == L"vista-save" || kind == L"picker") {
    result = RunVista(start, title, kind == L"vista-save", suggested, kind == L"picker");
  } else if (kind == L"browse") {
    result = RunBrowse(start, title);
  } else if (kind == L"classic-save" || kind == L"classic-save-prompt") {
    result = RunClassic(start, title, true, kind == L"classic-save" ? 0 : OFN_OVERWRITEPROMPT,
                        suggested);
  } else if (kind.starts_with(L"twin-")) {
    result = host::RunTwin(kind, start, title, suggested);
  } else if (kind == L"decoys") {
    result = RunDecoys(title);
  } else {
    result = RunClassic(start, title, false, OFN_FILEMUSTEXIST, suggested);
  }
  ::CoUninitialize();
  host::CloseLog();
  return result;
}
