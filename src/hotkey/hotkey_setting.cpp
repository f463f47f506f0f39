#include "hotkey/hotkey_setting.h"

#include "settings/path_list_settings.h"

namespace hop {
namespace {
constexpr std::wstring_view kHotkeyKey = L"Hotkey";
}

std::optional<Hotkey> ReadHotkeySetting(SettingsStore& store, KeyLayout& layout) {
  const auto text = store.Get(kSettingsApplication, kSettingsSection, kHotkeyKey);
  if (!text) return kDefaultHotkey;
  if (text->find_first_not_of(L" \t") == std::wstring::npos) return std::nullopt;
  const auto hotkey = ParseHotkey(*text);
  if (!hotkey || JudgeHotkey(*hotkey, layout) != KeyVerdict::Accepted) return kDefaultHotkey;
  return hotkey;
}

bool WriteHotkeySetting(SettingsStore& store, const std::optional<Hotkey>& hotkey) {
  return store.Save(kSettingsApplication, kSettingsSection, kHotkeyKey,
                    hotkey ? HotkeyText(*hotkey) : std::wstring());
}

}  // namespace hop
