#include "hotkey/add_folder.h"

#include "editor/path_list_editor.h"

namespace hop {

std::wstring StoredFolder(std::wstring_view folder) {
  std::wstring stored(folder);
  if (!stored.ends_with(L'\\')) stored += L'\\';
  return stored;
}

std::optional<std::wstring> AddFolderCaption(const PathMenu& paths,
                                             const std::optional<std::wstring>& folder) {
  if (!folder || folder->empty()) return std::nullopt;
  const std::wstring stored = StoredFolder(*folder);
  if (!CanAddPath(paths, stored)) return std::nullopt;
  return L"&Add " + MenuDisplayText(stored);
}

namespace {

bool IsDriveLetter(wchar_t c) {
  return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// "C:" when the text is a drive's root ("C:\", "C:") or its display name ("System (C:)").
std::optional<std::wstring> DriveNamed(std::wstring_view text) {
  if ((text.size() == 2 || (text.size() == 3 && text[2] == L'\\')) && IsDriveLetter(text[0]) &&
      text[1] == L':') {
    return std::wstring(text.substr(0, 2));
  }
  if (text.size() >= 4 && text.ends_with(L":)") && text[text.size() - 4] == L'(' &&
      IsDriveLetter(text[text.size() - 3])) {
    return std::wstring(text.substr(text.size() - 3, 2));
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::wstring> AddressBarPath(std::wstring_view text) {
  for (std::size_t at = 0; at + 2 < text.size(); ++at) {
    const bool drive = IsDriveLetter(text[at]) && text[at + 1] == L':' && text[at + 2] == L'\\' &&
                       (at == 0 || !IsDriveLetter(text[at - 1]));
    const bool share = text[at] == L'\\' && text[at + 1] == L'\\' && text[at + 2] != L'\\';
    if (drive || share) return std::wstring(text.substr(at));
  }
  return std::nullopt;
}

std::optional<std::wstring> AddressBarKnownFolder(std::wstring_view text,
                                                  std::span<const KnownFolder> known) {
  for (const KnownFolder& folder : known) {
    if (folder.name.empty() || folder.path.empty() || !text.ends_with(folder.name)) continue;
    std::wstring_view prefix = text.substr(0, text.size() - folder.name.size());
    while (prefix.ends_with(L' ')) prefix.remove_suffix(1);
    if (prefix.ends_with(L':')) return folder.path;
  }
  return std::nullopt;
}

std::optional<std::wstring> TreeItemPath(const std::vector<std::wstring>& selfAndAncestors) {
  for (std::size_t drive = 0; drive < selfAndAncestors.size(); ++drive) {
    const auto root = DriveNamed(selfAndAncestors[drive]);
    if (!root) continue;
    std::wstring path = *root + L'\\';
    for (std::size_t k = drive; k-- > 0;) {
      if (selfAndAncestors[k].empty()) return std::nullopt;
      path += selfAndAncestors[k] + L'\\';
    }
    return path;
  }
  return std::nullopt;
}

}  // namespace hop
