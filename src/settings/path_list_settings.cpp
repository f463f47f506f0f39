#include "settings/path_list_settings.h"

#include "settings/setting_values.h"

namespace hop {
namespace {

std::wstring GetOr(SettingsStore& store, std::wstring_view key, std::wstring_view fallback) {
  auto text = store.Get(kSettingsApplication, kSettingsSection, key);
  return text ? std::move(*text) : std::wstring(fallback);
}

std::uint8_t StoredCount(SettingsStore& store) {
  return ReadCount(GetOr(store, L"Amount", L"0"));
}

}  // namespace

void ReadPathListSettings(SettingsStore& store, PathMenu& paths, bool& clipboardChecked) {
  const std::uint8_t count = StoredCount(store);
  for (unsigned k = 1; k <= count; ++k) {
    const auto pos = static_cast<std::uint8_t>(k);
    paths.AddMenuItem(pos, GetOr(store, PathKey(k), L""));
  }
  clipboardChecked = ReadBoolean(GetOr(store, L"Clipboard", BooleanText(true)), true);
}

void WritePathListSettings(SettingsStore& store, const PathMenu& paths, bool clipboardChecked,
                           const std::function<void()>& beep) {
  const unsigned old = StoredCount(store);
  const std::uint8_t count = paths.PathCount();
  if (old > count) {
    if (beep) beep();
    for (unsigned k = count + 1; k <= old; ++k) {
      store.Delete(kSettingsApplication, kSettingsSection, PathKey(k));
    }
  }
  store.Save(kSettingsApplication, kSettingsSection, L"Amount", CountText(count));
  for (unsigned k = 1; k <= count; ++k) {
    store.Save(kSettingsApplication, kSettingsSection, PathKey(k), paths.Caption(k));
  }
  store.Save(kSettingsApplication, kSettingsSection, L"Clipboard", BooleanText(clipboardChecked));
}

}  // namespace hop
