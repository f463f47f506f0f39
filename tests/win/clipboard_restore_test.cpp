// The clipboard's copy is put back only over the path the delivery put there: whatever replaced
// the path meanwhile (another copy, a password manager's timed clear) stays.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "delivery/win32_clipboard.h"
#include "win32/unique_handle.h"

namespace hop {
namespace {

constexpr std::chrono::milliseconds kBound{1000};

win32::UniqueWindow Owner() {
  return win32::UniqueWindow(
      ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
}

// Another program's copy (or, with nothing, its clear), made with a window of its own.
void CopyAsAnother(const wchar_t* text) {
  const auto other = Owner();
  win32::ClipboardScope clipboard(other.get(), kBound);
  ASSERT_TRUE(clipboard && ::EmptyClipboard());
  if (!text) return;
  const SIZE_T bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
  const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(::GlobalLock(memory), text, bytes);
  ::GlobalUnlock(memory);
  ::SetClipboardData(CF_UNICODETEXT, memory);
}

std::wstring ClipboardText() {
  win32::ClipboardScope clipboard(nullptr, kBound);
  const HANDLE data = clipboard ? ::GetClipboardData(CF_UNICODETEXT) : nullptr;
  const win32::LockedGlobal locked(data);
  return locked.get() ? static_cast<const wchar_t*>(locked.get()) : L"<empty>";
}

TEST(ClipboardRestore, TheCopyReplacesOnlyThePathThatWasPutThere) {
  const auto ours = Owner();
  const struct {
    bool meanwhile;
    const wchar_t *copied, *after;
    const char* row;
  } cases[] = {
      {false, nullptr, L"the user's text", "untouched: put back"},
      {true, L"copied later", L"copied later", "a copy made meanwhile stays"},
      {true, nullptr, L"<empty>", "a timed clear stays cleared"},
      {true, L"C:\\path\\", L"C:\\path\\", "the same text, copied by another, stays"},
  };
  for (const auto& c : cases) {
    CopyAsAnother(L"the user's text");
    ClipboardSnapshot snapshot;
    ASSERT_EQ(snapshot.Take(kBound, kBound), ClipboardSave::Saved) << c.row;
    ASSERT_EQ(PutClipboardText(ours.get(), L"C:\\path\\", kBound, snapshot.Sequence()),
              ClipboardPut::Done);
    snapshot.NotePut(L"C:\\path\\");
    if (c.meanwhile) CopyAsAnother(c.copied);
    EXPECT_TRUE(snapshot.Restore(ours.get(), kBound)) << c.row << ": nothing is owed";
    EXPECT_EQ(ClipboardText(), c.after) << c.row;
  }
}

}  // namespace
}  // namespace hop
