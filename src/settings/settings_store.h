// The per-user settings store: text values addressed by application, section and key.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace hop {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The stored text, or nothing when the section or key is absent or does not hold text.
  virtual std::optional<std::wstring> Get(std::wstring_view application, std::wstring_view section,
                                          std::wstring_view key) = 0;
  // Stores the text, creating the section as needed. False when the store refused.
  virtual bool Save(std::wstring_view application, std::wstring_view section, std::wstring_view key,
                    std::wstring_view text) = 0;
  // Removes one key; the section and its other keys stay. False when nothing was removed.
  virtual bool Delete(std::wstring_view application, std::wstring_view section,
                      std::wstring_view key) = 0;
};

}  // namespace hop
