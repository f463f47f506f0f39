#include "delivery/dialog_kind.h"

#include <algorithm>
#include <array>
#include <cwctype>
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

enum class Says { Nothing, Open, Save };

Says Reading(std::wstring_view text) {
  constexpr std::array<std::wstring_view, 2> open{L"open", L"look in"};
  constexpr std::array<std::wstring_view, 3> save{L"save", L"save in", L"save as"};
  const std::wstring plain = Plain(text);
  if (std::find(save.begin(), save.end(), plain) != save.end()) return Says::Save;
  if (std::find(open.begin(), open.end(), plain) != open.end()) return Says::Open;
  return Says::Nothing;
}

}  // namespace

DialogKind KindOf(const DialogSigns& signs) {
  if (signs.saveStructure) return DialogKind::Save;
  const Says button = Reading(signs.okButton);
  const Says label = Reading(signs.folderLabel);
  if (button == Says::Save || label == Says::Save) return DialogKind::Save;
  if (signs.openStructure || button == Says::Open || label == Says::Open) return DialogKind::Open;
  return DialogKind::Save;
}

}  // namespace hop
