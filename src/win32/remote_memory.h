// A buffer in the process of another window: for the messages that pass a pointer and so need
// their data in the receiving process (a tree's selection path, a dialog's folder text), and the
// bounded send of such a message.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win32/unique_handle.h"

namespace hop::win32 {

class RemoteBuffer {
 public:
  // `bytes` of zeroed, writable memory in the process that owns `window`; nothing when the
  // process cannot be opened for it (gone, or of a higher integrity level), or when it is a
  // 32-bit process and the memory does not lie where its 32-bit pointers reach.
  static std::optional<RemoteBuffer> In(HWND window, std::size_t bytes);

  RemoteBuffer(RemoteBuffer&& other) noexcept;
  RemoteBuffer& operator=(RemoteBuffer&& other) noexcept;
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  ~RemoteBuffer();

  // Writes the text with its terminating nul; false when it does not fit or cannot be written.
  bool Write(std::wstring_view text);
  // The text up to its first nul (or the buffer's end); nothing when it cannot be read.
  std::optional<std::wstring> ReadText() const;
  // The buffer's first `count` bytes as the other process left them.
  std::optional<std::vector<std::byte>> ReadBytes(std::size_t count) const;
  // Where the buffer lies in the other process: what the message's pointer is.
  void* address() const { return address_; }
  std::size_t size() const { return bytes_; }
  // Lets go of the buffer without freeing it: a message pointing to it may still be handled.
  // The memory stays until that process ends.
  void Abandon();

 private:
  RemoteBuffer(UniqueKernelHandle process, void* address, std::size_t bytes)
      : process_(std::move(process)), address_(address), bytes_(bytes) {}
  void Free();

  UniqueKernelHandle process_;
  void* address_ = nullptr;
  std::size_t bytes_ = 0;
};

// The text at `address` in the process of `window`, up to its nul or `maxChars`: where a
// control answered with memory of its own.
std::optional<std::wstring> ReadRemoteText(HWND window, const void* address, std::size_t maxChars);

// Sends a message whose parameters point into `buffers`, within `bound`; its answer, or nothing
// when none came in time. A send that timed out may still be handled (a handler that had started
// runs to completion, and reads or writes the memory then), so its buffers are abandoned.
std::optional<LRESULT> SendPointing(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    std::chrono::milliseconds bound,
                                    std::initializer_list<RemoteBuffer*> buffers);

}  // namespace hop::win32
