#include "delivery/win32_desktop.h"

#include <dwmapi.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "delivery/win32_window_tree.h"

namespace hop {
namespace {

using Clock = std::chrono::steady_clock;

// Polls `done` every millisecond until it holds or `bound` has passed.
template <typename Done>
bool PollUntil(std::chrono::milliseconds bound, Done done) {
  const auto end = Clock::now() + bound;
  for (;;) {
    if (done()) return true;
    if (Clock::now() >= end) return false;
    ::Sleep(1);
  }
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  const int length = ::GetClassNameW(window, name, 64);
  return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

bool IsEditable(HWND window) {
  return window && ClassOf(window) == L"Edit" && ::IsWindowVisible(window) &&
         ::IsWindowEnabled(window) && !(::GetWindowLongPtrW(window, GWL_STYLE) & ES_READONLY);
}

// Dialog control ids: the file-name combo box of the classic dialogs and of the Vista-style
// Open dialog on Windows (cmb13), the plain file-name edit of Wine's Vista-style dialogs, the
// edit inside any combo box (the Vista-style Save dialog's file name on Windows), the folder
// box's label (stc4).
constexpr int kFileNameCombo = 1148;
constexpr int kFileNameEdit = 1152;
constexpr int kComboEdit = 1001;
constexpr int kFolderLabel = 1091;

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

// The first descendant of the class, in the order EnumChildWindows visits them.
HWND ChildOfClass(HWND root, const wchar_t* className) {
  struct Search {
    const wchar_t* className;
    HWND found;
  } search{className, nullptr};
  ::EnumChildWindows(
      root,
      [](HWND child, LPARAM lParam) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(lParam);
        if (ClassOf(child) != s.className) return TRUE;
        s.found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND EditInside(HWND container) {
  return container ? ChildOfClass(container, L"Edit") : nullptr;
}

HWND FolderView(HWND dialog) {
  return ChildOfClass(dialog, L"SHELLDLL_DefView");
}

// The window text the system keeps for a button or a label: read without a message to the
// dialog's thread.
std::wstring StoredText(HWND window) {
  wchar_t text[128] = {};
  const int length = window ? ::GetWindowTextW(window, text, 128) : 0;
  return std::wstring(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::wstring Expanded(std::wstring_view stored) {
  const std::wstring path(stored);
  const DWORD size = ::ExpandEnvironmentStringsW(path.c_str(), nullptr, 0);
  if (size == 0) return path;
  std::wstring expanded(size, L'\0');
  const DWORD written = ::ExpandEnvironmentStringsW(path.c_str(), expanded.data(), size);
  if (written == 0 || written > size) return path;
  expanded.resize(written - 1);
  return expanded;
}

// A local fixed drive answers at once; a share, a mapped or removable drive may not.
bool IsLocalFixedDrive(std::wstring_view path) {
  if (path.size() < 3 || path[1] != L':' || (path[2] != L'\\' && path[2] != L'/')) return false;
  const wchar_t root[] = {path[0], L':', L'\\', L'\0'};
  const UINT type = ::GetDriveTypeW(root);
  return type == DRIVE_FIXED || type == DRIVE_RAMDISK;
}

std::optional<std::uint32_t> IntegrityOfProcess(HANDLE process) {
  HANDLE rawToken = nullptr;
  if (!::OpenProcessToken(process, TOKEN_QUERY, &rawToken)) return std::nullopt;
  const win32::UniqueKernelHandle token(rawToken);
  DWORD size = 0;
  ::GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
  if (size == 0) return std::nullopt;
  std::vector<BYTE> buffer(size);
  if (!::GetTokenInformation(token.get(), TokenIntegrityLevel, buffer.data(), size, &size)) {
    return std::nullopt;
  }
  const PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
  const UCHAR count = *::GetSidSubAuthorityCount(sid);
  if (count == 0) return std::nullopt;
  return static_cast<std::uint32_t>(*::GetSidSubAuthority(sid, count - 1));
}

// The clipboard, opened with patience: a clipboard manager or a remote-desktop session may
// hold it for a while.
class PatientClipboard {
 public:
  PatientClipboard(HWND owner, std::chrono::milliseconds bound) {
    open_ = PollUntil(bound, [&] { return ::OpenClipboard(owner) != FALSE; });
  }
  PatientClipboard(const PatientClipboard&) = delete;
  PatientClipboard& operator=(const PatientClipboard&) = delete;
  ~PatientClipboard() {
    if (open_) ::CloseClipboard();
  }
  explicit operator bool() const { return open_; }

 private:
  bool open_ = false;
};

// Registered formats by which Windows keeps clipboard contents out of its clipboard history
// and the cloud clipboard: the path is no copy of the user's, and the restored contents are
// already there once.
void MarkPrivate() {
  static const UINT exclude =
      ::RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
  static const UINT history = ::RegisterClipboardFormatW(L"CanIncludeInClipboardHistory");
  static const UINT cloud = ::RegisterClipboardFormatW(L"CanUploadToCloudClipboard");
  for (const UINT format : {exclude, history, cloud}) {
    win32::UniqueGlobal zero(::GlobalAlloc(GMEM_MOVEABLE, sizeof(DWORD)));
    if (!zero) continue;
    {
      const win32::LockedGlobal locked(zero.get());
      if (!locked.get()) continue;
      *static_cast<DWORD*>(locked.get()) = 0;
    }
    if (::SetClipboardData(format, zero.get())) zero.release();
  }
}

INPUT KeyInput(WORD vk, WORD scan, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = scan;
  input.ki.dwFlags = flags;
  return input;
}

WORD VirtualKey(NamedKey key) {
  switch (key) {
    case NamedKey::Enter:
      return VK_RETURN;
    case NamedKey::Backspace:
      return VK_BACK;
    case NamedKey::Tab:
      return VK_TAB;
    case NamedKey::Escape:
      return VK_ESCAPE;
    case NamedKey::Delete:
      return VK_DELETE;
    case NamedKey::Insert:
      return VK_INSERT;
    case NamedKey::Home:
      return VK_HOME;
    case NamedKey::End:
      return VK_END;
    case NamedKey::PageUp:
      return VK_PRIOR;
    case NamedKey::PageDown:
      return VK_NEXT;
    case NamedKey::Left:
      return VK_LEFT;
    case NamedKey::Right:
      return VK_RIGHT;
    case NamedKey::Up:
      return VK_UP;
    case NamedKey::Down:
      return VK_DOWN;
    case NamedKey::None:
      return 0;
    default:
      return static_cast<WORD>(VK_F1 + (static_cast<int>(key) - static_cast<int>(NamedKey::F1)));
  }
}

void AddPress(std::vector<INPUT>& inputs, WORD vk) {
  const WORD scan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  inputs.push_back(KeyInput(vk, scan, 0));
  inputs.push_back(KeyInput(vk, scan, KEYEVENTF_KEYUP));
}

// A chord as input events: modifiers down, the key, modifiers up. A plain character is typed
// as a Unicode character, whatever the keyboard layout; with a modifier it is the key that
// carries that character, since Alt+N and Ctrl+V are keys, not characters.
bool AddChord(std::vector<INPUT>& inputs, const KeyChord& chord) {
  const bool modified = chord.modifiers.alt || chord.modifiers.ctrl || chord.modifiers.shift;
  WORD vk = VirtualKey(chord.key);
  if (chord.key == NamedKey::None && modified) {
    const SHORT scan = ::VkKeyScanW(chord.character);
    if (scan == -1) return false;
    vk = static_cast<WORD>(scan & 0xFF);
  }
  if (vk == 0) {
    inputs.push_back(KeyInput(0, chord.character, KEYEVENTF_UNICODE));
    inputs.push_back(KeyInput(0, chord.character, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    return true;
  }
  const WORD held[] = {static_cast<WORD>(chord.modifiers.ctrl ? VK_CONTROL : 0),
                       static_cast<WORD>(chord.modifiers.alt ? VK_MENU : 0),
                       static_cast<WORD>(chord.modifiers.shift ? VK_SHIFT : 0)};
  for (WORD m : held) {
    if (m)
      inputs.push_back(KeyInput(m, static_cast<WORD>(::MapVirtualKeyW(m, MAPVK_VK_TO_VSC)), 0));
  }
  AddPress(inputs, vk);
  for (int i = 2; i >= 0; --i) {
    if (held[i]) {
      inputs.push_back(KeyInput(
          held[i], static_cast<WORD>(::MapVirtualKeyW(held[i], MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP));
    }
  }
  return true;
}

win32::UniqueGlobal CopyGlobal(HANDLE source) {
  const SIZE_T size = ::GlobalSize(source);
  if (size == 0) return {};
  win32::UniqueGlobal copy(::GlobalAlloc(GMEM_MOVEABLE, size));
  if (!copy) return {};
  {
    const win32::LockedGlobal from(source);
    const win32::LockedGlobal to(copy.get());
    if (!from.get() || !to.get()) return {};
    std::memcpy(to.get(), from.get(), size);
  }
  return copy;
}

// Formats whose handle is neither memory nor a GDI object that can be copied.
bool IsUncopyable(UINT format) {
  return format == CF_OWNERDISPLAY || format == CF_PALETTE || format == CF_METAFILEPICT ||
         format == CF_DSPBITMAP || format == CF_DSPENHMETAFILE || format == CF_DSPMETAFILEPICT ||
         (format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST) ||
         (format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST);
}

}  // namespace

std::optional<std::wstring> ControlText(HWND control) {
  // One round trip for the usual short text; the length is asked first only for a long one.
  wchar_t buffer[512];
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer),
                             SMTO_ABORTIFHUNG, 200, &copied)) {
    return std::nullopt;
  }
  if (copied < 511) return std::wstring(buffer, copied);
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 200, &length)) {
    return std::nullopt;
  }
  std::wstring text(length + 1, L'\0');
  if (!::SendMessageTimeoutW(control, WM_GETTEXT, text.size(),
                             reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 200,
                             &copied)) {
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

const Win32Desktop::Survey& Win32Desktop::SurveyOf(HWND root, bool fresh) {
  if (!fresh && survey_.root == root && root) return survey_;
  struct Found {
    HWND root;
    HWND comboEx = nullptr, combo = nullptr, plainEdit = nullptr, saveEdit = nullptr;
    bool directUi = false;
    HWND ok = nullptr, label = nullptr, view = nullptr;
  } found{root};
  ::EnumChildWindows(
      root,
      [](HWND child, LPARAM lParam) -> BOOL {
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
        if (name == L"DUIViewWndClassName") f.directUi = true;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  Survey survey;
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
  survey_ = survey;
  return survey_;
}

void Win32Desktop::SetBusyPointer(bool busy) {
  // The program has no visible window, so the pointer is set directly: it shows until the
  // next mouse move lets the window below it choose its own.
  ::SetCursor(::LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

Candidate Win32Desktop::Inspect(WindowHandle match) {
  const HWND found = AsHwnd(match);
  const HWND root = ::IsWindow(found) ? ::GetAncestor(found, GA_ROOT) : nullptr;
  if (!root) return {};
  Candidate candidate;
  candidate.topLevel = AsWindowHandle(root);
  candidate.visible = ::IsWindowVisible(found) && ::IsWindowVisible(root);
  candidate.enabled = ::IsWindowEnabled(root);
  // Under Wine the query fails and leaves the value alone: failure means not cloaked.
  DWORD cloaked = 0;
  candidate.cloaked =
      SUCCEEDED(::DwmGetWindowAttribute(root, DWMWA_CLOAKED, &cloaked, sizeof(cloaked))) &&
      cloaked != 0;
  candidate.field = AsWindowHandle(SurveyOf(root, true).field);
  return candidate;
}

DialogSigns Win32Desktop::SignsOf(WindowHandle dialog) {
  const Survey& survey = SurveyOf(AsHwnd(dialog), false);
  return {survey.saveStructure, survey.openStructure, StoredText(survey.okButton),
          StoredText(survey.folderLabel)};
}

std::optional<std::uint32_t> Win32Desktop::OwnIntegrity() {
  static const auto own = IntegrityOfProcess(::GetCurrentProcess());  // fixed for a process
  return own;
}

std::optional<std::uint32_t> Win32Desktop::IntegrityOf(WindowHandle window) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(AsHwnd(window), &processId);
  if (processId == 0) return std::nullopt;
  const win32::UniqueKernelHandle process(
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return std::nullopt;
  return IntegrityOfProcess(process.get());
}

static PathKind PathKindOf(DWORD attributes) {
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
  return attributes & FILE_ATTRIBUTE_DIRECTORY ? PathKind::Folder : PathKind::File;
}

PathKind Win32Desktop::KindOfPath(std::wstring_view stored) {
  // File dialogs expand environment variables in what is typed, so the check does too.
  const std::wstring path = Expanded(stored);
  if (IsLocalFixedDrive(path)) return PathKindOf(::GetFileAttributesW(path.c_str()));
  // An offline share can hold the check for many seconds, so it runs on a thread of its own
  // that is left to finish alone once the bound has passed.
  struct Check {
    std::wstring path;
    std::atomic<DWORD> attributes{INVALID_FILE_ATTRIBUTES};
    win32::UniqueKernelHandle done{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  };
  auto check = std::make_shared<Check>();
  check->path = path;
  if (!check->done) return PathKind::Missing;
  std::thread([check] {
    check->attributes = ::GetFileAttributesW(check->path.c_str());
    ::SetEvent(check->done.get());
  }).detach();
  if (::WaitForSingleObject(check->done.get(), static_cast<DWORD>(bounds_.pathCheck.count())) !=
      WAIT_OBJECT_0) {
    return PathKind::Missing;
  }
  return PathKindOf(check->attributes);
}

WindowHandle Win32Desktop::Activate(WindowHandle topLevel) {
  // The window found, by its handle: a title could name another window with the same title.
  const HWND root = AsHwnd(topLevel);
  if (!::IsWindow(root) || !::IsWindowVisible(root)) return 0;
  if (::GetForegroundWindow() == root) return topLevel;
  if (::IsIconic(root)) ::ShowWindow(root, SW_RESTORE);
  if (!::SetForegroundWindow(root)) return 0;
  // It is briefly 0 after SetForegroundWindow; keys sent meanwhile would be lost.
  return PollUntil(bounds_.activation, [&] { return ::GetForegroundWindow() == root; })
             ? AsWindowHandle(root)
             : 0;
}

bool Win32Desktop::IsForeground(WindowHandle topLevel) {
  return ::IsWindow(AsHwnd(topLevel)) && ::GetForegroundWindow() == AsHwnd(topLevel);
}

WindowHandle Win32Desktop::FileNameField(WindowHandle dialog) {
  const HWND field = SurveyOf(AsHwnd(dialog), false).field;
  return IsEditable(field) ? AsWindowHandle(field) : 0;
}

bool Win32Desktop::FocusField(WindowHandle dialog, WindowHandle field) {
  // The dialog's own next-control message: no mnemonic (localized, or absent, or another
  // character on this keyboard layout) and no key at all. It goes to the dialog that holds the
  // control (an inner dialog, when the file dialog is built from a nested template), which
  // focuses it and selects its text.
  if (FocusOf(AsHwnd(dialog)) != AsHwnd(field)) PostNextControl(dialog, field);
  if (!PollUntil(bounds_.focus, [&] { return FocusOf(AsHwnd(dialog)) == AsHwnd(field); })) {
    return false;
  }
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(AsHwnd(field), EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, 200, &ignored);
  return true;
}

void Win32Desktop::PostNextControl(WindowHandle dialog, WindowHandle field) {
  HWND owner = ::GetParent(AsHwnd(field));
  while (owner && owner != AsHwnd(dialog) && ClassOf(owner) != L"#32770")
    owner = ::GetParent(owner);
  ::PostMessageW(owner ? owner : AsHwnd(dialog), WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(AsHwnd(field)), TRUE);
}

std::optional<std::wstring> Win32Desktop::FieldText(WindowHandle field) {
  return ControlText(AsHwnd(field));
}

bool Win32Desktop::SetFieldText(WindowHandle field, std::wstring_view text) {
  const std::wstring value(text);
  DWORD_PTR ignored = 0;
  if (!::SendMessageTimeoutW(AsHwnd(field), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()),
                             SMTO_ABORTIFHUNG, 1000, &ignored)) {
    return false;
  }
  ::SendMessageTimeoutW(AsHwnd(field), EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, 200, &ignored);
  return true;
}

bool Win32Desktop::WaitForText(WindowHandle field, std::wstring_view text) {
  return PollUntil(bounds_.text, [&] {
    const auto now = ControlText(AsHwnd(field));
    return now && *now == text;
  });
}

void Win32Desktop::WatchForMove(WindowHandle dialog) {
  viewBeforeEnter_ = SurveyOf(AsHwnd(dialog), false).folderView;
  survey_ = {};  // Enter may rebuild the dialog's windows
}

Answer Win32Desktop::WaitForAnswer(WindowHandle dialog, WindowHandle field) {
  // A file dialog builds a new folder view for every folder it moves to; Windows' Save dialog
  // may also build a new file-name field. The field's text is no sign: Wine's Vista-style
  // dialogs keep the typed text after a move.
  const HWND root = AsHwnd(dialog);
  Answer answer = Answer::NoSign;
  PollUntil(bounds_.answer, [&] {
    if (!::IsWindow(root) || !::IsWindowVisible(root)) {
      answer = Answer::Closed;
    } else if (!::IsWindow(AsHwnd(field))) {
      answer = Answer::Moved;
    } else if (viewBeforeEnter_) {
      const HWND view = FolderView(root);
      if (view && view != viewBeforeEnter_) answer = Answer::Moved;
    }
    return answer != Answer::NoSign;
  });
  return answer;
}

bool Win32Desktop::SendKeys(std::span<const KeyChord> keys) {
  std::vector<INPUT> inputs;
  inputs.reserve(keys.size() * 2);
  for (const auto& chord : keys) {
    if (!AddChord(inputs, chord)) return false;
  }
  if (inputs.empty()) return true;
  const UINT sent = ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  return sent == inputs.size();
}

bool Win32Desktop::PasteInto(WindowHandle field) {
  // The edit's own paste: no Ctrl+V, which is no paste on some keyboard layouts.
  DWORD_PTR ignored = 0;
  return ::SendMessageTimeoutW(AsHwnd(field), WM_PASTE, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored) !=
         0;
}

bool Win32Desktop::SaveClipboard() {
  saved_.clear();
  haveSaved_ = false;
  PatientClipboard clipboard(owner_, bounds_.clipboard);
  if (!clipboard) return false;
  for (UINT format = ::EnumClipboardFormats(0); format != 0;
       format = ::EnumClipboardFormats(format)) {
    if (IsUncopyable(format)) continue;
    const HANDLE data = ::GetClipboardData(format);
    if (!data) continue;
    SavedFormat copy;
    copy.format = format;
    if (format == CF_ENHMETAFILE) {
      copy.metafile.reset(::CopyEnhMetaFileW(static_cast<HENHMETAFILE>(data), nullptr));
    } else if (format == CF_BITMAP) {
      copy.bitmap.reset(static_cast<HBITMAP>(::CopyImage(data, IMAGE_BITMAP, 0, 0, 0)));
    } else {
      copy.memory = CopyGlobal(data);
    }
    if (copy.memory || copy.metafile || copy.bitmap) saved_.push_back(std::move(copy));
  }
  haveSaved_ = true;
  return true;
}

bool Win32Desktop::SetClipboardText(std::wstring_view text) {
  const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
  win32::UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return false;
  {
    const win32::LockedGlobal locked(memory.get());
    auto* to = static_cast<wchar_t*>(locked.get());
    if (!to) return false;
    std::memcpy(to, text.data(), text.size() * sizeof(wchar_t));
    to[text.size()] = L'\0';
  }
  PatientClipboard clipboard(owner_, bounds_.clipboard);
  if (!clipboard || !::EmptyClipboard()) return false;
  if (!::SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
  memory.release();  // the clipboard owns it now
  MarkPrivate();
  return true;
}

bool Win32Desktop::RestoreClipboard() {
  if (!haveSaved_) return false;
  PatientClipboard clipboard(owner_, bounds_.clipboard);
  if (!clipboard || !::EmptyClipboard()) return false;
  bool all = true;
  for (auto& format : saved_) {
    HANDLE data = format.memory     ? static_cast<HANDLE>(format.memory.get())
                  : format.metafile ? static_cast<HANDLE>(format.metafile.get())
                                    : static_cast<HANDLE>(format.bitmap.get());
    if (::SetClipboardData(format.format, data)) {
      format.memory.release();
      format.metafile.release();
      format.bitmap.release();
    } else {
      all = false;
    }
  }
  if (!saved_.empty()) MarkPrivate();
  saved_.clear();
  haveSaved_ = false;
  return all;
}

}  // namespace hop
