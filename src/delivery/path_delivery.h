// Hands a path from the path menu to the open file-selection dialog.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "delivery/desktop.h"
#include "delivery/dialog_finder.h"

namespace hop {

// How a delivery ended; only Delivered means the path arrived and nothing is owed the user.
enum class DeliveryOutcome {
  NoPath,         // the item holds no path: nothing was touched
  NoDialog,       // no visible file dialog (with a file-name field): nothing was touched
  Busy,           // the only file dialogs have a box open over them: nothing was touched
  HigherRights,   // the dialog's program runs with higher rights, where keys are dropped
  PathMissing,    // the path does not exist or could not be checked in time: nothing typed
  NotActivated,   // the dialog could not be (or no longer was) the foreground window
  NoField,        // the file-name field could not be given the focus
  NoClipboard,    // the clipboard stayed held by another program: nothing was pasted
  NotTaken,       // the field did not come to hold the path in time: Enter was not pressed
  ClipboardLost,  // the earlier clipboard could not be put back: it holds the path
  KeysHeld,       // the user held Ctrl, Alt, Shift or Win throughout: nothing was typed
  TypedInstead,   // delivered, but typed: the clipboard's owner was too slow to save it
  Delivered,
};

// What goes into the field before Enter, and what the field holds once the dialog has moved.
struct DeliveryPlan {
  std::wstring typed;
  bool selectInTree = false;  // `typed` is the folder Browse for Folder's tree selects instead
  bool confirm = true;        // Enter is pressed after typing
  bool expectClose = false;   // Enter returns the file: the dialog closes
  // After the move: the field's earlier text is put back, or this name is left, selected.
  std::optional<std::wstring> leaveName;
};

// Folders are typed with a trailing backslash, so Enter can only change the folder. A file is
// opened by an Open dialog; a Save dialog only moves to its folder and is left holding its name
// for the user to confirm, with the application's own overwrite prompt. A folder picker and
// Browse for Folder are shown the folder (a file's own folder) and never confirmed. A path that
// could not be checked is typed as stored and confirmed in an Open dialog only.
DeliveryPlan PlanFor(std::wstring_view path, PathKind kind, DialogKind dialog);

// A path that names no drive, share, root or shell location: it is read against a folder.
bool IsRelative(std::wstring_view path);
// The relative path read against the folder, with its "." and ".." steps taken.
std::wstring Resolved(std::wstring_view folder, std::wstring_view relative);

// A file dialog a path can be delivered to: on the user's screen (shown, not cloaked), with a
// file-name field and taking input (no modal box open over it).
bool IsUsableTarget(const Candidate& candidate);

// The delivery state of the main window: the finder, which lives as long as the program, and
// FoundWindows, which keeps the last search's results until the next click.
class PathDelivery {
 public:
  static constexpr const wchar_t* kTitlePattern = L"*";
  static constexpr const wchar_t* kClassPattern = L"*32770";

  explicit PathDelivery(WindowTree& tree) : finder_(tree) {}

  // Finds the topmost usable file dialog, activates it, puts the focus in its file-name field,
  // types or pastes the path and confirms it as PlanFor says, then gives the field back its
  // earlier text (or leaves a file's name) once the dialog has handled Enter; Browse for Folder
  // has its tree select the folder instead. The pointer shows busy meanwhile.
  // `only`, when given, is the one dialog the path may go to (the one that was in front when
  // the user asked); no other is looked for.
  DeliveryOutcome Deliver(Desktop& desktop, std::wstring_view path, bool clipboardMode,
                          WindowHandle only = 0);

  // Looks for the dialogs now, as the path menu opens: the user takes far longer to choose than
  // the walk takes, so the next delivery only inspects what was found. When none of it is still
  // a usable dialog by then, that delivery walks the desktop again.
  void Prepare();

  std::vector<WindowHandle> FoundWindows;

 private:
  DeliveryOutcome ChooseTarget(Desktop& desktop, std::span<const WindowHandle> matches,
                               Candidate& target);
  DeliveryOutcome FindTarget(Desktop& desktop, WindowHandle only, Candidate& target);
  std::span<const WindowHandle> Walk();
  PathKind CheckPath(Desktop& desktop, WindowHandle dialog, DialogKind dialogKind,
                     std::wstring& path);
  // How the text went in, and what is owed the user beside the outcome.
  struct Entry {
    bool clipboardLost = false;
    bool typedInstead = false;
  };
  DeliveryOutcome Enter(Desktop& desktop, WindowHandle dialog, WindowHandle field,
                        std::wstring_view text, bool clipboardMode, Entry& entry);
  void AfterEnter(Desktop& desktop, WindowHandle dialog, const DeliveryPlan& plan,
                  const std::wstring& earlier);

  DialogFinder finder_;
  bool prepared_ = false;
};

}  // namespace hop
