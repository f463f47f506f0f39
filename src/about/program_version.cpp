#include "about/program_version.h"

#include <cstdio>
#include <vector>

namespace hop {
namespace {

std::wstring ModulePath(HMODULE module) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(module, path.data(), DWORD(path.size()));
    if (length == 0) return {};
    if (length < path.size()) return path.substr(0, length);
    path.resize(path.size() * 2);  // truncated: long path
  }
}

// The FileDescription of the first translation the resource lists.
std::wstring Description(std::vector<BYTE>& block) {
  struct Translation {
    WORD language, codePage;
  };
  Translation* translations = nullptr;
  UINT bytes = 0;
  Translation chosen{0x0409, 1200};
  if (::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                       reinterpret_cast<void**>(&translations), &bytes) &&
      bytes >= sizeof(Translation)) {
    chosen = translations[0];
  }
  wchar_t query[64];
  std::swprintf(query, std::size(query), L"\\StringFileInfo\\%04x%04x\\FileDescription",
                chosen.language, chosen.codePage);
  wchar_t* text = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(block.data(), query, reinterpret_cast<void**>(&text), &length) || !text) {
    return {};
  }
  std::wstring description(text, length);
  if (auto end = description.find(L'\0'); end != std::wstring::npos) description.resize(end);
  return description;
}

}  // namespace

std::optional<ProgramVersion> ReadProgramVersion(HMODULE module) {
  const std::wstring path = ModulePath(module);
  if (path.empty()) return std::nullopt;
  const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), nullptr);
  if (size == 0) return std::nullopt;
  std::vector<BYTE> block(size);
  if (!::GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return std::nullopt;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT bytes = 0;
  if (!::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &bytes) ||
      bytes < sizeof(VS_FIXEDFILEINFO)) {
    return std::nullopt;
  }
  ProgramVersion version;
  version.description = Description(block);
  version.major = HIWORD(fixed->dwFileVersionMS);
  version.minor = LOWORD(fixed->dwFileVersionMS);
  version.revision = LOWORD(fixed->dwFileVersionLS);
  return version;
}

}  // namespace hop
