// The clipboard as the delivery uses it: a snapshot of every format that is taken and put
// back, and the path's text put there meanwhile.
#pragma once

#include <windows.h>

#include <chrono>
#include <string_view>
#include <vector>

#include "delivery/desktop.h"
#include "win32/unique_handle.h"

namespace hop {

// One clipboard format as it was: memory, or one of the GDI kinds that can be copied.
struct SavedClipboardFormat {
  UINT format = 0;
  win32::UniqueGlobal memory;
  win32::UniqueEnhMetaFile metafile;
  win32::UniqueBitmap bitmap;
};

class ClipboardSnapshot {
 public:
  // Keeps a copy of every format on the clipboard (an empty clipboard too). Another program
  // may hold it for up to `open`; the whole save, owners rendering the formats they only
  // promised included, may take `bound`, past which nothing is kept.
  ClipboardSave Take(std::chrono::milliseconds open, std::chrono::milliseconds bound);
  // Puts the copy back and forgets it; false when there was none or a format was refused.
  bool Restore(HWND owner, std::chrono::milliseconds bound);

 private:
  std::vector<SavedClipboardFormat> saved_;
  bool taken_ = false;
};

// Puts the text alone on the clipboard, kept out of clipboard history.
bool PutClipboardText(HWND owner, std::wstring_view text, std::chrono::milliseconds bound);

}  // namespace hop
