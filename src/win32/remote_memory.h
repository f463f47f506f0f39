// A buffer in the process of another window: for the messages that pass a pointer and so need
// their data in the receiving process (a tree's selection path, a dialog's folder text).
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "win32/unique_handle.h"

namespace hop::win32 {

class RemoteBuffer {
 public:
  // `bytes` of zeroed, writable memory in the process that owns `window`; nothing when the
  // process cannot be opened for it (gone, or of a higher integrity level).
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
  // Where the buffer lies in the other process: what the message's pointer is.
  void* address() const { return address_; }
  std::size_t size() const { return bytes_; }

 private:
  RemoteBuffer(UniqueKernelHandle process, void* address, std::size_t bytes)
      : process_(std::move(process)), address_(address), bytes_(bytes) {}
  void Free();

  UniqueKernelHandle process_;
  void* address_ = nullptr;
  std::size_t bytes_ = 0;
};

}  // namespace hop::win32
