// Stand-ins for other file managers, keeping their documented contracts; the role comes from the
// file's name and the arguments:
//   dopusrt.exe /info <file>,paths   Directory Opus's helper: writes paths.xml (beside it) into
//                                    <file>; first sleeps 10 s when a file "slow" is beside it;
//                                    notes each run in runs.txt.
//   <any> idle                       a process that only runs (dopus.exe).
//   <any> tc SOURCE TARGET [ms]      Total Commander: answers 'G'+256*'W' "SP"/"TP" ("LP"/"RP")
//                                    by sending 'R'+256*'W' UTF-16 text to the window in wParam,
//                                    after `ms`; and WM_USER+50 9/10 with its path labels.
//   <any> old LEFT RIGHT             an older version: path labels only.
//   <any> dc TITLE                   Double Commander: the class, a title, and no query.
//   <any> hung                       the class, and a thread that never takes a message again.
#include <windows.h>

#include <fstream>
#include <string>

namespace {

std::wstring role, source, target;
DWORD delay = 0;
HWND labels[2] = {};

std::wstring Self() {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  return self;
}

std::wstring Beside(const wchar_t* name) {
  const std::wstring self = Self();
  return self.substr(0, self.find_last_of(L'\\') + 1) + name;
}

LRESULT Answer(HWND window, WPARAM asker, const COPYDATASTRUCT& query) {
  if (role != L"tc" || query.dwData != 'G' + 256 * 'W' || query.cbData != 3) return FALSE;
  const std::string command(static_cast<const char*>(query.lpData), 3);
  const std::wstring* path =
      command == std::string("SP\0", 3) || command == std::string("LP\0", 3)   ? &source
      : command == std::string("TP\0", 3) || command == std::string("RP\0", 3) ? &target
                                                                               : nullptr;
  if (!path) return FALSE;
  ::Sleep(delay);
  COPYDATASTRUCT reply{'R' + 256 * 'W', static_cast<DWORD>((path->size() + 1) * sizeof(wchar_t)),
                       const_cast<wchar_t*>(path->c_str())};
  ::SendMessageW(reinterpret_cast<HWND>(asker), WM_COPYDATA, reinterpret_cast<WPARAM>(window),
                 reinterpret_cast<LPARAM>(&reply));
  return TRUE;
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA)
    return Answer(window, wParam, *reinterpret_cast<COPYDATASTRUCT*>(lParam));
  if (message == WM_USER + 50 && (role == L"tc" || role == L"old") && (wParam == 9 || wParam == 10))
    return reinterpret_cast<LRESULT>(labels[wParam - 9]);
  if (message == WM_DESTROY) ::PostQuitMessage(0);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

int RunWindow(const wchar_t* title) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &Procedure;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"TTOTAL_CMD";
  ::RegisterClassW(&windowClass);
  HWND window = ::CreateWindowExW(0, L"TTOTAL_CMD", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  400, 300, nullptr, nullptr, windowClass.hInstance, nullptr);
  for (int k = 0; k < 2; ++k)
    labels[k] = ::CreateWindowExW(0, L"STATIC", ((k ? target : source) + L"\\*.*").c_str(),
                                  WS_CHILD | WS_VISIBLE, 0, 20 * k, 300, 20, window, nullptr,
                                  windowClass.hInstance, nullptr);
  if (role == L"hung") ::Sleep(INFINITE);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
  return 0;
}

int RunOpusHelper(int count, wchar_t** arguments) {
  std::ofstream(Beside(L"runs.txt").c_str(), std::ios::app) << "run\n";
  const std::wstring info = count == 3 ? arguments[2] : L"";
  if (count != 3 || std::wstring(arguments[1]) != L"/info" || !info.ends_with(L",paths")) return 2;
  if (::GetFileAttributesW(Beside(L"slow").c_str()) != INVALID_FILE_ATTRIBUTES) ::Sleep(10000);
  const std::wstring file = info.substr(0, info.size() - 6);
  return ::CopyFileW(Beside(L"paths.xml").c_str(), file.c_str(), FALSE) ? 0 : 3;
}

}  // namespace

int wmain(int count, wchar_t** arguments) {
  if (::lstrcmpiW(Self().c_str(), Beside(L"dopusrt.exe").c_str()) == 0)
    return RunOpusHelper(count, arguments);
  if (count < 2) return 2;
  role = arguments[1];
  if (role == L"idle") ::Sleep(INFINITE);
  if (count > 2) source = arguments[2];
  if (count > 3) target = arguments[3];
  if (count > 4) delay = static_cast<DWORD>(std::stoul(arguments[4]));
  return RunWindow(role == L"dc" ? source.c_str() : L"Total Commander (x64) 11.03 - stand-in");
}
