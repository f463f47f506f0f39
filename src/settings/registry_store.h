// The settings store in the registry: application and section address the key
// HKEY_CURRENT_USER\Software\<application>\<section>, and every value is a REG_SZ named by its key.
// Each operation opens the key, acts and closes it again, so no handle stays open in between.
#pragma once

#include <windows.h>

#include "settings/settings_store.h"

namespace hop {

class RegistryStore final : public SettingsStore {
 public:
  // root and base are for tests; the program uses the defaults.
  explicit RegistryStore(HKEY root = HKEY_CURRENT_USER, std::wstring base = L"Software")
      : root_(root), base_(std::move(base)) {}

  std::optional<std::wstring> Get(std::wstring_view application, std::wstring_view section,
                                  std::wstring_view key) override;
  bool Save(std::wstring_view application, std::wstring_view section, std::wstring_view key,
            std::wstring_view text) override;
  bool Delete(std::wstring_view application, std::wstring_view section,
              std::wstring_view key) override;

 private:
  std::wstring SubKey(std::wstring_view application, std::wstring_view section) const;

  HKEY root_;
  std::wstring base_;
};

}  // namespace hop
