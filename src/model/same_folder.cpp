#include "model/same_folder.h"

#include <cwctype>

namespace hop {

std::wstring FolderKey(std::wstring_view path) {
  while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/')) path.remove_suffix(1);
  std::wstring key;
  key.reserve(path.size());
  for (wchar_t c : path)
    key += c == L'/' ? L'\\' : static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
  return key;
}

bool SameFolder(std::wstring_view a, std::wstring_view b) {
  return FolderKey(a) == FolderKey(b);
}

}  // namespace hop
