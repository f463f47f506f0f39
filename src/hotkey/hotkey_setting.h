// The hotkey's setting: the text value "Hotkey" beside the other settings, written as soon as
// the user chooses a key.
#pragma once

#include <optional>

#include "hotkey/hotkey_text.h"
#include "hotkey/key_acceptance.h"
#include "settings/settings_store.h"

namespace hop {

// The stored hotkey; nothing when the user chose none (an empty value). An absent value, one
// that is not a usable hotkey, or one that types a character on `layout`, gives Ctrl+G.
std::optional<Hotkey> ReadHotkeySetting(SettingsStore& store, KeyLayout& layout);
// Stores the hotkey's text, or an empty value for none. False when the store refused.
bool WriteHotkeySetting(SettingsStore& store, const std::optional<Hotkey>& hotkey);

}  // namespace hop
