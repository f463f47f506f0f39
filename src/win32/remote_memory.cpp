#include "win32/remote_memory.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace hop::win32 {
namespace {

// A 32-bit (WOW64) process cuts a pointer it is sent to its low 32 bits.
bool ReachableFrom(HANDLE process, const void* address, std::size_t bytes) {
  BOOL emulated = FALSE;
  if (!::IsWow64Process(process, &emulated)) return false;
  constexpr std::uintptr_t kFourGigabytes = std::uintptr_t{1} << 32;
  const auto start = reinterpret_cast<std::uintptr_t>(address);
  return !emulated || (start < kFourGigabytes && bytes <= kFourGigabytes - start);
}

// The characters at `address` up to the first nul, read page by page so that a text ending
// near the end of its memory is read whole.
std::optional<std::wstring> TextAt(HANDLE process, const void* address, std::size_t maxChars) {
  constexpr std::uintptr_t kPage = 4096;
  std::wstring text;
  auto at = reinterpret_cast<std::uintptr_t>(address);
  while (text.size() < maxChars) {
    const std::size_t chars =
        std::min<std::size_t>((kPage - at % kPage) / sizeof(wchar_t), maxChars - text.size());
    std::vector<wchar_t> part(std::max<std::size_t>(chars, 1));
    SIZE_T read = 0;
    if (!::ReadProcessMemory(process, reinterpret_cast<const void*>(at), part.data(),
                             part.size() * sizeof(wchar_t), &read)) {
      return text.empty() ? std::nullopt : std::optional(text);
    }
    for (std::size_t k = 0; k < read / sizeof(wchar_t); ++k) {
      if (part[k] == L'\0') return text;
      text += part[k];
    }
    at += read;
  }
  return text;
}

}  // namespace

std::optional<RemoteBuffer> RemoteBuffer::In(HWND window, std::size_t bytes) {
  DWORD processId = 0;
  if (!window || bytes == 0 || !::GetWindowThreadProcessId(window, &processId) || !processId) {
    return std::nullopt;
  }
  // Only what the buffer needs: allocating and freeing, reading and writing, and its width.
  UniqueKernelHandle process(::OpenProcess(
      PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_LIMITED_INFORMATION,
      FALSE, processId));
  if (!process) return std::nullopt;
  void* address =
      ::VirtualAllocEx(process.get(), nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!address) return std::nullopt;
  RemoteBuffer buffer(std::move(process), address, bytes);
  if (!ReachableFrom(buffer.process_.get(), address, bytes)) return std::nullopt;  // freed
  return buffer;
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

void RemoteBuffer::Abandon() {
  process_.reset();
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

std::optional<std::vector<std::byte>> RemoteBuffer::ReadBytes(std::size_t count) const {
  if (!address_ || count > bytes_) return std::nullopt;
  std::vector<std::byte> copy(count);
  SIZE_T read = 0;
  if (!::ReadProcessMemory(process_.get(), address_, copy.data(), count, &read) || read != count) {
    return std::nullopt;
  }
  return copy;
}

std::optional<std::wstring> ReadRemoteText(HWND window, const void* address, std::size_t maxChars) {
  DWORD processId = 0;
  if (!address || !::GetWindowThreadProcessId(window, &processId) || !processId) {
    return std::nullopt;
  }
  const UniqueKernelHandle process(::OpenProcess(PROCESS_VM_READ, FALSE, processId));
  if (!process) return std::nullopt;
  return TextAt(process.get(), address, maxChars);
}

std::optional<LRESULT> SendPointing(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    std::chrono::milliseconds bound,
                                    std::initializer_list<RemoteBuffer*> buffers) {
  DWORD_PTR answer = 0;
  if (::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_BLOCK | SMTO_ABORTIFHUNG,
                            static_cast<UINT>(bound.count()), &answer)) {
    return static_cast<LRESULT>(answer);
  }
  // Whether the handler had started cannot be told from here: any failed send keeps them.
  for (RemoteBuffer* buffer : buffers) buffer->Abandon();
  return std::nullopt;
}

}  // namespace hop::win32
