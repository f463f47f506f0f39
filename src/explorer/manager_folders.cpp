#include "explorer/manager_folders.h"

#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <map>

namespace hop {
namespace {

bool IsSlash(wchar_t c) {
  return c == L'\\' || c == L'/';
}

bool IsDrivePath(std::wstring_view text) {
  return text.size() >= 3 && std::iswalpha(static_cast<wint_t>(text[0])) && text[1] == L':' &&
         IsSlash(text[2]);
}

// "\\server\share": two backslashes, then a server name; three ("\\\") mark plug-in places,
// "\\?\" and "\\.\" device paths.
bool IsSharePath(std::wstring_view text) {
  return text.size() > 4 && text.starts_with(L"\\\\") && text[2] != L'\\' && text[2] != L'?' &&
         text[2] != L'.' && text.find(L'\\', 3) != std::wstring_view::npos;
}

std::wstring_view Trimmed(std::wstring_view text) {
  while (!text.empty() && std::iswspace(static_cast<wint_t>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::iswspace(static_cast<wint_t>(text.back()))) text.remove_suffix(1);
  return text;
}

std::wstring FolderKey(std::wstring_view path) {
  while (path.size() > 1 && IsSlash(path.back())) path.remove_suffix(1);
  std::wstring key;
  for (wchar_t c : path) key += static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
  return key;
}

// UTF-8 to UTF-16; a malformed sequence becomes U+FFFD, which no folder name holds.
std::wstring FromUtf8(std::string_view bytes) {
  std::wstring text;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<std::uint8_t>(bytes[i++]);
    const int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    std::uint32_t code = extra == 0 ? lead : lead & (0x3Fu >> extra);
    bool valid = extra >= 0;
    for (int k = 0; valid && k < extra; ++k, ++i) {
      valid = i < bytes.size() && (static_cast<std::uint8_t>(bytes[i]) & 0xC0) == 0x80;
      if (valid) code = (code << 6) | (static_cast<std::uint8_t>(bytes[i]) & 0x3Fu);
    }
    if (!valid || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) code = 0xFFFD;
    if (code < 0x10000) {
      text += static_cast<wchar_t>(code);
    } else {
      text += static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
      text += static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    }
  }
  return text;
}

// UTF-16 little-endian bytes up to the first nul; an odd last byte is no character.
std::wstring FromUtf16(std::string_view bytes) {
  std::wstring text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto c = static_cast<wchar_t>(static_cast<std::uint8_t>(bytes[i]) |
                                        static_cast<std::uint8_t>(bytes[i + 1]) << 8);
    if (c == L'\0') break;
    text += c;
  }
  return text;
}

std::wstring XmlText(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE")) return FromUtf16(bytes.substr(2));
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  return FromUtf8(bytes);
}

// The five named entities and character references; anything else stays as written.
std::wstring Unescaped(std::wstring_view text) {
  static const std::pair<std::wstring_view, wchar_t> named[] = {
      {L"amp", L'&'}, {L"lt", L'<'}, {L"gt", L'>'}, {L"quot", L'"'}, {L"apos", L'\''}};
  std::wstring out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t end = text[i] == L'&' ? text.find(L';', i) : std::wstring_view::npos;
    if (end == std::wstring_view::npos) {
      out += text[i];
      continue;
    }
    const std::wstring_view name = text.substr(i + 1, end - i - 1);
    std::optional<unsigned long> code;
    for (const auto& [entity, c] : named)
      if (name == entity) code = c;
    if (!code && name.size() > 1 && name[0] == L'#') {
      const bool hex = name[1] == L'x';
      const std::wstring digits(name.substr(hex ? 2 : 1));
      wchar_t* stop = nullptr;
      const unsigned long value = std::wcstoul(digits.c_str(), &stop, hex ? 16 : 10);
      if (!digits.empty() && *stop == L'\0' && value > 0 && value < 0xD800) code = value;
    }
    if (!code) {
      out += text[i];
      continue;
    }
    out += static_cast<wchar_t>(*code);
    i = end;
  }
  return out;
}

struct OpusPath {
  std::map<std::wstring, std::wstring> attributes;
  std::wstring text;
};

std::map<std::wstring, std::wstring> Attributes(std::wstring_view tag) {
  std::map<std::wstring, std::wstring> attributes;
  for (std::size_t at = 0;;) {
    const std::size_t equals = tag.find(L'=', at);
    if (equals == std::wstring_view::npos || equals + 1 >= tag.size()) break;
    const wchar_t quote = tag[equals + 1];
    const std::size_t close = tag.find(quote, equals + 2);
    if ((quote != L'"' && quote != L'\'') || close == std::wstring_view::npos) break;
    const std::wstring_view name = Trimmed(tag.substr(at, equals - at));
    attributes[std::wstring(name)] = Unescaped(tag.substr(equals + 2, close - equals - 2));
    at = close + 1;
  }
  return attributes;
}

std::vector<OpusPath> OpusPaths(std::wstring_view xml) {
  std::vector<OpusPath> paths;
  for (std::size_t at = xml.find(L"<path"); at != std::wstring_view::npos;
       at = xml.find(L"<path", at + 1)) {
    const std::size_t tagEnd = xml.find(L'>', at);
    if (tagEnd == std::wstring_view::npos) break;
    const wchar_t after = xml[at + 5];
    if (after != L' ' && after != L'\t' && after != L'\r' && after != L'\n' && after != L'>')
      continue;  // another element whose name starts the same
    const bool empty = xml[tagEnd - 1] == L'/';
    OpusPath path{Attributes(xml.substr(at + 5, tagEnd - at - (empty ? 6 : 5))), {}};
    if (!empty) {
      const std::size_t close = xml.find(L"</path>", tagEnd);
      if (close == std::wstring_view::npos) break;
      path.text = Unescaped(xml.substr(tagEnd + 1, close - tagEnd - 1));
    }
    paths.push_back(std::move(path));
  }
  return paths;
}

std::wstring Attribute(const OpusPath& path, const wchar_t* name) {
  const auto found = path.attributes.find(name);
  return found == path.attributes.end() ? std::wstring() : found->second;
}

}  // namespace

std::optional<std::wstring> FileSystemFolder(std::wstring_view text) {
  text = Trimmed(text);
  if (!IsDrivePath(text) && !IsSharePath(text)) return std::nullopt;
  if (text.find(L"://") != std::wstring_view::npos) return std::nullopt;
  const std::size_t last = text.find_last_of(L"\\/");
  if (text.find_first_of(L"*?", last) != std::wstring_view::npos) text = text.substr(0, last + 1);
  if (text.find_first_of(L"*?<>|\"") != std::wstring_view::npos) return std::nullopt;
  if (text.find(L':', 2) != std::wstring_view::npos) return std::nullopt;
  std::wstring folder(text);
  while (folder.size() > 3 && IsSlash(folder.back())) folder.pop_back();
  if (IsSharePath(text) && folder.find(L'\\', 2) == std::wstring::npos) return std::nullopt;
  return folder;
}

std::optional<std::wstring> CommanderReplyFolder(std::string_view bytes) {
  return FileSystemFolder(FromUtf16(bytes));
}

std::optional<std::wstring> DoubleCommanderTitleFolder(std::wstring_view title) {
  const std::size_t name = title.rfind(L" - Double Commander");
  if (name == std::wstring_view::npos) return std::nullopt;
  const std::wstring_view shown = Trimmed(title.substr(0, name));
  // A long path is shortened with dots, which no folder name ends with.
  if (shown.ends_with(L"...)") || shown.ends_with(L"\u2026)") || shown.ends_with(L"..."))
    return std::nullopt;
  // The path in parentheses may hold parentheses itself: "C:\Program Files (x86)\".
  for (std::size_t open = shown.find(L'('); open != std::wstring_view::npos;
       open = shown.find(L'(', open + 1)) {
    const std::wstring_view inside = shown.substr(open + 1);
    if ((IsDrivePath(inside) || IsSharePath(inside)) && shown.back() == L')')
      return FileSystemFolder(inside.substr(0, inside.size() - 1));
  }
  return FileSystemFolder(shown);
}

std::vector<std::wstring> OpusShownFolders(std::string_view xml) {
  std::vector<OpusPath> shown;
  for (OpusPath& path : OpusPaths(XmlText(xml))) {
    const std::wstring state = Attribute(path, L"tab_state");
    if (state == L"1" || state == L"2") shown.push_back(std::move(path));
  }
  const auto rank = [](const OpusPath& path) {
    return (Attribute(path, L"active_lister") == L"1" ? 0 : 2) +
           (Attribute(path, L"tab_state") == L"1" ? 0 : 1);
  };
  // Stable: listers keep the order Directory Opus lists them in.
  std::stable_sort(shown.begin(), shown.end(),
                   [&](const OpusPath& a, const OpusPath& b) { return rank(a) < rank(b); });
  std::vector<std::wstring> folders;
  for (const OpusPath& path : shown)
    if (auto folder = FileSystemFolder(path.text)) folders.push_back(std::move(*folder));
  return EachFolderOnce(folders);
}

std::vector<std::wstring> EachFolderOnce(const std::vector<std::wstring>& folders) {
  std::vector<std::wstring> once;
  for (const std::wstring& folder : folders) {
    if (std::none_of(once.begin(), once.end(), [&](const std::wstring& kept) {
          return FolderKey(kept) == FolderKey(folder);
        }))
      once.push_back(folder);
  }
  return once;
}

}  // namespace hop
