#include "settings/registry_store.h"

#include "win32/unique_handle.h"

namespace hop {
namespace {

using win32::UniqueRegistryKey;

UniqueRegistryKey OpenKey(HKEY root, const std::wstring& path, REGSAM access) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, path.c_str(), 0, access, &key) != ERROR_SUCCESS) return {};
  return UniqueRegistryKey(key);
}

// Reads a string value whole, whatever its length; the value may change size between the two
// calls, so the read is retried until the buffer fits.
std::optional<std::wstring> QueryString(HKEY key, const std::wstring& name) {
  std::wstring buffer;
  DWORD type = 0, bytes = 0;
  LSTATUS status = ::RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &bytes);
  for (int attempt = 0; attempt < 8 && status == ERROR_SUCCESS; ++attempt) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    buffer.assign(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    status = ::RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(buffer.data()), &got);
    if (status == ERROR_MORE_DATA) {
      bytes = got;
      status = ERROR_SUCCESS;
      continue;
    }
    if (status != ERROR_SUCCESS) break;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    buffer.resize(got / sizeof(wchar_t));
    // A string ends at its first terminator; values written without one are taken whole.
    if (auto end = buffer.find(L'\0'); end != std::wstring::npos) buffer.resize(end);
    return buffer;
  }
  return std::nullopt;
}

}  // namespace

std::wstring RegistryStore::SubKey(std::wstring_view application, std::wstring_view section) const {
  std::wstring path = base_;
  path.append(L"\\").append(application).append(L"\\").append(section);
  return path;
}

std::optional<std::wstring> RegistryStore::Get(std::wstring_view application,
                                               std::wstring_view section, std::wstring_view key) {
  const UniqueRegistryKey opened = OpenKey(root_, SubKey(application, section), KEY_QUERY_VALUE);
  if (!opened) return std::nullopt;
  return QueryString(opened.get(), std::wstring(key));
}

bool RegistryStore::Save(std::wstring_view application, std::wstring_view section,
                         std::wstring_view key, std::wstring_view text) {
  HKEY created = nullptr;
  if (::RegCreateKeyExW(root_, SubKey(application, section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &created,
                        nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const UniqueRegistryKey opened(created);
  const std::wstring value(text);  // with its terminator, as REG_SZ data should be
  const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  return ::RegSetValueExW(opened.get(), std::wstring(key).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), bytes) == ERROR_SUCCESS;
}

bool RegistryStore::Delete(std::wstring_view application, std::wstring_view section,
                           std::wstring_view key) {
  const UniqueRegistryKey opened = OpenKey(root_, SubKey(application, section), KEY_SET_VALUE);
  if (!opened) return false;
  return ::RegDeleteValueW(opened.get(), std::wstring(key).c_str()) == ERROR_SUCCESS;
}

}  // namespace hop
