// The effects a delivery has on the desktop, behind one narrow interface: what it reads of the
// dialogs and the path, activation, keyboard focus, keystrokes, the field's text and the
// clipboard. Every wait is bounded.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "delivery/dialog_kind.h"
#include "delivery/key_string.h"
#include "delivery/window_tree.h"

namespace hop {

// What one of the finder's matches shows of itself, read from the window that would be
// activated (the match's top-level window).
struct Candidate {
  WindowHandle topLevel = 0;  // 0 when the match is gone
  bool visible = false;
  bool enabled = false;         // false while a modal box is open over it
  bool cloaked = false;         // on another virtual desktop
  WindowHandle field = 0;       // its file-name field; 0 when it has none
  WindowHandle folderTree = 0;  // Browse for Folder's tree, which stands in for the field
};

// Unchecked: a relative path whose base (the dialog's folder) could not be read.
enum class PathKind { Folder, File, Missing, Unchecked };

// How saving the clipboard went.
enum class ClipboardSave {
  Saved,
  Held,     // another program kept it open: nothing was saved
  TooSlow,  // its owner did not hand over its contents in time: nothing was saved
};

// How Browse for Folder's tree took a folder: it answers the same whether it found it or not.
enum class TreeSelection {
  Shown,
  Outside,  // the selection stayed elsewhere: the tree (rooted at another folder) has no such item
  Failed,   // the tree did not answer in time, or the path could not be handed to it
};

// How pressing a dialog's default button went.
enum class Confirmation {
  Handled,      // the dialog has acted on it: its field may be written
  Outstanding,  // pressed, but the dialog has not finished acting on it (a prompt, a slow share)
  NotPressed,
};

// How a dialog answered Enter.
enum class Answer {
  Moved,   // it changed folder and is still open
  Closed,  // it closed (it returned what was typed)
  Stayed,  // it handled Enter and stayed where it was (it already showed that folder)
  NoSign,  // none of these could be seen in time
};

class Desktop {
 public:
  virtual ~Desktop() = default;

  virtual void SetBusyPointer(bool busy) = 0;

  virtual Candidate Inspect(WindowHandle match) = 0;
  virtual DialogSigns SignsOf(WindowHandle dialog) = 0;
  // The mandatory integrity level of this program's process and of the process that owns
  // `window`; nothing when it cannot be read.
  virtual std::optional<std::uint32_t> OwnIntegrity() = 0;
  virtual std::optional<std::uint32_t> IntegrityOf(WindowHandle window) = 0;
  // The file name of the program that owns `window`; empty when it cannot be read.
  virtual std::wstring ProgramOf(WindowHandle) { return {}; }
  // What the path names; Missing also when that cannot be told in about a second.
  virtual PathKind KindOfPath(std::wstring_view path) = 0;
  // The folder a file dialog (Open, Save or picker) shows; nothing when it cannot be read.
  virtual std::optional<std::wstring> FolderOf(WindowHandle dialog) = 0;
  // Has Browse for Folder's tree select and show the folder; OK stays the user's.
  virtual TreeSelection SelectFolder(WindowHandle dialog, std::wstring_view folder) = 0;

  // Brings the top-level window to the foreground and confirms it got there. Returns it, or 0
  // when it is gone, untitled or could not be made the foreground window.
  virtual WindowHandle Activate(WindowHandle topLevel) = 0;
  virtual bool IsForeground(WindowHandle topLevel) = 0;

  // The dialog's file-name field as it is now (a dialog may re-create it after a move).
  virtual WindowHandle FileNameField(WindowHandle dialog) = 0;
  // Moves the focus to the field with the dialog's own next-control message (no mnemonic, no
  // keyboard layout involved), selects its text and waits until the focus is there.
  virtual bool FocusField(WindowHandle dialog, WindowHandle field) = 0;
  virtual std::optional<std::wstring> FieldText(WindowHandle field) = 0;
  // Sets the field's text and selects it all.
  virtual bool SetFieldText(WindowHandle field, std::wstring_view text) = 0;
  virtual bool WaitForText(WindowHandle field, std::wstring_view text) = 0;
  // Presses the dialog's default button (as Enter would) and waits, within a bound, until the
  // dialog has acted on it: a key may be held back by other programs' keyboard hooks past any
  // sign that the dialog answered, and would then confirm whatever the field holds by then.
  virtual Confirmation PressDefault(WindowHandle dialog) = 0;
  // Called before Enter: remembers what will show that the dialog has moved.
  virtual void WatchForMove(WindowHandle dialog) = 0;
  // After Enter: waits until the dialog has moved (its folder view or its field was replaced)
  // or closed, or has handled Enter and stayed. The field's text is no sign: some dialogs keep
  // the typed text after a move.
  virtual Answer WaitForAnswer(WindowHandle dialog, WindowHandle field) = 0;

  // Waits, within a bound, until the user holds none of Ctrl, Alt, Shift and Win; false when
  // one is still down.
  virtual bool WaitForModifiersReleased() = 0;
  // Sends the chords to the foreground window in order; characters go as Unicode.
  virtual bool SendKeys(std::span<const KeyChord> keys) = 0;
  // Has the field paste the clipboard's text; false when it did not answer in time (it may
  // still paste later).
  virtual bool PasteInto(WindowHandle field) = 0;

  // Starts copying every format on the clipboard (an empty clipboard too) in the background.
  virtual void StartClipboardSave() = 0;
  // Keeps the copy, started now unless it was, once it is done within a bound.
  virtual ClipboardSave SaveClipboard() = 0;
  // Puts the text there, unless another program changed the clipboard since the copy and it
  // cannot be copied again: then the clipboard is left as it is and no copy is kept.
  virtual bool SetClipboardText(std::wstring_view text) = 0;
  // Puts the copy back and forgets it; true when no copy is kept (nothing is owed).
  virtual bool RestoreClipboard() = 0;
  // Drops whatever is kept or under way of a copy: the delivery is over.
  virtual void ForgetClipboard() = 0;
};

}  // namespace hop
