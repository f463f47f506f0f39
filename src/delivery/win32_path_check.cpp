#include "delivery/win32_path_check.h"

#include <windows.h>

#include <memory>
#include <string>

#include "win32/bounded_work.h"

namespace hop {
namespace {

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
  // An offline share, or a local disk spinning up, can hold the check for seconds: past the
  // bound the path counts as missing.
  auto attributes = std::make_shared<DWORD>(INVALID_FILE_ATTRIBUTES);
  if (!win32::RunWithin(bound,
                        [attributes, path] { *attributes = ::GetFileAttributesW(path.c_str()); })) {
    return PathKind::Missing;
  }
  return PathKindOf(*attributes);
}

}  // namespace hop
