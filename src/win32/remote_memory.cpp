#include "win32/remote_memory.h"

#include <utility>
#include <vector>

namespace hop::win32 {

std::optional<RemoteBuffer> RemoteBuffer::In(HWND window, std::size_t bytes) {
  DWORD processId = 0;
  if (!window || bytes == 0 || !::GetWindowThreadProcessId(window, &processId) || !processId) {
    return std::nullopt;
  }
  // Only what the buffer needs: allocating and freeing, reading and writing.
  UniqueKernelHandle process(
      ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
  if (!process) return std::nullopt;
  void* address =
      ::VirtualAllocEx(process.get(), nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!address) return std::nullopt;
  return RemoteBuffer(std::move(process), address, bytes);
}

RemoteBuffer::RemoteBuffer(RemoteBuffer&& other) noexcept
    : process_(std::move(other.process_)),
      address_(std::exchange(other.address_, nullptr)),
      bytes_(std::exchange(other.bytes_, 0)) {}

RemoteBuffer& RemoteBuffer::operator=(RemoteBuffer&& other) noexcept {
  if (this != &other) {
    Free();
    process_ = std::move(other.process_);
    address_ = std::exchange(other.address_, nullptr);
    bytes_ = std::exchange(other.bytes_, 0);
  }
  return *this;
}

RemoteBuffer::~RemoteBuffer() {
  Free();
}

void RemoteBuffer::Free() {
  // A process that has ended took its memory with it; freeing then fails harmlessly.
  if (address_ && process_) ::VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
  address_ = nullptr;
  bytes_ = 0;
}

bool RemoteBuffer::Write(std::wstring_view text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (!address_ || bytes > bytes_) return false;
  std::wstring terminated(text);
  SIZE_T written = 0;
  return ::WriteProcessMemory(process_.get(), address_, terminated.c_str(), bytes, &written) &&
         written == bytes;
}

std::optional<std::wstring> RemoteBuffer::ReadText() const {
  if (!address_) return std::nullopt;
  std::vector<wchar_t> copy(bytes_ / sizeof(wchar_t));
  SIZE_T read = 0;
  if (!::ReadProcessMemory(process_.get(), address_, copy.data(), copy.size() * sizeof(wchar_t),
                           &read)) {
    return std::nullopt;
  }
  const std::size_t count = read / sizeof(wchar_t);
  std::size_t length = 0;
  while (length < count && copy[length] != L'\0') ++length;
  return std::wstring(copy.data(), length);
}

}  // namespace hop::win32
