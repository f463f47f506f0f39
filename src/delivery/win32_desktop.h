// The delivery's effects on the real desktop: SetForegroundWindow, SendInput, the focused
// control of the dialog's thread, WM_GETTEXT polls and the clipboard.
#pragma once

#include <windows.h>

#include <chrono>
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
    std::chrono::milliseconds enter{300};
  };

  // `clipboardOwner` is the window that owns the clipboard while the path is on it.
  explicit Win32Desktop(HWND clipboardOwner) : owner_(clipboardOwner) {}

  void SetBusyPointer(bool busy) override;
  WindowHandle Activate(WindowHandle window) override;
  bool IsForeground(WindowHandle topLevel) override;
  WindowHandle FileNameField(WindowHandle dialog) override;
  bool WaitForFocus(WindowHandle dialog, WindowHandle field) override;
  WindowHandle FocusedEdit(WindowHandle dialog) override;
  void FocusField(WindowHandle dialog, WindowHandle field) override;
  void SelectAll(WindowHandle field) override;
  bool WaitForText(WindowHandle field, std::wstring_view text) override;
  void WaitForEnterTaken(WindowHandle dialog, WindowHandle field, std::wstring_view typed) override;
  bool SendKeys(std::span<const KeyChord> keys) override;
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

  HWND owner_;
  Bounds bounds_;
  std::vector<SavedFormat> saved_;
  bool haveSaved_ = false;
};

// The text of a control of any process, read with a bounded WM_GETTEXT; nullopt when it does
// not answer.
std::optional<std::wstring> ControlText(HWND control);
// The control that has the keyboard focus in the thread of `window`.
HWND FocusOf(HWND window);

}  // namespace hop
