#include "delivery/dialog_kind.h"

#include <algorithm>
#include <cwctype>
#include <span>
#include <string_view>

namespace hop {
namespace {

// A control text without its mnemonic marks, trailing colon and spaces, in lower case.
std::wstring Plain(std::wstring_view text) {
  std::wstring out;
  for (wchar_t c : text) {
    if (c != L'&') out += static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  }
  while (!out.empty() && (out.back() == L':' || out.back() == L' ')) out.pop_back();
  while (!out.empty() && out.front() == L' ') out.erase(out.begin());
  return out;
}

// The system's words when it gave some; the English ones otherwise.
std::span<const std::wstring> Or(const std::vector<std::wstring>& words,
                                 std::span<const std::wstring> english) {
  return words.empty() ? english : std::span<const std::wstring>(words);
}

bool Reads(std::wstring_view text, std::span<const std::wstring> words) {
  const std::wstring plain = Plain(text);
  return !plain.empty() && std::any_of(words.begin(), words.end(), [&](const std::wstring& word) {
    return Plain(word) == plain;
  });
}

const std::wstring kOpen[] = {L"&Open", L"Look &in:"};
const std::wstring kSave[] = {L"&Save", L"Save &in:", L"Save", L"Save As"};
const std::wstring kPicker[] = {L"Select Folder"};

}  // namespace

bool IsFolderBrowser(TreePlace tree, bool directUi) {
  return !directUi && (tree == TreePlace::OwnChild || tree == TreePlace::ShellNameSpace);
}

DialogKind KindOf(const DialogSigns& signs) {
  if (signs.folderTree) return DialogKind::BrowseForFolder;
  if (signs.saveStructure) return DialogKind::Save;
  if (signs.openStructure && !signs.typeBox) return DialogKind::FolderPicker;
  const auto picker = Or(signs.words.picker, kPicker);
  if (Reads(signs.title, picker) || Reads(signs.okButton, picker)) return DialogKind::FolderPicker;
  const auto save = Or(signs.words.save, kSave);
  if (Reads(signs.okButton, save) || Reads(signs.folderLabel, save)) return DialogKind::Save;
  const auto open = Or(signs.words.open, kOpen);
  if (signs.openStructure || Reads(signs.okButton, open) || Reads(signs.folderLabel, open)) {
    return DialogKind::Open;
  }
  return DialogKind::Save;
}

}  // namespace hop
