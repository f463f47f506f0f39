// A buffer in a window's process: text goes in and comes back whole, and what does not fit or
// has no process is refused.
#include "win32/remote_memory.h"

#include <gtest/gtest.h>

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
  EXPECT_EQ(ReadRemoteText(window.get(), buffer->address(), 3), L"123") << "cut at the bound";

  // Moving hands the memory over: the moved-from buffer holds nothing.
  RemoteBuffer moved = std::move(*buffer);
  EXPECT_EQ(moved.ReadText(), L"1234567");
  EXPECT_EQ(buffer->address(), nullptr);
  EXPECT_FALSE(buffer->ReadText());
}

}  // namespace
}  // namespace hop::win32
