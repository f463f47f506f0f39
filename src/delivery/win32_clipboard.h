// The clipboard as the delivery uses it: a snapshot of every format that is taken and put
// back, and the path's text put there meanwhile.
#pragma once

#include <windows.h>

#include <chrono>
#include <string_view>
#include <vector>

#include "win32/unique_handle.h"

namespace hop {

class ClipboardSnapshot {
 public:
  // Keeps a copy of every format on the clipboard (an empty clipboard too). `owner` opens it;
  // another program may hold it for up to `bound`.
  bool Take(HWND owner, std::chrono::milliseconds bound);
  // Puts the copy back and forgets it; false when there was none or a format was refused.
  bool Restore(HWND owner, std::chrono::milliseconds bound);

 private:
  // One clipboard format as it was: memory, or one of the GDI kinds that can be copied.
  struct SavedFormat {
    UINT format = 0;
    win32::UniqueGlobal memory;
    win32::UniqueEnhMetaFile metafile;
    win32::UniqueBitmap bitmap;
  };
  std::vector<SavedFormat> saved_;
  bool taken_ = false;
};

// Puts the text alone on the clipboard, kept out of clipboard history.
bool PutClipboardText(HWND owner, std::wstring_view text, std::chrono::milliseconds bound);

}  // namespace hop
