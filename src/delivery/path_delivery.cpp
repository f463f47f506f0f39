#include "delivery/path_delivery.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

namespace hop {
namespace {

// The busy pointer for the length of one delivery, whichever way it ends.
class BusyPointer {
 public:
  explicit BusyPointer(Desktop& desktop) : desktop_(desktop) { desktop_.SetBusyPointer(true); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;
  ~BusyPointer() { desktop_.SetBusyPointer(false); }

 private:
  Desktop& desktop_;
};

// The copy of the clipboard a pasting delivery makes, started while the dialog is brought
// forward and dropped with the delivery, whichever way it ends.
class ClipboardCopy {
 public:
  ClipboardCopy(Desktop& desktop, bool pastes) : desktop_(pastes ? &desktop : nullptr) {
    if (desktop_) desktop_->StartClipboardSave();
  }
  ClipboardCopy(const ClipboardCopy&) = delete;
  ClipboardCopy& operator=(const ClipboardCopy&) = delete;
  ~ClipboardCopy() {
    if (desktop_) desktop_->ForgetClipboard();
  }

 private:
  Desktop* desktop_;
};

bool Send(Desktop& desktop, WindowHandle dialog, std::wstring_view keyString) {
  // Keys go to whatever has the foreground, so they are only sent while the dialog has it.
  const auto chords = ParseKeyString(keyString);
  return chords && desktop.IsForeground(dialog) && desktop.SendKeys(*chords);
}

bool HasHigherRights(Desktop& desktop, WindowHandle window) {
  // Windows drops injected keys into a process of a higher integrity level without a word.
  // A level that cannot be read is no reason to refuse: the field's text check still holds.
  const auto ours = desktop.OwnIntegrity();
  const auto theirs = desktop.IntegrityOf(window);
  return ours && theirs && *theirs > *ours;
}

}  // namespace

bool IsUsableTarget(const Candidate& candidate) {
  // Hidden and cloaked windows are not on the user's screen; a dialog-class window without a
  // file-name field (or Browse for Folder's tree) is a message box, a Run box, a property
  // sheet: none gets a key.
  return candidate.topLevel && candidate.visible && !candidate.cloaked &&
         (candidate.field || candidate.folderTree) && candidate.enabled;
}

DeliveryOutcome PathDelivery::ChooseTarget(Desktop& desktop, std::span<const WindowHandle> matches,
                                           Candidate& target) {
  bool busy = false;
  for (const WindowHandle match : matches) {
    const Candidate candidate = desktop.Inspect(match);
    if (IsUsableTarget(candidate)) {
      target = candidate;
      return DeliveryOutcome::Delivered;
    }
    Candidate unblocked = candidate;
    unblocked.enabled = true;
    busy = busy || IsUsableTarget(unblocked);  // a modal box is open over it
  }
  return busy ? DeliveryOutcome::Busy : DeliveryOutcome::NoDialog;
}

void PathDelivery::Prepare(Desktop& desktop) {
  Candidate target;
  preparedTarget_ =
      ChooseTarget(desktop, Walk(), target) == DeliveryOutcome::Delivered ? target.topLevel : 0;
}

std::span<const WindowHandle> PathDelivery::Walk() {
  finder_.FindWindowsByPattern(FoundWindows, 0, kTitlePattern, kClassPattern, std::nullopt);
  return std::span<const WindowHandle>(FoundWindows).subspan(1);  // [0] is never a match
}

DeliveryOutcome PathDelivery::FindTarget(Desktop& desktop, WindowHandle only, Candidate& target) {
  if (only != 0) return ChooseTarget(desktop, std::span<const WindowHandle>(&only, 1), target);
  if (WindowHandle prepared = std::exchange(preparedTarget_, 0)) {
    const auto chosen = ChooseTarget(desktop, std::span<const WindowHandle>(&prepared, 1), target);
    if (chosen == DeliveryOutcome::Delivered) return chosen;
  }
  return ChooseTarget(desktop, Walk(), target);
}

DeliveryOutcome PathDelivery::Deliver(Desktop& desktop, std::wstring_view path, bool clipboardMode,
                                      WindowHandle only) {
  BusyPointer busy(desktop);
  lastTarget_ = {};
  // An empty item (a path missing from the stored list) types nothing, and Enter on an empty
  // file-name field would open whatever the dialog has selected.
  if (path.empty()) return DeliveryOutcome::NoPath;
  Candidate target;
  if (const auto chosen = FindTarget(desktop, only, target); chosen != DeliveryOutcome::Delivered)
    return chosen;
  if (HasHigherRights(desktop, target.topLevel)) return DeliveryOutcome::HigherRights;
  const DialogKind dialogKind = hop::KindOf(desktop.SignsOf(target.topLevel));
  std::wstring checked(path);
  const PathKind kind = CheckPath(desktop, target.topLevel, dialogKind, checked);
  lastTarget_ = {desktop.ProgramOf(target.topLevel), checked, kind};
  if (kind == PathKind::Missing) return DeliveryOutcome::PathMissing;
  const DeliveryPlan plan = PlanFor(checked, kind, dialogKind);
  const ClipboardCopy copy(desktop, clipboardMode && !plan.selectInTree && !plan.typed.empty());

  const WindowHandle dialog = desktop.Activate(target.topLevel);
  if (dialog == 0) return DeliveryOutcome::NotActivated;
  if (plan.selectInTree) {
    switch (desktop.SelectFolder(dialog, plan.typed)) {
      case TreeSelection::Shown:
        return DeliveryOutcome::Delivered;
      case TreeSelection::Outside:
        return DeliveryOutcome::NotInTree;
      case TreeSelection::Failed:
        return DeliveryOutcome::NotTaken;
    }
  }
  const WindowHandle field = desktop.FileNameField(dialog);
  if (field == 0 || !desktop.FocusField(dialog, field)) return DeliveryOutcome::NoField;
  const std::wstring earlier = desktop.FieldText(field).value_or(L"");

  if (plan.typed.empty()) {
    // A bare file name: nothing to move to, the name is left for the user.
    return plan.leaveName && desktop.SetFieldText(field, *plan.leaveName)
               ? DeliveryOutcome::Delivered
               : DeliveryOutcome::NotTaken;
  }
  // A key sent while the user still holds Alt would be a mnemonic (Alt+S presses "&Save").
  if (!desktop.WaitForModifiersReleased()) return DeliveryOutcome::KeysHeld;
  return EnterAndConfirm(desktop, dialog, field, plan, clipboardMode, earlier);
}

DeliveryOutcome PathDelivery::EnterAndConfirm(Desktop& desktop, WindowHandle dialog,
                                              WindowHandle field, const DeliveryPlan& plan,
                                              bool clipboardMode, const std::wstring& earlier) {
  Entry entry;
  const DeliveryOutcome entered = Enter(desktop, dialog, field, plan.typed, clipboardMode, entry);
  // The field holds the path, or never will: the clipboard is put back, after the dialog has
  // answered Enter, so as not to slow it down. A clipboard that could not be put back is told
  // above all: it holds the path.
  const auto told = [&](DeliveryOutcome outcome) {
    if (entry.restoreOwed) entry.clipboardLost = !desktop.RestoreClipboard();
    if (entry.clipboardLost) return DeliveryOutcome::ClipboardLost;
    const bool typed = outcome == DeliveryOutcome::Delivered && entry.typedInstead;
    return typed ? DeliveryOutcome::TypedInstead : outcome;
  };
  if (entered != DeliveryOutcome::Delivered || !plan.confirm) return told(entered);
  desktop.WatchForMove(dialog);
  const Confirmation press =
      desktop.IsForeground(dialog) ? desktop.PressDefault(dialog) : Confirmation::NotPressed;
  if (press == Confirmation::NotPressed) return told(DeliveryOutcome::NotActivated);
  // The field is only written once the dialog has acted on Enter, moved or not: written
  // earlier, an Enter still on its way would confirm the restored name instead.
  const Answer answer = desktop.WaitForAnswer(dialog, field);
  const DeliveryOutcome outcome = told(DeliveryOutcome::Delivered);
  if (press == Confirmation::Handled && (answer == Answer::Moved || answer == Answer::Stayed) &&
      !plan.expectClose) {
    AfterEnter(desktop, dialog, plan, earlier);
  }
  return outcome;
}

PathKind PathDelivery::CheckPath(Desktop& desktop, WindowHandle dialog, DialogKind dialogKind,
                                 std::wstring& path) {
  if (IsShellLocation(path)) return PathKind::Folder;
  if (IsRelative(path)) {
    // Read against the folder the dialog shows, as the dialog itself will read it. Browse for
    // Folder has no such folder (and takes the message that asks for one as another).
    const auto folder =
        dialogKind == DialogKind::BrowseForFolder ? std::nullopt : desktop.FolderOf(dialog);
    if (!folder || folder->empty()) {
      return dialogKind == DialogKind::BrowseForFolder ? PathKind::Missing : PathKind::Unchecked;
    }
    path = Resolved(*folder, path);
  }
  return desktop.KindOfPath(path);
}

DeliveryOutcome PathDelivery::Enter(Desktop& desktop, WindowHandle dialog, WindowHandle field,
                                    std::wstring_view text, bool clipboardMode, Entry& entry) {
  const auto type = [&] {
    return Send(desktop, dialog, LiteralKeyString(text)) && desktop.WaitForText(field, text)
               ? DeliveryOutcome::Delivered
               : DeliveryOutcome::NotTaken;
  };
  if (!clipboardMode) return type();
  switch (desktop.SaveClipboard()) {
    case ClipboardSave::Held:
      return DeliveryOutcome::NoClipboard;
    case ClipboardSave::TooSlow:  // nothing of the user's is at stake when typing
      entry.typedInstead = true;
      return type();
    case ClipboardSave::Saved:
      break;
  }
  const bool set = desktop.SetClipboardText(text);
  const bool pasted = set && desktop.PasteInto(field);
  const bool taken = set && desktop.WaitForText(field, text);
  if (set && !pasted && !taken) {
    // The paste may still run late and would then paste whatever the clipboard holds: the
    // user's own contents must not land in the field, so the path stays there.
    entry.clipboardLost = true;
    return DeliveryOutcome::NotTaken;
  }
  if (!set) {
    entry.clipboardLost = !desktop.RestoreClipboard();
    return DeliveryOutcome::NoClipboard;
  }
  entry.restoreOwed = true;  // once the paste is done: the field holds the path
  return taken ? DeliveryOutcome::Delivered : DeliveryOutcome::NotTaken;
}

void PathDelivery::AfterEnter(Desktop& desktop, WindowHandle dialog, const DeliveryPlan& plan,
                              const std::wstring& earlier) {
  // Looked up again: a Save dialog may build a new field after a move.
  const WindowHandle field = desktop.FileNameField(dialog);
  if (field != 0) desktop.SetFieldText(field, plan.leaveName.value_or(earlier));
}

}  // namespace hop
