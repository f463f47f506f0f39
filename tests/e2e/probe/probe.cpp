// probe.exe: the end-to-end tests' hands and eyes inside the Wine desktop. Each subcommand does
// one thing and prints JSON (non-ASCII text as \u escapes of its UTF-16 units, so every character
// survives the trip to the test). Input is sent with SendInput from inside the desktop, where it
// reaches popup menus; texts are passed in as hex UTF-16LE so no command line can bend them.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kKey[] = L"Software\\Quorvane\\Hopdirs";

// A failure said on stderr, which call and the error it left, so that a test can tell why.
int Fail(const char* what, DWORD error = GetLastError()) {
  std::fprintf(stderr, "%s failed: error %lu\n", what, static_cast<unsigned long>(error));
  return 1;
}

std::string Json(std::wstring_view text) {
  std::string out = "\"";
  for (wchar_t c : text) {
    if (c == L'"' || c == L'\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7f) {
      out += static_cast<char>(c);
    } else {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
      out += buffer;
    }
  }
  return out + "\"";
}

std::wstring FromHex(const wchar_t* hex) {
  std::wstring text;
  const std::size_t length = std::wcslen(hex);
  for (std::size_t i = 0; i + 4 <= length; i += 4) {
    const unsigned lo =
        static_cast<unsigned>(std::wcstoul(std::wstring(hex + i, 2).c_str(), nullptr, 16));
    const unsigned hi =
        static_cast<unsigned>(std::wcstoul(std::wstring(hex + i + 2, 2).c_str(), nullptr, 16));
    text += static_cast<wchar_t>(hi << 8 | lo);
  }
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &length))
    return L"";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 1000, &copied);
  text.resize(copied);
  return text;
}

std::string Handle(HWND window) {
  return std::to_string(reinterpret_cast<UINT_PTR>(window));
}

std::string Describe(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char rect[96];
  std::snprintf(rect, sizeof rect, "[%ld,%ld,%ld,%ld]", r.left, r.top, r.right, r.bottom);
  return "{\"hwnd\":" + Handle(window) + ",\"class\":" + Json(ClassOf(window)) +
         ",\"title\":" + Json(TextOf(window)) + ",\"pid\":" + std::to_string(pid) +
         ",\"id\":" + std::to_string(GetWindowLongPtrW(window, GWLP_ID)) +
         ",\"parent\":" + Handle(GetAncestor(window, GA_PARENT)) +
         ",\"visible\":" + (IsWindowVisible(window) ? "true" : "false") +
         ",\"enabled\":" + (IsWindowEnabled(window) ? "true" : "false") +
         ",\"style\":" + std::to_string(GetWindowLongW(window, GWL_STYLE)) +
         ",\"exstyle\":" + std::to_string(GetWindowLongW(window, GWL_EXSTYLE)) +
         ",\"rect\":" + rect + "}";
}

void PrintList(const std::vector<HWND>& windows) {
  std::string out = "[";
  for (std::size_t i = 0; i < windows.size(); ++i) out += (i ? "," : "") + Describe(windows[i]);
  std::printf("%s]\n", out.c_str());
}

BOOL CALLBACK Collect(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

int ListWindows() {
  std::vector<HWND> windows;
  EnumWindows(&Collect, reinterpret_cast<LPARAM>(&windows));
  PrintList(windows);
  return 0;
}

int ListChildren(HWND parent) {
  std::vector<HWND> windows;
  EnumChildWindows(parent, &Collect, reinterpret_cast<LPARAM>(&windows));
  PrintList(windows);
  return 0;
}

int Foreground() {
  const HWND window = GetForegroundWindow();
  GUITHREADINFO info{sizeof info};
  GetGUIThreadInfo(window ? GetWindowThreadProcessId(window, nullptr) : 0, &info);
  std::printf("{\"window\":%s,\"focus\":%s}\n", window ? Describe(window).c_str() : "null",
              info.hwndFocus ? Describe(info.hwndFocus).c_str() : "null");
  return 0;
}

// --- input -----------------------------------------------------------------------------------

struct NamedKey {
  const wchar_t* name;
  WORD vk;
};
constexpr NamedKey kKeys[] = {
    {L"enter", VK_RETURN},  {L"esc", VK_ESCAPE}, {L"tab", VK_TAB},     {L"down", VK_DOWN},
    {L"up", VK_UP},         {L"left", VK_LEFT},  {L"right", VK_RIGHT}, {L"back", VK_BACK},
    {L"delete", VK_DELETE}, {L"home", VK_HOME},  {L"end", VK_END},     {L"space", VK_SPACE},
    {L"f1", VK_F1},         {L"f4", VK_F4},      {L"apps", VK_APPS},
};

INPUT Key(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

WORD VkFor(std::wstring_view name) {
  for (const auto& key : kKeys)
    if (name == key.name) return key.vk;
  if (name.size() == 1) {
    wchar_t c = name[0];
    if (c >= L'a' && c <= L'z') return static_cast<WORD>(c - L'a' + 'A');
    if (c >= L'0' && c <= L'9') return static_cast<WORD>(c);
  }
  return 0;
}

// One chord such as "alt+n", "ctrl+v", "shift+f10" or "down".
bool SendChord(std::wstring chord) {
  std::vector<WORD> modifiers;
  std::size_t plus;
  while ((plus = chord.find(L'+')) != std::wstring::npos && plus + 1 < chord.size()) {
    const std::wstring mod = chord.substr(0, plus);
    modifiers.push_back(mod == L"alt" ? VK_MENU : mod == L"ctrl" ? VK_CONTROL : VK_SHIFT);
    chord = chord.substr(plus + 1);
  }
  const WORD vk = VkFor(chord);
  if (!vk) return false;
  std::vector<INPUT> inputs;
  for (WORD m : modifiers) inputs.push_back(Key(m, false));
  inputs.push_back(Key(vk, false));
  inputs.push_back(Key(vk, true));
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) inputs.push_back(Key(*it, true));
  UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  // Wine was seen to refuse a whole chord once, at random; a user would press it again.
  for (int retry = 0; sent == 0 && retry < 2; ++retry) {
    Sleep(50);
    sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  }
  return sent == inputs.size();
}

bool SendText(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = c;
    input.ki.dwFlags = KEYEVENTF_UNICODE;
    inputs.push_back(input);
    input.ki.dwFlags |= KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

// Tokens: a chord ("alt+n", "down"), "text:HEX" (UTF-16LE hex typed as Unicode) or "sleep:MS".
int Keys(int argc, wchar_t** argv) {
  for (int i = 0; i < argc; ++i) {
    std::wstring token = argv[i];
    bool ok = true;
    if (token.rfind(L"text:", 0) == 0) {
      ok = SendText(FromHex(token.c_str() + 5));
    } else if (token.rfind(L"sleep:", 0) == 0) {
      Sleep(static_cast<DWORD>(std::wcstoul(token.c_str() + 6, nullptr, 10)));
    } else {
      ok = SendChord(token);
    }
    if (!ok) {
      std::fprintf(stderr, "cannot send %ls\n", token.c_str());
      return 2;
    }
    Sleep(30);  // let the target's thread take each chord before the next
  }
  return 0;
}

// --- a window of someone else's ----------------------------------------------------------------

// keylog FILE: a small window titled "Key log" that writes each key it receives to FILE as
// "down VK" / "char CODE", until it is closed.
int KeyLog(const wchar_t* path) {
  static FILE* log = _wfopen(path, L"w");
  if (!log) return Fail("opening the log");
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_CHAR) {
      std::fprintf(log, "%s %u\n", message == WM_CHAR ? "char" : "down",
                   static_cast<unsigned>(wParam));
      std::fflush(log);
      return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
  };
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"HopE2eKeyLog";
  RegisterClassW(&windowClass);
  const HWND window =
      CreateWindowExW(0, L"HopE2eKeyLog", L"Key log", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200,
                      300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
  SetForegroundWindow(window);
  std::fprintf(log, "ready %llu\n",
               static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
  std::fflush(log);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

// hold-hotkey CHORD: registers the chord ("ctrl+g") as this process's hotkey and keeps it.
int HoldHotkey(std::wstring chord) {
  UINT modifiers = 0;
  std::size_t plus;
  while ((plus = chord.find(L'+')) != std::wstring::npos) {
    const std::wstring mod = chord.substr(0, plus);
    modifiers |= mod == L"alt" ? MOD_ALT : mod == L"ctrl" ? MOD_CONTROL : MOD_SHIFT;
    chord = chord.substr(plus + 1);
  }
  if (!RegisterHotKey(nullptr, 1, modifiers, VkFor(chord))) return Fail("RegisterHotKey");
  std::printf("held\n");
  std::fflush(stdout);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

// --- popup menus -----------------------------------------------------------------------------

int Menus() {
  std::vector<HWND> windows;
  EnumWindows(&Collect, reinterpret_cast<LPARAM>(&windows));
  std::string out = "[";
  bool first = true;
  for (HWND window : windows) {
    if (ClassOf(window) != L"#32768" || !IsWindowVisible(window)) continue;
    out += (first ? "" : ",") + Describe(window);
    first = false;
  }
  std::printf("%s]\n", out.c_str());
  return 0;
}

// --- combo boxes -----------------------------------------------------------------------------

// combo HWND: the entries of a combo box's list and its selection, as the user would read them.
int ComboDump(HWND combo) {
  DWORD_PTR count = 0;
  if (!SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000, &count))
    return Fail("CB_GETCOUNT");
  std::string out = "{\"items\":[";
  for (DWORD_PTR i = 0; i < count; ++i) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 1000, &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 1000, &copied);
    text.resize(copied);
    out += (i ? "," : "") + Json(text);
  }
  DWORD_PTR selected = 0;
  SendMessageTimeoutW(combo, CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 1000, &selected);
  out += "],\"selected\":" + std::to_string(static_cast<LONG_PTR>(selected)) + "}";
  std::printf("%s\n", out.c_str());
  return 0;
}

// --- registry --------------------------------------------------------------------------------

int RegistryDump() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    std::printf("null\n");
    return 0;
  }
  std::string out = "{";
  for (DWORD index = 0;; ++index) {
    wchar_t name[16384];
    DWORD nameLength = 16384, type = 0, size = 0;
    if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS)
      break;
    std::vector<BYTE> data(size + 2);
    nameLength = 16384;
    DWORD dataSize = size;
    RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data.data(), &dataSize);
    std::string value;
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
      std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), dataSize / 2);
      if (!text.empty() && text.back() == L'\0') text.pop_back();
      value = Json(text);
    } else if (type == REG_DWORD && dataSize == 4) {
      value = std::to_string(*reinterpret_cast<const DWORD*>(data.data()));
    } else {
      value = "null";
    }
    out += (index ? "," : "") + Json(std::wstring(name, nameLength)) +
           ":{\"type\":" + std::to_string(type) + ",\"value\":" + value + "}";
  }
  RegCloseKey(key);
  std::printf("%s}\n", out.c_str());
  return 0;
}

// reg-set NAME sz HEX | reg-set NAME dword N | reg-set NAME binary HEXBYTES
int RegistrySet(const wchar_t* name, const wchar_t* type, const wchar_t* value) {
  HKEY key = nullptr;
  LONG result =
      RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
  if (result != ERROR_SUCCESS) return Fail("RegCreateKeyEx", static_cast<DWORD>(result));
  if (std::wstring(type) == L"dword") {
    const DWORD number = static_cast<DWORD>(std::wcstoul(value, nullptr, 10));
    result = RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
  } else if (std::wstring(type) == L"binary") {
    std::vector<BYTE> bytes;
    for (std::size_t i = 0; i + 2 <= std::wcslen(value); i += 2)
      bytes.push_back(
          static_cast<BYTE>(std::wcstoul(std::wstring(value + i, 2).c_str(), nullptr, 16)));
    result =
        RegSetValueExW(key, name, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
  } else {
    const std::wstring text = FromHex(value);
    result = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  RegCloseKey(key);
  return result == ERROR_SUCCESS ? 0 : Fail("RegSetValueEx", static_cast<DWORD>(result));
}

int RegistryClear() {
  const LONG result = RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quorvane");
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND
             ? 0
             : Fail("RegDeleteTree", static_cast<DWORD>(result));
}

// --- clipboard -------------------------------------------------------------------------------

bool OpenClipboardPatiently() {
  for (int tries = 0; tries < 100; ++tries) {
    if (OpenClipboard(nullptr)) return true;
    Sleep(10);
  }
  return false;
}

int ClipboardDump() {
  if (!OpenClipboardPatiently()) return Fail("OpenClipboard");
  std::string formats = "[";
  UINT format = 0;
  bool first = true;
  while ((format = EnumClipboardFormats(format)) != 0) {
    wchar_t name[256] = {};
    GetClipboardFormatNameW(format, name, 256);
    std::string bytes = "null";
    if (format >= 0xC000 || format == CF_UNICODETEXT) {  // registered formats and text: content
      if (HANDLE data = GetClipboardData(format)) {
        const auto* p = static_cast<const unsigned char*>(GlobalLock(data));
        const SIZE_T size = GlobalSize(data);
        bytes = "\"";
        for (SIZE_T i = 0; p && i < size; ++i) {
          char hex[3];
          std::snprintf(hex, sizeof hex, "%02x", p[i]);
          bytes += hex;
        }
        bytes += "\"";
        GlobalUnlock(data);
      }
    }
    formats += (first ? "" : ",") + std::string("{\"id\":") + std::to_string(format) +
               ",\"name\":" + Json(name) + ",\"hex\":" + bytes + "}";
    first = false;
  }
  CloseClipboard();
  std::printf("%s]\n", formats.c_str());
  return 0;
}

void PutGlobal(UINT format, const void* data, std::size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) return;
  std::memcpy(GlobalLock(memory), data, size);
  GlobalUnlock(memory);
  if (!SetClipboardData(format, memory)) GlobalFree(memory);
}

// clip-set [text HEX] [custom NAME HEXBYTES] ...; no arguments empties the clipboard.
int ClipboardSet(int argc, wchar_t** argv) {
  if (!OpenClipboardPatiently()) return Fail("OpenClipboard");
  EmptyClipboard();
  for (int i = 0; i + 1 < argc; i += 2) {
    if (std::wstring(argv[i]) == L"text") {
      const std::wstring text = FromHex(argv[i + 1]);
      PutGlobal(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    } else if (std::wstring(argv[i]) == L"custom" && i + 2 < argc) {
      const UINT format = RegisterClipboardFormatW(argv[i + 1]);
      std::vector<BYTE> bytes;
      const wchar_t* hex = argv[i + 2];
      for (std::size_t k = 0; k + 2 <= std::wcslen(hex); k += 2)
        bytes.push_back(
            static_cast<BYTE>(std::wcstoul(std::wstring(hex + k, 2).c_str(), nullptr, 16)));
      PutGlobal(format, bytes.data(), bytes.size());
      ++i;
    }
  }
  CloseClipboard();
  return 0;
}

// --- holding the desktop open ----------------------------------------------------------------

int Hold() {
  MSG message;
  CreateWindowExW(0, L"STATIC", L"probe-hold", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                  nullptr);
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

// --- the screen as programs see it ------------------------------------------------------------

int Screen() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  std::printf("{\"work\":[%ld,%ld,%ld,%ld],\"dpi\":%u,\"screen\":[%d,%d]}\n", work.left, work.top,
              work.right, work.bottom, GetDpiForSystem(), GetSystemMetrics(SM_CXSCREEN),
              GetSystemMetrics(SM_CYSCREEN));
  return 0;
}

// Sets system colours for the session: pairs of a COLOR_* index and a colour as hex 0xBBGGRR.
// Prints the colours they had, in the same form, to set them back.
int SetColours(int count, wchar_t** pairs) {
  std::vector<int> elements;
  std::vector<COLORREF> colours;
  std::string previous = "[";
  for (int i = 0; i + 1 < count; i += 2) {
    elements.push_back(std::wcstol(pairs[i], nullptr, 10));
    colours.push_back(static_cast<COLORREF>(std::wcstoul(pairs[i + 1], nullptr, 16)));
    char pair[48];
    std::snprintf(pair, sizeof pair, "%s\"%d\",\"%06lx\"", i ? "," : "", elements.back(),
                  static_cast<unsigned long>(GetSysColor(elements.back())));
    previous += pair;
  }
  std::printf("%s]\n", previous.c_str());
  return SetSysColors(static_cast<int>(elements.size()), elements.data(), colours.data())
             ? 0
             : Fail("SetSysColors");
}

HWND ParseHandle(const wchar_t* text) {
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::wcstoull(text, nullptr, 10)));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const std::wstring command = argv[1];
  if (command == L"windows") return ListWindows();
  if (command == L"children" && argc > 2) return ListChildren(ParseHandle(argv[2]));
  if (command == L"foreground") return Foreground();
  if (command == L"activate" && argc > 2)
    return SetForegroundWindow(ParseHandle(argv[2])) ? 0 : Fail("SetForegroundWindow");
  if (command == L"move" && argc > 4)
    return SetWindowPos(ParseHandle(argv[2]), nullptr, _wtoi(argv[3]), _wtoi(argv[4]), 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)
               ? 0
               : Fail("SetWindowPos");
  if (command == L"close" && argc > 2)
    return PostMessageW(ParseHandle(argv[2]), WM_CLOSE, 0, 0) ? 0 : Fail("PostMessage");
  if (command == L"keys") return Keys(argc - 2, argv + 2);
  if (command == L"menus") return Menus();
  if (command == L"combo" && argc > 2) return ComboDump(ParseHandle(argv[2]));
  if (command == L"reg-dump") return RegistryDump();
  if (command == L"reg-set" && argc > 4) return RegistrySet(argv[2], argv[3], argv[4]);
  if (command == L"reg-clear") return RegistryClear();
  if (command == L"clip-dump") return ClipboardDump();
  if (command == L"clip-set") return ClipboardSet(argc - 2, argv + 2);
  if (command == L"hold") return Hold();
  if (command == L"keylog" && argc > 2) return KeyLog(argv[2]);
  if (command == L"hold-hotkey" && argc > 2) return HoldHotkey(argv[2]);
  if (command == L"screen") return Screen();
  if (command == L"post" && argc > 5) {  // a message as another program (the shell) posts it
    return PostMessageW(ParseHandle(argv[2]), std::wcstoul(argv[3], nullptr, 0),
                        std::wcstoull(argv[4], nullptr, 0), std::wcstoll(argv[5], nullptr, 0))
               ? 0
               : Fail("PostMessage");
  }
  if (command == L"colours") return SetColours(argc - 2, argv + 2);
  if (command == L"broadcast" && argc > 2) {
    const UINT message = RegisterWindowMessageW(argv[2]);
    return SendMessageTimeoutW(HWND_BROADCAST, message, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr)
               ? 0
               : Fail("SendMessageTimeout");
  }
  std::fprintf(stderr, "unknown command\n");
  return 2;
}
