// The delivery's effects on the real desktop: window state and structure, process integrity,
// the file system, SetForegroundWindow, SendInput, the dialog's own focus and text messages,
// WM_GETTEXT polls and the clipboard.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "delivery/desktop.h"
#include "delivery/win32_clipboard.h"
#include "delivery/win32_dialog_survey.h"
#include "delivery/win32_window_tree.h"
#include "win32/window_queries.h"

namespace hop {

class Win32Desktop : public Desktop {
 public:
  // How long each wait for evidence may take before the step counts as failed.
  struct Bounds {
    std::chrono::milliseconds activation{500};
    std::chrono::milliseconds focus{250};
    std::chrono::milliseconds text{1000};
    std::chrono::milliseconds answer{2000};  // a folder change, on a slow share too
    std::chrono::milliseconds pathCheck{1000};
    std::chrono::milliseconds clipboard{1000};      // another program may hold it that long
    std::chrono::milliseconds clipboardSave{2000};  // the whole save: opening, then its owner
                                                    // rendering what it only promised
    std::chrono::milliseconds release{2000};        // the user letting go of the modifiers
    std::chrono::milliseconds reply{200};           // a control's answer to a short message
    std::chrono::milliseconds edit{1000};           // a field's answer to a text change or a paste
    // After a dialog has handled Enter: how long a move may still take to show before the
    // dialog counts as staying where it was.
    std::chrono::milliseconds settle{300};
  };

  // `clipboardOwner` is the window that owns the clipboard while the path is on it.
  explicit Win32Desktop(HWND clipboardOwner) : owner_(clipboardOwner) {}

  void SetBusyPointer(bool busy) override;
  Candidate Inspect(WindowHandle match) override;
  DialogSigns SignsOf(WindowHandle dialog) override;
  std::optional<std::uint32_t> OwnIntegrity() override;
  std::optional<std::uint32_t> IntegrityOf(WindowHandle window) override;
  std::wstring ProgramOf(WindowHandle window) override { return win32::ProgramOf(AsHwnd(window)); }
  PathKind KindOfPath(std::wstring_view path) override;
  std::optional<std::wstring> FolderOf(WindowHandle dialog) override;
  TreeSelection SelectFolder(WindowHandle dialog, std::wstring_view folder) override;
  WindowHandle Activate(WindowHandle topLevel) override;
  bool IsForeground(WindowHandle topLevel) override;
  WindowHandle FileNameField(WindowHandle dialog) override;
  bool FocusField(WindowHandle dialog, WindowHandle field) override;
  std::optional<std::wstring> FieldText(WindowHandle field) override;
  bool SetFieldText(WindowHandle field, std::wstring_view text) override;
  bool WaitForText(WindowHandle field, std::wstring_view text) override;
  Confirmation PressDefault(WindowHandle dialog) override;
  void WatchForMove(WindowHandle dialog) override;
  Answer WaitForAnswer(WindowHandle dialog, WindowHandle field) override;
  bool WaitForModifiersReleased() override;
  bool SendKeys(std::span<const KeyChord> keys) override;
  bool PasteInto(WindowHandle field) override;
  void StartClipboardSave() override;
  ClipboardSave SaveClipboard() override;
  bool SetClipboardText(std::wstring_view text) override;
  bool RestoreClipboard() override;
  void ForgetClipboard() override;

 private:
  // The survey of `root`, taken again unless the last one was of the same window and, with
  // `recheck`, still holds. Without it the last one serves as it is: nothing has been sent since
  // that could change it.
  const DialogSurvey& SurveyOf(HWND root, bool recheck);
  // Whether the dialog's thread has answered two messages sent one after the other: the second
  // is only taken once the input that was queued before the first has been handled.
  bool HasHandledInput(HWND dialog);

  HWND owner_;
  Bounds bounds_;
  DialogSurvey survey_;
  HWND viewBeforeEnter_ = nullptr;
  ClipboardSnapshot clipboard_;
};

}  // namespace hop
