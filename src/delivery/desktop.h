// The effects a delivery has on the desktop, behind one narrow interface: pointer, activation,
// keyboard focus, keystrokes, the target field's text and the clipboard.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "delivery/key_string.h"
#include "delivery/window_tree.h"

namespace hop {

class Desktop {
 public:
  virtual ~Desktop() = default;

  virtual void SetBusyPointer(bool busy) = 0;

  // Brings the top-level window that holds `window` to the foreground and confirms it got
  // there (bounded). Returns that top-level window, or 0 when it is gone, untitled or could not
  // be made the foreground window.
  virtual WindowHandle Activate(WindowHandle window) = 0;
  virtual bool IsForeground(WindowHandle topLevel) = 0;

  // The file-name field of a file dialog, 0 when the dialog has none that can be found.
  virtual WindowHandle FileNameField(WindowHandle dialog) = 0;
  // Waits (bounded) until the keyboard focus of the dialog's thread is on `field`.
  virtual bool WaitForFocus(WindowHandle dialog, WindowHandle field) = 0;
  // The editable text field of the dialog that has the keyboard focus, waiting (bounded) for
  // one; 0 when there is none. For dialogs whose file-name field is not known.
  virtual WindowHandle FocusedEdit(WindowHandle dialog) = 0;
  // Moves the dialog's focus to `field` directly.
  virtual void FocusField(WindowHandle dialog, WindowHandle field) = 0;
  // Selects the field's whole text, so what comes next replaces it.
  virtual void SelectAll(WindowHandle field) = 0;
  // Waits (bounded) until the field holds exactly `text`.
  virtual bool WaitForText(WindowHandle field, std::wstring_view text) = 0;
  // Waits (bounded) until the dialog has acted on Enter: it closed, or the field's text is no
  // longer `typed`.
  virtual void WaitForEnterTaken(WindowHandle dialog, WindowHandle field,
                                 std::wstring_view typed) = 0;

  // Sends the chords to the foreground window in order.
  virtual bool SendKeys(std::span<const KeyChord> keys) = 0;

  // Keeps a copy of every format on the clipboard (an empty clipboard too).
  virtual bool SaveClipboard() = 0;
  virtual bool SetClipboardText(std::wstring_view text) = 0;
  // Puts the saved copy back and forgets it.
  virtual bool RestoreClipboard() = 0;
};

}  // namespace hop
