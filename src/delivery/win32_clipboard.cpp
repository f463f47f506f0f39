#include "delivery/win32_clipboard.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "win32/bounded_work.h"

namespace hop {
namespace {

// Registered formats by which Windows keeps clipboard contents out of its clipboard history
// and the cloud clipboard: the path is no copy of the user's, and the restored contents are
// already there once.
void MarkPrivate() {
  static const UINT exclude =
      ::RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
  static const UINT history = ::RegisterClipboardFormatW(L"CanIncludeInClipboardHistory");
  static const UINT cloud = ::RegisterClipboardFormatW(L"CanUploadToCloudClipboard");
  // Clipboard managers and viewers pass over contents that carry this one.
  static const UINT viewers = ::RegisterClipboardFormatW(L"Clipboard Viewer Ignore");
  for (const UINT format : {exclude, history, cloud, viewers}) {
    win32::UniqueGlobal zero(::GlobalAlloc(GMEM_MOVEABLE, sizeof(DWORD)));
    if (!zero) continue;
    {
      const win32::LockedGlobal locked(zero.get());
      if (!locked.get()) continue;
      *static_cast<DWORD*>(locked.get()) = 0;
    }
    if (::SetClipboardData(format, zero.get())) zero.release();
  }
}

win32::UniqueGlobal CopyGlobal(HANDLE source) {
  const SIZE_T size = ::GlobalSize(source);
  if (size == 0) return {};
  win32::UniqueGlobal copy(::GlobalAlloc(GMEM_MOVEABLE, size));
  if (!copy) return {};
  {
    const win32::LockedGlobal from(source);
    const win32::LockedGlobal to(copy.get());
    if (!from.get() || !to.get()) return {};
    std::memcpy(to.get(), from.get(), size);
  }
  return copy;
}

// Formats whose handle is neither memory nor a GDI object that can be copied.
bool IsUncopyable(UINT format) {
  return format == CF_OWNERDISPLAY || format == CF_PALETTE || format == CF_METAFILEPICT ||
         format == CF_DSPBITMAP || format == CF_DSPENHMETAFILE || format == CF_DSPMETAFILEPICT ||
         (format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST) ||
         (format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST);
}

// Copies every format into `formats` and notes the clipboard's sequence number while it is
// still open; false when the clipboard stayed held.
bool CopyAll(std::vector<SavedClipboardFormat>& formats, DWORD& sequence,
             std::chrono::milliseconds open) {
  // Opened for reading only: no window of this thread needs to own it.
  win32::ClipboardScope clipboard(nullptr, open);
  if (!clipboard) return false;
  for (UINT format = ::EnumClipboardFormats(0); format != 0;
       format = ::EnumClipboardFormats(format)) {
    if (IsUncopyable(format)) continue;
    const HANDLE data = ::GetClipboardData(format);
    if (!data) continue;
    SavedClipboardFormat copy;
    copy.format = format;
    if (format == CF_ENHMETAFILE) {
      copy.metafile.reset(::CopyEnhMetaFileW(static_cast<HENHMETAFILE>(data), nullptr));
    } else if (format == CF_BITMAP) {
      copy.bitmap.reset(static_cast<HBITMAP>(::CopyImage(data, IMAGE_BITMAP, 0, 0, 0)));
    } else {
      copy.memory = CopyGlobal(data);
    }
    if (copy.memory || copy.metafile || copy.bitmap) formats.push_back(std::move(copy));
  }
  sequence = ::GetClipboardSequenceNumber();
  return true;
}

// Whether the open clipboard is still as the delivery left it: its owner's, holding the text.
bool StillHolds(HWND owner, std::wstring_view text) {
  if (::GetClipboardOwner() != owner) return false;
  const HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  const win32::LockedGlobal locked(data);
  const auto* held = static_cast<const wchar_t*>(locked.get());
  if (!held) return false;
  const std::size_t chars = ::GlobalSize(data) / sizeof(wchar_t);
  return std::wstring_view(held, std::find(held, held + chars, L'\0') - held) == text;
}

}  // namespace

struct ClipboardSnapshot::Copying {
  std::vector<SavedClipboardFormat> formats;
  DWORD sequence = 0;
  bool opened = false;
};

void ClipboardSnapshot::Start(std::chrono::milliseconds open) {
  Forget();
  // GetClipboardData has each owner render what it only promised, with no bound of its own, so
  // the copy runs on a pool thread: a slow owner cannot stall the tray.
  copying_ = std::make_shared<Copying>();
  work_.emplace([copying = copying_, open] {
    copying->opened = CopyAll(copying->formats, copying->sequence, open);
  });
}

ClipboardSave ClipboardSnapshot::Take(std::chrono::milliseconds open,
                                      std::chrono::milliseconds bound) {
  if (!copying_) Start(open);  // a copy kept from before is no copy of now
  const bool done = work_->Wait(bound);
  const auto copying = std::exchange(copying_, nullptr);
  work_.reset();
  if (!done) return ClipboardSave::TooSlow;  // the copy finishes alone and is dropped
  if (!copying->opened) return ClipboardSave::Held;
  saved_ = std::move(copying->formats);
  sequence_ = copying->sequence;
  return ClipboardSave::Saved;
}

std::optional<DWORD> ClipboardSnapshot::Sequence() const {
  return sequence_;
}

void ClipboardSnapshot::Forget() {
  copying_.reset();
  work_.reset();
  saved_.clear();
  sequence_.reset();
  put_.reset();
}

bool ClipboardSnapshot::Restore(HWND owner, std::chrono::milliseconds bound) {
  if (!sequence_) return true;
  win32::ClipboardScope clipboard(owner, bound);
  if (!clipboard) return false;
  if (put_ && !StillHolds(owner, *put_)) {
    Forget();
    return true;
  }
  if (!::EmptyClipboard()) return false;
  bool all = true;
  for (auto& format : saved_) {
    HANDLE data = format.memory     ? static_cast<HANDLE>(format.memory.get())
                  : format.metafile ? static_cast<HANDLE>(format.metafile.get())
                                    : static_cast<HANDLE>(format.bitmap.get());
    if (::SetClipboardData(format.format, data)) {
      format.memory.release();
      format.metafile.release();
      format.bitmap.release();
    } else {
      all = false;
    }
  }
  if (!saved_.empty()) MarkPrivate();
  Forget();
  return all;
}

ClipboardPut PutClipboardText(HWND owner, std::wstring_view text, std::chrono::milliseconds bound,
                              std::optional<DWORD> unchangedSince) {
  const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
  win32::UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return ClipboardPut::Failed;
  {
    const win32::LockedGlobal locked(memory.get());
    auto* to = static_cast<wchar_t*>(locked.get());
    if (!to) return ClipboardPut::Failed;
    std::memcpy(to, text.data(), text.size() * sizeof(wchar_t));
    to[text.size()] = L'\0';
  }
  win32::ClipboardScope clipboard(owner, bound);
  if (!clipboard) return ClipboardPut::Failed;
  // Checked while open, so no other program can change it between the check and the write.
  if (unchangedSince && ::GetClipboardSequenceNumber() != *unchangedSince) {
    return ClipboardPut::Changed;
  }
  if (!::EmptyClipboard() || !::SetClipboardData(CF_UNICODETEXT, memory.get())) {
    return ClipboardPut::Failed;
  }
  memory.release();  // the clipboard owns it now
  MarkPrivate();
  return ClipboardPut::Done;
}

}  // namespace hop
