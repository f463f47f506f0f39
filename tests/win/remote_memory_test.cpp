// A buffer in a window's process: text goes in and comes back whole, and what does not fit or
// has no process is refused; a send that timed out leaves its memory to the handler.
#include "win32/remote_memory.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "win32/unique_handle.h"

namespace hop::win32 {
namespace {

TEST(RemoteBuffer, HoldsTextWholeAndRefusesWhatDoesNotFit) {
  const UniqueWindow window(
      ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
  ASSERT_TRUE(window);
  EXPECT_FALSE(RemoteBuffer::In(nullptr, 64)) << "no window, no process";
  EXPECT_FALSE(RemoteBuffer::In(window.get(), 0)) << "an empty buffer is no buffer";

  auto buffer = RemoteBuffer::In(window.get(), 8 * sizeof(wchar_t));
  ASSERT_TRUE(buffer);
  EXPECT_EQ(buffer->ReadText(), L"") << "new memory is zeroed";
  EXPECT_TRUE(buffer->Write(L"C:\\\u00e9+%"));
  EXPECT_EQ(buffer->ReadText(), L"C:\\\u00e9+%");
  EXPECT_TRUE(buffer->Write(L"1234567")) << "seven characters and the nul fill it exactly";
  EXPECT_FALSE(buffer->Write(L"12345678")) << "no room for the nul";
  EXPECT_EQ(buffer->ReadText(), L"1234567") << "a refused write leaves the text alone";

  // Moving hands the memory over: the moved-from buffer holds nothing.
  RemoteBuffer moved = std::move(*buffer);
  EXPECT_EQ(moved.ReadText(), L"1234567");
  EXPECT_EQ(buffer->address(), nullptr);
  EXPECT_FALSE(buffer->ReadText());
}

// A window on a thread of its own whose handler takes 400 ms, then reads the text it was
// pointed to, as a dialog on a slow share does after the sender gave up.
struct SlowReader {
  static constexpr UINT kRead = WM_APP + 7;
  static inline std::wstring read;
  static inline std::atomic<bool> done{false};

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kRead) return ::DefWindowProcW(window, message, wParam, lParam);
    ::Sleep(400);
    wchar_t text[16] = {};
    SIZE_T got = 0;  // the memory may be gone: read without touching it
    if (::ReadProcessMemory(::GetCurrentProcess(), reinterpret_cast<const void*>(lParam), text,
                            sizeof(text) - sizeof(wchar_t), &got))
      read = text;
    done = true;
    return 1;
  }
};

TEST(RemoteBuffer, ASendThatTimedOutLeavesTheMemoryToTheHandlerAndAnAnsweredOneKeepsIt) {
  HWND window = nullptr;
  std::atomic<bool> created{false};
  std::thread owner([&] {
    window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                               nullptr);
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SlowReader::Procedure));
    created = true;
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
    ::DestroyWindow(window);
  });
  while (!created) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  {
    auto buffer = RemoteBuffer::In(window, 16 * sizeof(wchar_t));
    ASSERT_TRUE(buffer && buffer->Write(L"C:\\slow"));
    EXPECT_FALSE(SendPointing(window, SlowReader::kRead, 0,
                              reinterpret_cast<LPARAM>(buffer->address()),
                              std::chrono::milliseconds(100), {&*buffer}));
    EXPECT_EQ(buffer->address(), nullptr) << "abandoned, not freed";
  }  // the buffer's owner is gone before the handler reads
  while (!SlowReader::done) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(SlowReader::read, L"C:\\slow");

  auto answered = RemoteBuffer::In(window, 16 * sizeof(wchar_t));
  ASSERT_TRUE(answered && answered->Write(L"C:\\fast"));
  EXPECT_EQ(
      SendPointing(window, SlowReader::kRead, 0, reinterpret_cast<LPARAM>(answered->address()),
                   std::chrono::seconds(5), {&*answered}),
      1);
  EXPECT_EQ(answered->ReadText(), L"C:\\fast") << "kept for the caller after an answer";
  EXPECT_EQ(ReadRemoteText(window, answered->address(), 3), L"C:\\") << "cut at the bound";
  ::PostThreadMessageW(::GetWindowThreadProcessId(window, nullptr), WM_QUIT, 0, 0);
  owner.join();
}

}  // namespace
}  // namespace hop::win32
