#include "delivery/win32_dialog_words.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <span>

#include "delivery/dialog_template.h"
#include "win32/unique_handle.h"

namespace hop {
namespace {

// Wine numbers its own comdlg32 strings: the Save texts ("&Save", "Save &in:", "Save",
// "Save As") and the folder picker's title. Windows has other strings under these ids.
constexpr UINT kWineSaveStrings[] = {1201, 1202, 1203, 1204};
constexpr UINT kWinePickerString = 1206;
// Windows' own Open button ("&Open").
constexpr UINT kWindowsOpenString = 370;
// The explorer-style Open template, the same id everywhere, with its OK button and "Look &in:".
constexpr WORD kOpenTemplate = 1547;
constexpr int kFolderLabel = 1091;

inline void ReleaseLibrary(HMODULE module) {
  ::FreeLibrary(module);
}
using UniqueModule = win32::UniqueHandle<HMODULE, &ReleaseLibrary>;

bool UnderWine() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

void AddOnce(std::vector<std::wstring>& words, std::wstring text) {
  if (!text.empty() && std::find(words.begin(), words.end(), text) == words.end())
    words.push_back(std::move(text));
}

BOOL CALLBACK NoteLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR list) {
  reinterpret_cast<std::vector<LANGID>*>(list)->push_back(language);
  return TRUE;
}

// The resource in every language the system holds it in (a program may show its dialogs in
// another language than Hopdirs'), then in the language resources are loaded in here.
template <class Use>
void ForEachLanguage(HMODULE module, LPCWSTR type, LPCWSTR name, Use use) {
  std::vector<LANGID> languages;
  ::EnumResourceLanguagesExW(module, type, name, &NoteLanguage,
                             reinterpret_cast<LONG_PTR>(&languages),
                             RESOURCE_ENUM_LN | RESOURCE_ENUM_MUI, 0);
  for (const LANGID language : languages) {
    const HRSRC found = ::FindResourceExW(module, type, name, language);
    const HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const auto* bytes = loaded ? static_cast<const std::uint8_t*>(::LockResource(loaded)) : nullptr;
    if (bytes) use(std::span<const std::uint8_t>(bytes, ::SizeofResource(module, found)));
  }
}

void AddString(HMODULE module, UINT id, std::vector<std::wstring>& words) {
  const wchar_t* text = nullptr;
  // With no buffer size, LoadStringW points into the resource itself.
  const int length = ::LoadStringW(module, id, reinterpret_cast<wchar_t*>(&text), 0);
  if (length > 0 && text) AddOnce(words, std::wstring(text, static_cast<std::size_t>(length)));
  ForEachLanguage(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), [&](auto block) {
    if (auto found = BlockString(block, id)) AddOnce(words, std::move(*found));
  });
}

void AddOpenTexts(HMODULE module, std::vector<std::wstring>& words) {
  ForEachLanguage(module, RT_DIALOG, MAKEINTRESOURCEW(kOpenTemplate), [&](auto dialog) {
    for (const int id : {IDOK, kFolderLabel}) {
      if (auto text = TemplateControlText(dialog, id)) AddOnce(words, std::move(*text));
    }
  });
}

DialogWords Load() {
  DialogWords words;
  const UniqueModule module(::LoadLibraryExW(
      L"comdlg32.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  if (!module) return words;
  AddOpenTexts(module.get(), words.open);
  if (UnderWine()) {
    for (const UINT id : kWineSaveStrings) AddString(module.get(), id, words.save);
    AddString(module.get(), kWinePickerString, words.picker);
  } else {
    AddString(module.get(), kWindowsOpenString, words.open);
  }
  return words;
}

}  // namespace

const DialogWords& SystemDialogWords() {
  static const DialogWords words = Load();
  return words;
}

}  // namespace hop
