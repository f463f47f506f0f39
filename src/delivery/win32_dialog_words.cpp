#include "delivery/win32_dialog_words.h"

#include <windows.h>

#include <cstdint>
#include <span>

#include "delivery/dialog_template.h"
#include "win32/unique_handle.h"

namespace hop {
namespace {

// comdlg32's resources: the Save texts ("&Save", "Save &in:", "Save", "Save As"), the folder
// picker's title, and the explorer-style Open template with its OK button and "Look &in:".
constexpr UINT kSaveStrings[] = {1201, 1202, 1203, 1204};
constexpr UINT kPickerString = 1206;
constexpr WORD kOpenTemplate = 1547;
constexpr int kFolderLabel = 1091;

inline void ReleaseLibrary(HMODULE module) {
  ::FreeLibrary(module);
}
using UniqueModule = win32::UniqueHandle<HMODULE, &ReleaseLibrary>;

void AddString(HMODULE module, UINT id, std::vector<std::wstring>& words) {
  const wchar_t* text = nullptr;
  // With no buffer size, LoadStringW points into the resource itself.
  const int length = ::LoadStringW(module, id, reinterpret_cast<wchar_t*>(&text), 0);
  if (length > 0 && text) words.emplace_back(text, static_cast<std::size_t>(length));
}

void AddOpenTexts(HMODULE module, std::vector<std::wstring>& words) {
  const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(kOpenTemplate), RT_DIALOG);
  const HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
  const auto* bytes = loaded ? static_cast<const std::uint8_t*>(::LockResource(loaded)) : nullptr;
  if (!bytes) return;
  const std::span<const std::uint8_t> dialog(bytes, ::SizeofResource(module, found));
  for (const int id : {IDOK, kFolderLabel}) {
    if (auto text = TemplateControlText(dialog, id); text && !text->empty()) words.push_back(*text);
  }
}

DialogWords Load() {
  DialogWords words;
  const UniqueModule module(::LoadLibraryExW(
      L"comdlg32.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  if (!module) return words;
  for (const UINT id : kSaveStrings) AddString(module.get(), id, words.save);
  AddString(module.get(), kPickerString, words.picker);
  AddOpenTexts(module.get(), words.open);
  return words;
}

}  // namespace

const DialogWords& SystemDialogWords() {
  static const DialogWords words = Load();
  return words;
}

}  // namespace hop
