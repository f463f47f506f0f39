// The clipboard's copy is put back only over the path the delivery put there: whatever replaced
// the path meanwhile (another copy, a password manager's timed clear) stays.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>

#include "delivery/win32_clipboard.h"
#include "win32/unique_handle.h"

namespace hop {
namespace {

constexpr std::chrono::milliseconds kBound{1000};

// Another program's clipboard work: opened with a window of its own, as a program does.
void AsAnotherOwner(const std::function<void()>& work) {
  const win32::UniqueWindow other(
      ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
  win32::ClipboardScope clipboard(other.get(), kBound);
  ASSERT_TRUE(clipboard);
  ::EmptyClipboard();
  work();
}

void CopyText(const std::wstring& text) {
  AsAnotherOwner([&] {
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_UNICODETEXT, memory);
  });
}

std::wstring ClipboardText() {
  win32::ClipboardScope clipboard(nullptr, kBound);
  const HANDLE data = clipboard ? ::GetClipboardData(CF_UNICODETEXT) : nullptr;
  const win32::LockedGlobal locked(data);
  return locked.get() ? static_cast<const wchar_t*>(locked.get()) : L"<empty>";
}

TEST(ClipboardRestore, TheCopyReplacesOnlyThePathThatWasPutThere) {
  const win32::UniqueWindow ours(
      ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
  const struct {
    std::function<void()> meanwhile;
    const wchar_t* after;
    const char* row;
  } cases[] = {
      {[] {}, L"the user's text", "untouched: put back"},
      {[] { CopyText(L"copied later"); }, L"copied later", "a copy made meanwhile stays"},
      {[] { AsAnotherOwner([] {}); }, L"<empty>", "a timed clear stays cleared"},
      {[] { CopyText(L"C:\\path\\"); }, L"C:\\path\\", "the same text copied by another stays"},
  };
  for (const auto& c : cases) {
    CopyText(L"the user's text");
    ClipboardSnapshot snapshot;
    ASSERT_EQ(snapshot.Take(kBound, kBound), ClipboardSave::Saved) << c.row;
    ASSERT_EQ(PutClipboardText(ours.get(), L"C:\\path\\", kBound, snapshot.Sequence()),
              ClipboardPut::Done);
    snapshot.NotePut(L"C:\\path\\");
    c.meanwhile();
    EXPECT_TRUE(snapshot.Restore(ours.get(), kBound)) << c.row << ": nothing is owed";
    EXPECT_EQ(ClipboardText(), c.after) << c.row;
  }
}

}  // namespace
}  // namespace hop
