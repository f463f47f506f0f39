// The clipboard as the delivery uses it: a snapshot of every format that is taken and put
// back, and the path's text put there meanwhile.
#pragma once

#include <windows.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "delivery/desktop.h"
#include "win32/bounded_work.h"
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
  // Starts copying every format on the clipboard (an empty clipboard too) in the background.
  // Another program may hold the clipboard for up to `open`.
  void Start(std::chrono::milliseconds open);
  // Waits for the copy, started now unless it was; the whole copy, owners rendering the formats
  // they only promised included, may take `bound`, past which nothing is kept.
  ClipboardSave Take(std::chrono::milliseconds open, std::chrono::milliseconds bound);
  // The clipboard's sequence number as the copy was made; nothing while no copy is kept.
  std::optional<DWORD> Sequence() const;
  // Notes the text put on the clipboard in place of the copy.
  void NotePut(std::wstring_view text) { put_ = text; }
  // Puts the copy back and forgets it; false when a format was refused. With no copy kept
  // there is nothing to put back, and neither once the clipboard no longer holds the text put
  // there: what replaced it (a copy made meanwhile, a password manager's timed clear) stays.
  bool Restore(HWND owner, std::chrono::milliseconds bound);
  void Forget();

 private:
  struct Copying;
  std::shared_ptr<Copying> copying_;  // under way or done, not yet taken
  std::optional<win32::BoundedWork> work_;
  std::vector<SavedClipboardFormat> saved_;
  std::optional<DWORD> sequence_;  // set while a copy is kept
  std::optional<std::wstring> put_;
};

// How putting the path's text on the clipboard went.
enum class ClipboardPut {
  Done,
  Changed,  // another program changed the clipboard since the copy: nothing was put there
  Failed,
};

// Puts the text alone on the clipboard, kept out of clipboard history; with `unchangedSince`,
// only while the clipboard's sequence number is still that.
ClipboardPut PutClipboardText(HWND owner, std::wstring_view text, std::chrono::milliseconds bound,
                              std::optional<DWORD> unchangedSince = std::nullopt);

}  // namespace hop
