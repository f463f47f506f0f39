// Hands a path from the path menu to the open file-selection dialog.
#pragma once

#include <string_view>
#include <vector>

#include "delivery/desktop.h"
#include "delivery/dialog_finder.h"

namespace hop {

// How a delivery ended; everything but Delivered means Enter was not pressed.
enum class DeliveryOutcome {
  NoPath,        // the item holds no path: nothing was touched
  NoDialog,      // no titled dialog-class window: nothing was touched
  NotActivated,  // the dialog could not be (or no longer was) the foreground window
  NoField,       // no file-name field could be given the focus
  NoClipboard,   // the clipboard could not be saved or set: nothing was pasted
  NotTaken,      // the field did not come to hold the path in time
  Delivered,
};

// The delivery state of the main window: the finder, which lives as long as the program, and
// FoundWindows, which keeps the last search's results until the next click.
class PathDelivery {
 public:
  static constexpr const wchar_t* kTitlePattern = L"*";
  static constexpr const wchar_t* kClassPattern = L"*32770";

  explicit PathDelivery(WindowTree& tree) : finder_(tree) {}

  // Finds the first dialog, activates it, puts the focus in its file-name field, types or
  // pastes `path` and confirms with Enter; the pointer shows busy meanwhile.
  DeliveryOutcome Deliver(Desktop& desktop, std::wstring_view path, bool clipboardMode);

  std::vector<WindowHandle> FoundWindows;

 private:
  WindowHandle FocusFileNameField(Desktop& desktop, WindowHandle dialog);
  bool Paste(Desktop& desktop, WindowHandle dialog, WindowHandle field, std::wstring_view path);
  bool Type(Desktop& desktop, WindowHandle dialog, WindowHandle field, std::wstring_view path);

  DialogFinder finder_;
};

}  // namespace hop
