// The delivery's effects on the real desktop: window state and structure, process integrity,
// the file system, SetForegroundWindow, SendInput, the dialog's own focus and text messages,
// WM_GETTEXT polls and the clipboard.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "delivery/desktop.h"
#include "win32/unique_handle.h"

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
    std::chrono::milliseconds clipboard{1000};  // another program may hold it that long
  };

  // `clipboardOwner` is the window that owns the clipboard while the path is on it.
  explicit Win32Desktop(HWND clipboardOwner) : owner_(clipboardOwner) {}

  void SetBusyPointer(bool busy) override;
  Candidate Inspect(WindowHandle match) override;
  DialogSigns SignsOf(WindowHandle dialog) override;
  std::optional<std::uint32_t> OwnIntegrity() override;
  std::optional<std::uint32_t> IntegrityOf(WindowHandle window) override;
  PathKind KindOfPath(std::wstring_view path) override;
  WindowHandle Activate(WindowHandle topLevel) override;
  bool IsForeground(WindowHandle topLevel) override;
  WindowHandle FileNameField(WindowHandle dialog) override;
  bool FocusField(WindowHandle dialog, WindowHandle field) override;
  std::optional<std::wstring> FieldText(WindowHandle field) override;
  bool SetFieldText(WindowHandle field, std::wstring_view text) override;
  bool WaitForText(WindowHandle field, std::wstring_view text) override;
  void WatchForMove(WindowHandle dialog) override;
  Answer WaitForAnswer(WindowHandle dialog, WindowHandle field) override;
  bool SendKeys(std::span<const KeyChord> keys) override;
  bool PasteInto(WindowHandle field) override;
  bool SaveClipboard() override;
  bool SetClipboardText(std::wstring_view text) override;
  bool RestoreClipboard() override;

 private:
  // One clipboard format as it was: memory, or one of the GDI kinds that can be copied.
  struct SavedFormat {
    UINT format = 0;
    win32::UniqueGlobal memory;
    win32::UniqueEnhMetaFile metafile;
    win32::UniqueBitmap bitmap;
  };

  // What one pass over a dialog's descendants finds.
  struct Survey {
    HWND root = nullptr;
    HWND field = nullptr;  // the file-name field, when it can take text
    bool saveStructure = false;
    bool openStructure = false;
    HWND okButton = nullptr;
    HWND folderLabel = nullptr;
    HWND folderView = nullptr;
  };
  // The survey of `root`, taken again unless the last one was of the same window and nothing
  // has been sent since that could change it.
  const Survey& SurveyOf(HWND root, bool fresh);
  // Has the dialog that holds the field move its focus there (and select its text).
  void PostNextControl(WindowHandle dialog, WindowHandle field);

  HWND owner_;
  Bounds bounds_;
  Survey survey_;
  HWND viewBeforeEnter_ = nullptr;
  std::vector<SavedFormat> saved_;
  bool haveSaved_ = false;
};

// The text of a control of any process, read with a bounded WM_GETTEXT; nullopt when it does
// not answer.
std::optional<std::wstring> ControlText(HWND control);
// The control that has the keyboard focus in the thread of `window`.
HWND FocusOf(HWND window);

}  // namespace hop
