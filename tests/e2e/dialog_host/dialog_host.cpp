// A stand-in application for the end-to-end tests: it opens a real file dialog (classic
// GetOpenFileNameW or the Vista-style IFileOpenDialog) and logs, one line each and flushed at
// once, the dialog window, every folder change with its time, and the result.
//
//   dialog_host.exe classic|vista LOGFILE [START_FOLDER] [TITLE]
//
// Log lines (UTF-8): "ready <hwnd>", "folder <microseconds> <path>", "result ok <path>",
// "result cancel". Times are QueryPerformanceCounter microseconds, a clock every process of the
// Wine prefix shares.
#include <windows.h>
// After windows.h, which they need.
#include <commdlg.h>
#include <shobjidl.h>

#include <cstdio>
#include <string>

namespace {

FILE* logFile = nullptr;

long long Microseconds() {
  LARGE_INTEGER now, frequency;
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return now.QuadPart / frequency.QuadPart * 1000000 +
         now.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
}

std::string Utf8(const std::wstring& text) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
  return out;
}

void Log(const std::string& line) {
  std::fprintf(logFile, "%s\n", line.c_str());
  std::fflush(logFile);
}

void LogReady(HWND dialog) {
  Log("ready " + std::to_string(reinterpret_cast<unsigned long long>(dialog)));
}

void LogFolder(const std::wstring& folder) {
  Log("folder " + std::to_string(Microseconds()) + " " + Utf8(folder));
}

UINT_PTR CALLBACK Hook(HWND child, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY) return 0;
  const auto* notify = reinterpret_cast<const OFNOTIFYW*>(lParam);
  const HWND dialog = ::GetParent(child);
  if (notify->hdr.code == CDN_INITDONE) LogReady(dialog);
  if (notify->hdr.code == CDN_FOLDERCHANGE) {
    wchar_t folder[MAX_PATH * 2] = {};
    ::SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH * 2, reinterpret_cast<LPARAM>(folder));
    LogFolder(folder);
  }
  return 0;
}

int RunClassic(const wchar_t* start, const wchar_t* title) {
  wchar_t file[4096] = {};
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.lpstrFile = file;
  ofn.nMaxFile = 4096;
  ofn.lpstrFilter = L"All files\0*.*\0";
  ofn.lpstrInitialDir = start;
  ofn.lpstrTitle = title;
  ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING | OFN_FILEMUSTEXIST;
  ofn.lpfnHook = &Hook;
  if (::GetOpenFileNameW(&ofn)) {
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

int RunVista(const wchar_t* start, const wchar_t* title) {
  IFileOpenDialog* dialog = nullptr;
  const HRESULT created =
      ::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                         reinterpret_cast<void**>(&dialog));
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  logFile = ::_wfopen(argv[2], L"ab");
  if (!logFile) return 2;
  const wchar_t* start = argc > 3 && argv[3][0] ? argv[3] : nullptr;
  const wchar_t* title = argc > 4 ? argv[4] : nullptr;
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const int result =
      std::wstring(argv[1]) == L"vista" ? RunVista(start, title) : RunClassic(start, title);
  ::CoUninitialize();
  std::fclose(logFile);
  return result;
}
