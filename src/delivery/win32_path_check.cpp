#include "delivery/win32_path_check.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "win32/unique_handle.h"

namespace hop {
namespace {

// A local fixed drive answers at once; a share, a mapped or removable drive may not.
bool IsLocalFixedDrive(std::wstring_view path) {
  if (path.size() < 3 || path[1] != L':' || (path[2] != L'\\' && path[2] != L'/')) return false;
  const wchar_t root[] = {path[0], L':', L'\\', L'\0'};
  const UINT type = ::GetDriveTypeW(root);
  return type == DRIVE_FIXED || type == DRIVE_RAMDISK;
}

PathKind PathKindOf(DWORD attributes) {
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
  return attributes & FILE_ATTRIBUTE_DIRECTORY ? PathKind::Folder : PathKind::File;
}

}  // namespace

std::wstring Expanded(std::wstring_view stored) {
  const std::wstring path(stored);
  const DWORD size = ::ExpandEnvironmentStringsW(path.c_str(), nullptr, 0);
  if (size == 0) return path;
  std::wstring expanded(size, L'\0');
  const DWORD written = ::ExpandEnvironmentStringsW(path.c_str(), expanded.data(), size);
  if (written == 0 || written > size) return path;
  expanded.resize(written - 1);
  return expanded;
}

PathKind CheckPathKind(std::wstring_view stored, std::chrono::milliseconds bound) {
  const std::wstring path = Expanded(stored);
  if (IsLocalFixedDrive(path)) return PathKindOf(::GetFileAttributesW(path.c_str()));
  // An offline share can hold the check for many seconds, so it runs on a thread of its own
  // that is left to finish alone once the bound has passed.
  struct Check {
    std::wstring path;
    std::atomic<DWORD> attributes{INVALID_FILE_ATTRIBUTES};
    win32::UniqueKernelHandle done{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  };
  auto check = std::make_shared<Check>();
  check->path = path;
  if (!check->done) return PathKind::Missing;
  std::thread([check] {
    check->attributes = ::GetFileAttributesW(check->path.c_str());
    ::SetEvent(check->done.get());
  }).detach();
  if (::WaitForSingleObject(check->done.get(), static_cast<DWORD>(bound.count())) !=
      WAIT_OBJECT_0) {
    return PathKind::Missing;
  }
  return PathKindOf(check->attributes);
}

}  // namespace hop
