#include "delivery/win32_clipboard.h"

#include <cstring>

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
  for (const UINT format : {exclude, history, cloud}) {
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

}  // namespace

bool ClipboardSnapshot::Take(HWND owner, std::chrono::milliseconds bound) {
  saved_.clear();
  taken_ = false;
  win32::ClipboardScope clipboard(owner, bound);
  if (!clipboard) return false;
  for (UINT format = ::EnumClipboardFormats(0); format != 0;
       format = ::EnumClipboardFormats(format)) {
    if (IsUncopyable(format)) continue;
    const HANDLE data = ::GetClipboardData(format);
    if (!data) continue;
    SavedFormat copy;
    copy.format = format;
    if (format == CF_ENHMETAFILE) {
      copy.metafile.reset(::CopyEnhMetaFileW(static_cast<HENHMETAFILE>(data), nullptr));
    } else if (format == CF_BITMAP) {
      copy.bitmap.reset(static_cast<HBITMAP>(::CopyImage(data, IMAGE_BITMAP, 0, 0, 0)));
    } else {
      copy.memory = CopyGlobal(data);
    }
    if (copy.memory || copy.metafile || copy.bitmap) saved_.push_back(std::move(copy));
  }
  taken_ = true;
  return true;
}

bool ClipboardSnapshot::Restore(HWND owner, std::chrono::milliseconds bound) {
  if (!taken_) return false;
  win32::ClipboardScope clipboard(owner, bound);
  if (!clipboard || !::EmptyClipboard()) return false;
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
  saved_.clear();
  taken_ = false;
  return all;
}

bool PutClipboardText(HWND owner, std::wstring_view text, std::chrono::milliseconds bound) {
  const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
  win32::UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return false;
  {
    const win32::LockedGlobal locked(memory.get());
    auto* to = static_cast<wchar_t*>(locked.get());
    if (!to) return false;
    std::memcpy(to, text.data(), text.size() * sizeof(wchar_t));
    to[text.size()] = L'\0';
  }
  win32::ClipboardScope clipboard(owner, bound);
  if (!clipboard || !::EmptyClipboard()) return false;
  if (!::SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
  memory.release();  // the clipboard owns it now
  MarkPrivate();
  return true;
}

}  // namespace hop
