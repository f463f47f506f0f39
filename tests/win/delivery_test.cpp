// The finder and the delivery against real windows, input and clipboard under the window manager.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "delivery/path_delivery.h"
#include "delivery/win32_desktop.h"
#include "delivery/win32_dialog_survey.h"
#include "delivery/win32_dialog_words.h"
#include "delivery/win32_window_tree.h"
#include "win32/unique_handle.h"

namespace hop {
namespace {

using win32::UniqueWindow;

HWND MakeDialog(const wchar_t* title, HWND parent = nullptr, int id = 0) {
  const DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE;
  return ::CreateWindowExW(0, L"#32770", title, style, 10, 10, 300, 200, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

std::ptrdiff_t Position(const std::vector<WindowHandle>& found, HWND window) {
  const auto it = std::find(found.begin(), found.end(), AsWindowHandle(window));
  return it == found.end() ? -1 : it - found.begin();
}

TEST(Win32Finder, NestedDialogsComeFirstAndHigherInZOrderBeforeLower) {
  Win32WindowTree tree;
  DialogFinder finder(tree);
  UniqueWindow outer(MakeDialog(L"Outer"));
  HWND inner = MakeDialog(L"Inner", outer.get(), 7);
  HWND untitled = MakeDialog(L"", outer.get(), 8);
  UniqueWindow other(MakeDialog(L"Other"));
  ::SetWindowPos(other.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  std::vector<WindowHandle> found;
  ASSERT_GT(finder.FindWindowsByPattern(found, 0, L"*", L"*32770", std::nullopt), 2);
  EXPECT_EQ(found[0], 0u);
  EXPECT_LT(Position(found, other.get()), Position(found, inner));
  EXPECT_LT(Position(found, inner), Position(found, outer.get()));
  EXPECT_EQ(Position(found, untitled), -1);

  ::SetWindowPos(outer.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  finder.FindWindowsByPattern(found, 0, L"*", L"*32770", std::nullopt);
  EXPECT_LT(Position(found, inner), Position(found, other.get()));
  EXPECT_LT(Position(found, outer.get()), Position(found, other.get()));
}

TEST(Win32Finder, ControlIdsAndLongTitlesAreReadAt64Bit) {
  Win32WindowTree tree;
  DialogFinder finder(tree);
  const std::wstring longTitle = std::wstring(254, L'x') + L"TAIL";
  UniqueWindow outer(MakeDialog(longTitle.c_str()));
  HWND low = MakeDialog(L"Low", outer.get(), 1148);
  HWND high = MakeDialog(L"High", outer.get(), 0x9000);
  EXPECT_EQ(tree.ControlId(AsWindowHandle(low)), 1148);
  EXPECT_EQ(tree.ControlId(AsWindowHandle(high)), 0x9000);
  std::vector<WindowHandle> found;
  EXPECT_EQ(
      finder.FindWindowsByPattern(found, AsWindowHandle(outer.get()), L"*", L"#32770", 0x9000), 1);
  EXPECT_EQ(found, (std::vector<WindowHandle>{0, AsWindowHandle(high)}));
  EXPECT_EQ(finder.FindWindowsByPattern(found, 0, std::wstring(254, L'x'), L"#32770", std::nullopt),
            1);
  EXPECT_EQ(found[1], AsWindowHandle(outer.get()));
}

// A file-dialog-like window on a thread of its own, so this thread can send it input: a
// titled #32770 with a list box that has the focus and a file-name edit (id 1152).
class DialogThread {
 public:
  explicit DialogThread(const wchar_t* initialText = L"old.txt") : text_(initialText) {
    thread_ = std::thread([this] { Run(); });
    while (!ready_) ::Sleep(1);
  }
  ~DialogThread() {
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  HWND dialog() const { return dialog_; }
  HWND edit() const { return edit_; }
  void Close() { ::SendMessageW(dialog_, WM_CLOSE, 0, 0); }

 private:
  void Run() {
    threadId_ = ::GetCurrentThreadId();
    dialog_ = ::CreateWindowExW(0, L"#32770", L"Open", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 100,
                                100, 400, 200, nullptr, nullptr, nullptr, nullptr);
    HWND list = ::CreateWindowExW(0, L"ListBox", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5, 5, 200,
                                  100, dialog_, reinterpret_cast<HMENU>(1), nullptr, nullptr);
    edit_ =
        ::CreateWindowExW(0, L"Edit", text_, WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 5,
                          120, 380, 24, dialog_, reinterpret_cast<HMENU>(1152), nullptr, nullptr);
    ::SetFocus(list);
    ready_ = true;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (msg.message == WM_CLOSE || (dialog_ && ::IsDialogMessageW(dialog_, &msg))) {
        if (msg.message == WM_CLOSE) ::DestroyWindow(dialog_);
        continue;
      }
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (::IsWindow(dialog_)) ::DestroyWindow(dialog_);
  }

  const wchar_t* text_;
  std::thread thread_;
  DWORD threadId_ = 0;
  HWND dialog_ = nullptr;
  HWND edit_ = nullptr;
  std::atomic<bool> ready_{false};
};

// The dialog above takes Enter as IDOK and stays where it is, so the field keeps what the path
// left there; it has no folder to move to, so every path counts as a folder and no move is
// waited for.
class StayingDialogDesktop : public Win32Desktop {
 public:
  using Win32Desktop::Win32Desktop;
  PathKind KindOfPath(std::wstring_view) override { return PathKind::Folder; }
  Answer WaitForAnswer(WindowHandle, WindowHandle) override { return Answer::NoSign; }
};

void PutClipboard(UINT format, const void* data, std::size_t bytes, bool empty = true) {
  win32::ClipboardScope clipboard(nullptr);
  ASSERT_TRUE(clipboard);
  if (empty) ::EmptyClipboard();
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  {
    const win32::LockedGlobal locked(memory);
    ASSERT_TRUE(locked.get());
    std::memcpy(locked.get(), data, bytes);
  }
  ASSERT_TRUE(::SetClipboardData(format, memory));
}

std::string ClipboardBytes(UINT format) {
  win32::ClipboardScope clipboard(nullptr);
  HANDLE data = clipboard ? ::GetClipboardData(format) : nullptr;
  if (!data) return "<none>";
  const win32::LockedGlobal locked(data);
  if (!locked.get()) return "<unlocked>";
  return std::string(static_cast<const char*>(locked.get()), ::GlobalSize(data));
}

int ClipboardFormatCount() {
  win32::ClipboardScope clipboard(nullptr);
  return ::CountClipboardFormats();
}

// Another program copies while the path is on its way, after the clipboard was saved.
class CopyingMeanwhileDesktop : public StayingDialogDesktop {
 public:
  using StayingDialogDesktop::StayingDialogDesktop;
  static constexpr wchar_t kCopied[] = L"copied meanwhile";
  ClipboardSave SaveClipboard() override {
    const ClipboardSave saved = StayingDialogDesktop::SaveClipboard();
    PutClipboard(CF_UNICODETEXT, kCopied, sizeof(kCopied));
    return saved;
  }
};

TEST(Win32Delivery, TypesReservedAndUnicodeCharactersLiterallyOverTheOldText) {
  DialogThread host;
  Win32WindowTree tree;
  PathDelivery delivery(tree);
  StayingDialogDesktop desktop(nullptr);
  for (const std::wstring path : {L"C:\\Program Files (x86)\\", L"C:\\PROGRA~1\\", L"C:\\R&D\\",
                                  L"C:\\\u00dcberall\\", L"D:\\a+b %c ^d {e} [f]\\"}) {
    ASSERT_EQ(delivery.Deliver(desktop, path, false), DeliveryOutcome::Delivered) << path;
    EXPECT_EQ(ControlText(host.edit()), path);
    EXPECT_EQ(::GetForegroundWindow(), host.dialog());
    EXPECT_EQ(FocusOf(host.dialog()), host.edit());  // moved there from the list box
  }
}

TEST(Win32Delivery, ClipboardModeRestoresEveryFormat) {
  DialogThread host;
  Win32WindowTree tree;
  PathDelivery delivery(tree);
  StayingDialogDesktop desktop(nullptr);
  const UINT custom = ::RegisterClipboardFormatW(L"Hopdirs test format");
  const wchar_t text[] = L"earlier text";
  const char blob[] = {1, 2, 3, 0, 4};
  PutClipboard(CF_UNICODETEXT, text, sizeof(text));
  PutClipboard(custom, blob, sizeof(blob), false);
  const std::string textBefore = ClipboardBytes(CF_UNICODETEXT);
  const std::string blobBefore = ClipboardBytes(custom);
  const int formatsBefore = ClipboardFormatCount();

  ASSERT_EQ(delivery.Deliver(desktop, L"C:\\windows\\", true), DeliveryOutcome::Delivered);
  EXPECT_EQ(ControlText(host.edit()), L"C:\\windows\\");
  EXPECT_EQ(ClipboardBytes(CF_UNICODETEXT), textBefore);
  EXPECT_EQ(ClipboardBytes(custom), blobBefore);
  // ... and kept out of the clipboard history, the cloud clipboard and clipboard managers.
  EXPECT_EQ(ClipboardFormatCount(), formatsBefore + 4);
  for (const auto* name :
       {L"ExcludeClipboardContentFromMonitorProcessing", L"CanIncludeInClipboardHistory",
        L"CanUploadToCloudClipboard", L"Clipboard Viewer Ignore"}) {
    EXPECT_EQ(ClipboardBytes(::RegisterClipboardFormatW(name)), std::string(4, '\0'));
  }

  {
    win32::ClipboardScope clipboard(nullptr);
    ::EmptyClipboard();
  }
  ASSERT_EQ(delivery.Deliver(desktop, L"C:\\users\\", true), DeliveryOutcome::Delivered);
  EXPECT_EQ(ControlText(host.edit()), L"C:\\users\\");
  EXPECT_EQ(ClipboardFormatCount(), 0);

  // What another program copied meanwhile is what comes back, not the older copy.
  CopyingMeanwhileDesktop copying(nullptr);
  ASSERT_EQ(delivery.Deliver(copying, L"C:\\windows\\", true), DeliveryOutcome::Delivered);
  EXPECT_EQ(ControlText(host.edit()), L"C:\\windows\\");
  EXPECT_EQ(ClipboardBytes(CF_UNICODETEXT),
            std::string(reinterpret_cast<const char*>(copying.kCopied), sizeof(copying.kCopied)));
}

TEST(Win32Delivery, AClosedDialogGetsNothingAndTheClipboardIsUntouched) {
  const wchar_t text[] = L"keep me";
  PutClipboard(CF_UNICODETEXT, text, sizeof(text));
  Win32WindowTree tree;
  Win32Desktop desktop(nullptr);
  HWND gone = nullptr;
  {
    DialogThread host;
    gone = host.dialog();
    EXPECT_EQ(desktop.Activate(AsWindowHandle(gone)), AsWindowHandle(gone));
  }
  EXPECT_EQ(desktop.Activate(AsWindowHandle(gone)), 0u);
  PathDelivery delivery(tree);
  EXPECT_EQ(delivery.Deliver(desktop, L"C:\\x\\", true), DeliveryOutcome::NoDialog);
  EXPECT_EQ(ClipboardBytes(CF_UNICODETEXT),
            std::string(reinterpret_cast<const char*>(text), sizeof(text)));
}

// A "Save changes?" box in front is a titled dialog-class window; Alt+N there is its No.
TEST(Win32Delivery, AMessageBoxInFrontIsNotAnsweredForTheUser) {
  std::atomic<int> answer{0};
  std::thread asker([&] {
    answer = ::MessageBoxW(nullptr, L"Save changes?", L"Notes", MB_YESNO | MB_SETFOREGROUND);
  });
  HWND box = nullptr;
  for (int i = 0; i < 5000 && !box; ++i) {
    box = ::FindWindowW(L"#32770", L"Notes");
    if (!box) ::Sleep(1);
  }
  ASSERT_NE(box, nullptr);
  Win32WindowTree tree;
  PathDelivery delivery(tree);
  Win32Desktop desktop(nullptr);
  EXPECT_EQ(delivery.Deliver(desktop, L"C:\\windows\\", false), DeliveryOutcome::NoDialog);
  ::Sleep(200);  // time for a stray key to be acted on
  EXPECT_TRUE(::IsWindow(box));
  ::PostMessageW(box, WM_COMMAND, IDYES, 0);
  asker.join();
  EXPECT_EQ(answer, IDYES);
}

TEST(Win32Delivery, NestedDialogActivatesItsTopLevelHost) {
  Win32Desktop desktop(nullptr);
  UniqueWindow frame(::CreateWindowExW(0, L"Static", L"Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                       0, 300, 300, nullptr, nullptr, nullptr, nullptr));
  UniqueWindow child(MakeDialog(L"Child", frame.get(), 5));
  const WindowHandle top = desktop.Inspect(AsWindowHandle(child.get())).topLevel;
  EXPECT_EQ(top, AsWindowHandle(frame.get()));
  EXPECT_EQ(desktop.Activate(top), AsWindowHandle(frame.get()));
  EXPECT_EQ(::GetForegroundWindow(), frame.get());
  child.release();  // destroyed with the frame
}

// A clipboard manager or a remote-desktop session holding the clipboard for a moment.
TEST(Win32Delivery, ThePasteWaitsForAClipboardHeldByAnotherProgramForAWhile) {
  DialogThread host;
  Win32WindowTree tree;
  PathDelivery delivery(tree);
  StayingDialogDesktop desktop(nullptr);
  const wchar_t text[] = L"held text";
  PutClipboard(CF_UNICODETEXT, text, sizeof(text));
  std::atomic<bool> holding{false};
  std::thread holder([&] {
    ::OpenClipboard(nullptr);
    holding = true;
    ::Sleep(400);
    ::CloseClipboard();
  });
  while (!holding) ::Sleep(1);
  EXPECT_EQ(delivery.Deliver(desktop, L"C:\\windows\\", true), DeliveryOutcome::Delivered);
  holder.join();
  EXPECT_EQ(ControlText(host.edit()), L"C:\\windows\\");
  EXPECT_EQ(ClipboardBytes(CF_UNICODETEXT),
            std::string(reinterpret_cast<const char*>(text), sizeof(text)));
}

// A clipboard owner that only promised its text and does not answer for three seconds: the
// tray is not held up, the path is typed instead and the promise is left as it was.
TEST(Win32Delivery, AnOwnerSlowToRenderItsPromiseIsNotWaitedForAndThePathIsTyped) {
  DialogThread host;
  Win32WindowTree tree;
  PathDelivery delivery(tree);
  StayingDialogDesktop desktop(nullptr);
  std::atomic<HWND> owner{nullptr};
  std::thread promiser([&] {
    const HWND window = ::CreateWindowExW(0, L"Static", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                          nullptr, nullptr);
    {
      win32::ClipboardScope clipboard(window);
      ::EmptyClipboard();
      ::SetClipboardData(CF_UNICODETEXT, nullptr);
    }
    owner = window;
    ::Sleep(3000);
    ::DestroyWindow(window);
  });
  while (!owner) ::Sleep(1);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(delivery.Deliver(desktop, L"C:\\windows\\", true), DeliveryOutcome::TypedInstead);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2900));
  EXPECT_EQ(ControlText(host.edit()), L"C:\\windows\\");
  EXPECT_EQ(::GetClipboardOwner(), owner.load());  // never emptied
  promiser.join();
}

TEST(Win32Delivery, PathsAreToldApartAndIntegrityLevelsRead) {
  Win32Desktop desktop(nullptr);
  const struct {
    const wchar_t* path;
    PathKind kind;
  } cases[] = {{L"C:\\windows", PathKind::Folder},
               {L"C:\\windows\\", PathKind::Folder},
               {L"C:\\windows\\win.ini", PathKind::File},
               {L"C:\\windows\\win.ini\\", PathKind::Missing},  // a file asked as a folder
               {L"%SystemRoot%\\win.ini", PathKind::File},
               {L"C:\\gone", PathKind::Missing},
               {L"Q:\\absent drive\\", PathKind::Missing},
               {L"\\\\no such host\\share\\", PathKind::Missing}};
  for (const auto& c : cases) EXPECT_EQ(desktop.KindOfPath(c.path), c.kind) << c.path;
  UniqueWindow own(MakeDialog(L"Own"));
  const auto level = desktop.OwnIntegrity();
  ASSERT_TRUE(level.has_value());
  EXPECT_GE(*level, 0x1000u);  // at least low: a real level, not a garbled read
  EXPECT_EQ(desktop.IntegrityOf(AsWindowHandle(own.get())), level);
}

// Windows' Vista-style Save dialog keeps its file name deep in its own view, and a tree in its
// navigation pane that is not Browse for Folder's; a Run box has a combo box whose edit carries
// the same id 1001 and is no file name.
TEST(Win32Delivery, TheSaveDialogsViewFieldIsFoundAndARunBoxHasNone) {
  for (const wchar_t* name : {L"DUIViewWndClassName", L"DirectUIHWND", L"FloatNotifySink",
                              L"CtrlNotifySink", L"NamespaceTreeControl"}) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.lpszClassName = name;
    ::RegisterClassW(&windowClass);
  }
  const auto child = [](const wchar_t* className, HWND parent, int id, DWORD style = 0) {
    return ::CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 200, 100,
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                             nullptr);
  };
  Win32Desktop desktop(nullptr);
  UniqueWindow save(MakeDialog(L"Save As"));
  HWND sink = child(L"FloatNotifySink",
                    child(L"DirectUIHWND", child(L"DUIViewWndClassName", save.get(), 0), 0), 0);
  HWND combo = child(L"ComboBox", sink, 0, CBS_DROPDOWN);
  HWND edit = ::FindWindowExW(combo, nullptr, L"Edit", nullptr);
  ::SetWindowLongPtrW(edit, GWLP_ID, 1001);
  const HWND pane = child(L"DirectUIHWND", save.get(), 0);
  child(L"SysTreeView32", child(L"NamespaceTreeControl", child(L"CtrlNotifySink", pane, 0), 0), 0);
  child(L"Button", save.get(), IDOK);
  EXPECT_EQ(desktop.FileNameField(AsWindowHandle(save.get())), AsWindowHandle(edit));
  EXPECT_FALSE(desktop.Inspect(AsWindowHandle(save.get())).folderTree);
  EXPECT_EQ(KindOf(desktop.SignsOf(AsWindowHandle(save.get()))), DialogKind::Save);

  UniqueWindow run(MakeDialog(L"Run"));
  child(L"ComboBox", run.get(), 12298, CBS_DROPDOWN);
  EXPECT_EQ(desktop.FileNameField(AsWindowHandle(run.get())), 0u);
  EXPECT_FALSE(desktop.Inspect(AsWindowHandle(run.get())).field);
  EXPECT_TRUE(desktop.Inspect(AsWindowHandle(save.get())).visible);
  EXPECT_FALSE(desktop.Inspect(AsWindowHandle(save.get())).cloaked);
}

// What was read of a dialog as a menu opened serves the click only while the dialog is as it
// was: a dialog that moved has a new folder view, and some build a new field.
TEST(Win32Delivery, AKeptSurveyHoldsUntilTheDialogChangesWhatItFound) {
  WNDCLASSW viewClass{};
  viewClass.lpfnWndProc = ::DefWindowProcW;
  viewClass.lpszClassName = L"SHELLDLL_DefView";
  ::RegisterClassW(&viewClass);
  const auto child = [](const wchar_t* className, HWND parent, int id) {
    return ::CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  };
  const struct {
    void (*change)(HWND dialog, HWND view, HWND field);
    bool holds;
    const char* row;
  } cases[] = {
      {[](HWND, HWND, HWND) {}, true, "unchanged"},
      {[](HWND, HWND, HWND field) { ::SendMessageW(field, EM_SETREADONLY, TRUE, 0); }, false,
       "the field is read-only"},
      {[](HWND, HWND, HWND field) { ::ShowWindow(field, SW_HIDE); }, false, "the field is hidden"},
      {[](HWND, HWND view, HWND) { ::DestroyWindow(view); }, false, "a new folder view"},
      {[](HWND, HWND, HWND field) { ::DestroyWindow(field); }, false, "a new field"},
  };
  for (const auto& c : cases) {
    UniqueWindow dialog(MakeDialog(L"Open"));
    HWND view = child(L"SHELLDLL_DefView", dialog.get(), 0);
    HWND field = child(L"Edit", dialog.get(), 1152);
    const DialogSurvey kept = SurveyDialog(dialog.get());
    ASSERT_EQ(kept.field, field) << c.row;
    c.change(dialog.get(), view, field);
    EXPECT_EQ(StillHolds(kept), c.holds) << c.row;
  }
}

// The words come out of the system's own string table and Open template, in every language the
// system has them in: a program may show its dialogs in another than Hopdirs'.
TEST(Win32Delivery, TheSystemsDialogWordsAreReadFromItsResourcesInEveryLanguage) {
  const DialogWords& words = SystemDialogWords();
  const auto has = [](const std::vector<std::wstring>& list, std::vector<std::wstring> wanted) {
    return std::all_of(wanted.begin(), wanted.end(), [&](const std::wstring& word) {
      return std::find(list.begin(), list.end(), word) != list.end();
    });
  };
  EXPECT_TRUE(has(words.open, {L"&Open", L"Look &in:", L"&\u00d6ffnen", L"&Ouvrir"}));
  EXPECT_TRUE(has(words.save, {L"&Save", L"Save &in:", L"Save As", L"&Speichern"}));
  EXPECT_TRUE(has(words.picker, {L"Select Folder", L"Ordner ausw\u00e4hlen"}));
}

}  // namespace
}  // namespace hop
