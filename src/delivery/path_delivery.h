// Hands a path from the path menu to the open file-selection dialog.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "delivery/delivery_plan.h"
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
  NotInTree,      // Browse for Folder's tree (rooted elsewhere) cannot show the folder
  ClipboardLost,  // the earlier clipboard could not be put back: it holds the path
  KeysHeld,       // the user held Ctrl, Alt, Shift or Win throughout: nothing was typed
  TypedInstead,   // delivered, but typed: the clipboard's owner was too slow to save it
  Delivered,
};

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

  // Looks for the dialogs now, as the path menu opens, and picks the one the path would go to:
  // the user takes far longer to choose than the walk and the inspection take, so the next
  // delivery only checks that dialog again. When it is no longer usable by then, that delivery
  // walks the desktop again.
  void Prepare(Desktop& desktop);

  std::vector<WindowHandle> FoundWindows;

  // Where the last delivery was headed: the dialog's program and the path as checked (a
  // relative one read against the dialog's folder); its kind is Unchecked when it got no
  // further than finding the dialog.
  struct Target {
    std::wstring program;
    std::wstring path;
    PathKind kind = PathKind::Unchecked;
  };
  const Target& LastTarget() const { return lastTarget_; }

 private:
  DeliveryOutcome ChooseTarget(Desktop& desktop, std::span<const WindowHandle> matches,
                               Candidate& target);
  DeliveryOutcome FindTarget(Desktop& desktop, WindowHandle only, Candidate& target);
  std::span<const WindowHandle> Walk();
  PathKind CheckPath(Desktop& desktop, WindowHandle dialog, DialogKind dialogKind,
                     std::wstring& path);
  // How the text went in, and what is owed the user beside the outcome.
  struct Entry {
    bool restoreOwed = false;  // the clipboard holds the path until it is put back
    bool clipboardLost = false;
    bool typedInstead = false;
  };
  // Types or pastes the text, presses Enter as the plan says and gives the field back its
  // earlier text once the dialog has answered.
  DeliveryOutcome EnterAndConfirm(Desktop& desktop, WindowHandle dialog, WindowHandle field,
                                  const DeliveryPlan& plan, bool clipboardMode,
                                  const std::wstring& earlier);
  DeliveryOutcome Enter(Desktop& desktop, WindowHandle dialog, WindowHandle field,
                        std::wstring_view text, bool clipboardMode, Entry& entry);
  void AfterEnter(Desktop& desktop, WindowHandle dialog, const DeliveryPlan& plan,
                  const std::wstring& earlier);

  DialogFinder finder_;
  WindowHandle preparedTarget_ = 0;  // chosen as the menu opened; 0 for none
  Target lastTarget_;
};

}  // namespace hop
