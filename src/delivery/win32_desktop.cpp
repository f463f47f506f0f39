#include "delivery/win32_desktop.h"

#include <commdlg.h>
#include <dwmapi.h>
#include <shlobj.h>

#include <vector>

#include "delivery/delivery_plan.h"
#include "delivery/modifier_release.h"
#include "delivery/win32_keys.h"
#include "delivery/win32_path_check.h"
#include "delivery/win32_poll.h"
#include "delivery/win32_window_tree.h"
#include "win32/remote_memory.h"
#include "win32/remote_tree.h"
#include "win32/unique_handle.h"

namespace hop {
namespace {

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

}  // namespace

const DialogSurvey& Win32Desktop::SurveyOf(HWND root, bool recheck) {
  if (survey_.root != root || !root || (recheck && !StillHolds(survey_))) {
    survey_ = SurveyDialog(root);
  }
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
  if (!candidate.visible || candidate.cloaked) return candidate;  // off the screen: no target
  // What was read of the dialog as the menu opened, or at the last delivery, serves while it
  // still holds.
  const DialogSurvey& survey = SurveyOf(root, true);
  candidate.field = AsWindowHandle(survey.field);
  candidate.folderTree = AsWindowHandle(survey.folderTree);
  return candidate;
}

DialogSigns Win32Desktop::SignsOf(WindowHandle dialog) {
  return hop::SignsOf(SurveyOf(AsHwnd(dialog), false));
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

PathKind Win32Desktop::KindOfPath(std::wstring_view stored) {
  return CheckPathKind(stored, bounds_.pathCheck);
}

std::optional<std::wstring> Win32Desktop::FolderOf(WindowHandle dialog) {
  // The common dialogs' own question, answered into memory of the dialog's process.
  constexpr std::size_t kChars = 32768;
  auto buffer = win32::RemoteBuffer::In(AsHwnd(dialog), kChars * sizeof(wchar_t));
  if (!buffer) return std::nullopt;
  const auto length =
      win32::SendPointing(AsHwnd(dialog), CDM_GETFOLDERPATH, kChars,
                          reinterpret_cast<LPARAM>(buffer->address()), bounds_.reply, {&*buffer});
  // A negative answer is a failure; a dialog that knows no such message answers 0.
  if (!length || *length <= 1) return std::nullopt;
  return buffer->ReadText();
}

TreeSelection Win32Desktop::SelectFolder(WindowHandle dialog, std::wstring_view folder) {
  // The tree takes the path by pointer, so it is written into the dialog's own process.
  const std::wstring path = Expanded(folder);
  // The tree takes only file-system paths.
  const bool absolute =
      (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') || path.starts_with(L"\\\\");
  if (!absolute) return TreeSelection::Failed;
  auto buffer = win32::RemoteBuffer::In(AsHwnd(dialog), (path.size() + 1) * sizeof(wchar_t));
  if (!buffer || !buffer->Write(path)) return TreeSelection::Failed;
  // The tree answers the same whether it found the folder or not: its selection tells.
  auto tree = win32::RemoteTree::Of(SurveyOf(AsHwnd(dialog), false).folderTree);
  const auto before = tree ? tree->Selected() : std::nullopt;
  if (!win32::SendPointing(AsHwnd(dialog), BFFM_SETSELECTIONW, TRUE,
                           reinterpret_cast<LPARAM>(buffer->address()), bounds_.answer,
                           {&*buffer})) {
    return TreeSelection::Failed;
  }
  if (!before) return TreeSelection::Shown;  // the tree cannot be read: nothing to compare with
  const auto after = tree->Selected();
  if (!after || *after != *before) return TreeSelection::Shown;
  if (!*after) return TreeSelection::Outside;  // nothing selected, before or after
  const auto text = tree->Text(*after);        // it stayed: was it there already?
  return !text || TreeItemNames(*text, path) ? TreeSelection::Shown : TreeSelection::Outside;
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
  // control, which focuses it and selects its text.
  const HWND root = AsHwnd(dialog), edit = AsHwnd(field);
  if (FocusOf(root) != edit) {
    ::PostMessageW(DialogHolding(edit, root), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
  }
  if (!PollUntil(bounds_.focus, [&] { return FocusOf(root) == edit; })) return false;
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(edit, EM_SETSEL, 0, -1, SMTO_BLOCK | SMTO_ABORTIFHUNG,
                        static_cast<UINT>(bounds_.reply.count()), &ignored);
  return true;
}

std::optional<std::wstring> Win32Desktop::FieldText(WindowHandle field) {
  return ControlText(AsHwnd(field));
}

bool Win32Desktop::SetFieldText(WindowHandle field, std::wstring_view text) {
  const std::wstring value(text);
  DWORD_PTR ignored = 0;
  if (!::SendMessageTimeoutW(AsHwnd(field), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()),
                             SMTO_BLOCK | SMTO_ABORTIFHUNG, static_cast<UINT>(bounds_.edit.count()),
                             &ignored)) {
    return false;
  }
  ::SendMessageTimeoutW(AsHwnd(field), EM_SETSEL, 0, -1, SMTO_BLOCK | SMTO_ABORTIFHUNG,
                        static_cast<UINT>(bounds_.reply.count()), &ignored);
  return true;
}

bool Win32Desktop::WaitForText(WindowHandle field, std::wstring_view text) {
  return PollUntil(bounds_.text, [&] {
    const auto now = ControlText(AsHwnd(field));
    return now && *now == text;
  });
}

Confirmation Win32Desktop::PressDefault(WindowHandle dialog) {
  // The dialog's own command for its default button, as Enter in the field gives it, sent: it
  // has been acted on once the send returns. A key could be held back past any such sign.
  const HWND root = AsHwnd(dialog);
  const HWND ok = SurveyOf(root, false).okButton;
  if (!ok) {  // no such button: Enter, and the weaker proof of two answered messages
    const KeyChord enter{.key = NamedKey::Enter};
    if (!SendChords(std::span(&enter, 1))) return Confirmation::NotPressed;
    return HasHandledInput(root) ? Confirmation::Handled : Confirmation::Outstanding;
  }
  DWORD_PTR ignored = 0;
  return ::SendMessageTimeoutW(DialogHolding(ok, root), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                               reinterpret_cast<LPARAM>(ok), SMTO_BLOCK | SMTO_ABORTIFHUNG,
                               static_cast<UINT>(bounds_.answer.count()), &ignored)
             ? Confirmation::Handled
             : Confirmation::Outstanding;
}

void Win32Desktop::WatchForMove(WindowHandle dialog) {
  viewBeforeEnter_ = SurveyOf(AsHwnd(dialog), false).folderView;
  survey_ = {};  // Enter may rebuild the dialog's windows
}

Answer Win32Desktop::WaitForAnswer(WindowHandle dialog, WindowHandle field) {
  // A file dialog builds a new folder view for every folder it moves to; Windows' Save dialog
  // may also build a new file-name field. The field's text is no sign: Wine's Vista-style
  // dialogs keep the typed text after a move. A dialog that already shows the folder changes
  // nothing at all: once it has handled Enter and no move follows, it stayed.
  const HWND root = AsHwnd(dialog);
  Answer answer = Answer::NoSign;
  std::optional<std::chrono::steady_clock::time_point> handled;
  PollUntil(bounds_.answer, [&] {
    if (!::IsWindow(root) || !::IsWindowVisible(root)) {
      answer = Answer::Closed;
    } else if (!::IsWindow(AsHwnd(field))) {
      answer = Answer::Moved;
    } else if (const HWND view = FolderViewOf(root);
               viewBeforeEnter_ && view && view != viewBeforeEnter_) {
      answer = Answer::Moved;
    } else if (!handled) {
      if (HasHandledInput(root)) handled = std::chrono::steady_clock::now();
    } else if (std::chrono::steady_clock::now() - *handled >= bounds_.settle) {
      answer = Answer::Stayed;
    }
    return answer != Answer::NoSign;
  });
  return answer;
}

bool Win32Desktop::WaitForModifiersReleased() {
  // The physical state, not this thread's view of it: the keys went to the dialog.
  const auto held = [] {
    for (const int key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN}) {
      if (::GetAsyncKeyState(key) & 0x8000) return true;
    }
    return false;
  };
  return WaitForRelease(
      held, [](std::chrono::milliseconds step) { ::Sleep(static_cast<DWORD>(step.count())); },
      ReleaseBounds{bounds_.release});
}

bool Win32Desktop::HasHandledInput(HWND dialog) {
  const auto reply = static_cast<UINT>(bounds_.reply.count());
  DWORD_PTR ignored = 0;
  return ::SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, reply,
                               &ignored) &&
         ::SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, reply,
                               &ignored);
}

bool Win32Desktop::SendKeys(std::span<const KeyChord> keys) {
  return SendChords(keys);
}

bool Win32Desktop::PasteInto(WindowHandle field) {
  // The edit's own paste: no Ctrl+V, which is no paste on some keyboard layouts. The one send
  // that is not SMTO_BLOCK: measured under Wine, a paste sent so never completed while this
  // thread (whose window owns the clipboard) was blocked. What arrives meanwhile is answered
  // by the main window, which defers a close request until the delivery is done.
  DWORD_PTR ignored = 0;
  return ::SendMessageTimeoutW(AsHwnd(field), WM_PASTE, 0, 0, SMTO_ABORTIFHUNG,
                               static_cast<UINT>(bounds_.edit.count()), &ignored) != 0;
}

void Win32Desktop::StartClipboardSave() {
  clipboard_.Start(bounds_.clipboard);
}

ClipboardSave Win32Desktop::SaveClipboard() {
  return clipboard_.Take(bounds_.clipboard, bounds_.clipboardSave);
}

bool Win32Desktop::SetClipboardText(std::wstring_view text) {
  // A program that copied since the copy was made would lose what it copied once the copy is
  // put back: the copy is made again. Each try takes a few milliseconds, so only a program
  // copying without pause outlasts them.
  for (int tries = 0; tries < 3; ++tries) {
    switch (PutClipboardText(owner_, text, bounds_.clipboard, clipboard_.Sequence())) {
      case ClipboardPut::Done:
        clipboard_.NotePut(text);
        return true;
      case ClipboardPut::Failed:
        return false;
      case ClipboardPut::Changed:
        if (clipboard_.Take(bounds_.clipboard, bounds_.clipboardSave) != ClipboardSave::Saved) {
          return false;  // nothing was changed and no copy is kept: nothing is owed
        }
        break;
    }
  }
  clipboard_.Forget();  // the clipboard is as the other program left it
  return false;
}

bool Win32Desktop::RestoreClipboard() {
  return clipboard_.Restore(owner_, bounds_.clipboard);
}

void Win32Desktop::ForgetClipboard() {
  clipboard_.Forget();
}

}  // namespace hop
