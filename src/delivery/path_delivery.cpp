#include "delivery/path_delivery.h"

#include <optional>
#include <string>

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

// Puts the saved clipboard back on every way out of the paste.
class ClipboardRestore {
 public:
  explicit ClipboardRestore(Desktop& desktop) : desktop_(desktop) {}
  ClipboardRestore(const ClipboardRestore&) = delete;
  ClipboardRestore& operator=(const ClipboardRestore&) = delete;
  ~ClipboardRestore() { desktop_.RestoreClipboard(); }

 private:
  Desktop& desktop_;
};

bool Send(Desktop& desktop, WindowHandle dialog, std::wstring_view keyString) {
  // Keys go to whatever has the foreground, so they are only sent while the dialog has it.
  const auto chords = ParseKeyString(keyString);
  return chords && desktop.IsForeground(dialog) && desktop.SendKeys(*chords);
}

}  // namespace

DeliveryOutcome PathDelivery::Deliver(Desktop& desktop, std::wstring_view path,
                                      bool clipboardMode) {
  BusyPointer busy(desktop);
  // An empty item (a path missing from the stored list) types nothing, and Enter on an empty
  // file-name field would open whatever the dialog has selected.
  if (path.empty()) return DeliveryOutcome::NoPath;
  if (finder_.FindWindowsByPattern(FoundWindows, 0, kTitlePattern, kClassPattern, std::nullopt) <=
      0) {
    return DeliveryOutcome::NoDialog;
  }
  const WindowHandle dialog = desktop.Activate(FoundWindows[1]);
  if (dialog == 0) return DeliveryOutcome::NotActivated;
  // Alt+N presses whatever carries that mnemonic, and a message box is a dialog-class window
  // too: in "Save changes?" it is the No button. A dialog that shows no file-name field and has
  // no text field in focus gets no key at all.
  if (desktop.FileNameField(dialog) == 0 && desktop.FocusedEdit(dialog) == 0) {
    return DeliveryOutcome::NoField;
  }
  if (!Send(desktop, dialog, L"%n")) return DeliveryOutcome::NotActivated;
  const WindowHandle field = FocusFileNameField(desktop, dialog);
  if (field == 0) return DeliveryOutcome::NoField;
  desktop.SelectAll(field);

  if (clipboardMode) {
    if (!desktop.SaveClipboard()) return DeliveryOutcome::NoClipboard;
    ClipboardRestore restore(desktop);
    if (!desktop.SetClipboardText(path)) return DeliveryOutcome::NoClipboard;
    if (!Paste(desktop, dialog, field, path)) return DeliveryOutcome::NotTaken;
  } else if (!Type(desktop, dialog, field, path)) {
    return DeliveryOutcome::NotTaken;
  }

  if (!Send(desktop, dialog, L"{ENTER}")) return DeliveryOutcome::NotActivated;
  // When Enter chose a file the dialog is gone, and a Backspace would land in the application
  // behind it; so it goes only to a dialog that is still in front.
  desktop.WaitForEnterTaken(dialog, field, path);
  Send(desktop, dialog, L"{BS}");
  return DeliveryOutcome::Delivered;
}

WindowHandle PathDelivery::FocusFileNameField(Desktop& desktop, WindowHandle dialog) {
  const WindowHandle field = desktop.FileNameField(dialog);
  if (field == 0) return desktop.FocusedEdit(dialog);
  if (desktop.WaitForFocus(dialog, field)) return field;
  // Alt+N did not lead there (no such mnemonic, or another letter in this language).
  desktop.FocusField(dialog, field);
  return desktop.WaitForFocus(dialog, field) ? field : 0;
}

bool PathDelivery::Paste(Desktop& desktop, WindowHandle dialog, WindowHandle field,
                         std::wstring_view path) {
  return Send(desktop, dialog, L"^v") && desktop.WaitForText(field, path);
}

bool PathDelivery::Type(Desktop& desktop, WindowHandle dialog, WindowHandle field,
                        std::wstring_view path) {
  return Send(desktop, dialog, LiteralKeyString(path)) && desktop.WaitForText(field, path);
}

}  // namespace hop
