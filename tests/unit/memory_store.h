// The tests' settings store as plain data: the values of "Quorvane\Hopdirs" by key (those of
// its "Recent" key as "Recent\<key>") and a log of every operation, in order. Anything outside
// those sections is refused and logged with its full address.
#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "settings/settings_store.h"

namespace hop::test {

class MemoryStore final : public SettingsStore {
 public:
  std::map<std::wstring, std::wstring> values;
  std::vector<std::wstring> log;
  bool refuseWrites = false;

  std::optional<std::wstring> Get(std::wstring_view app, std::wstring_view section,
                                  std::wstring_view key) override {
    log.push_back(L"get " + Address(app, section, key));
    auto found = values.find(Name(section, key));
    if (!InOurSection(app, section) || found == values.end()) return std::nullopt;
    return found->second;
  }
  bool Save(std::wstring_view app, std::wstring_view section, std::wstring_view key,
            std::wstring_view text) override {
    log.push_back(L"save " + Address(app, section, key) + L"=" + std::wstring(text));
    if (refuseWrites || !InOurSection(app, section)) return false;
    values[Name(section, key)] = text;
    return true;
  }
  bool Delete(std::wstring_view app, std::wstring_view section, std::wstring_view key) override {
    log.push_back(L"delete " + Address(app, section, key));
    if (refuseWrites || !InOurSection(app, section)) return false;
    return values.erase(Name(section, key)) == 1;
  }
  // A beep that is written into the same log.
  std::function<void()> Beep() {
    return [this] { log.push_back(L"beep"); };
  }
  // How many times `key` was saved.
  int Saves(std::wstring_view key) const {
    const std::wstring entry = L"save " + std::wstring(key) + L"=";
    return static_cast<int>(std::count_if(
        log.begin(), log.end(), [&](const std::wstring& line) { return line.starts_with(entry); }));
  }

 private:
  static bool InOurSection(std::wstring_view app, std::wstring_view section) {
    return app == L"Quorvane" && (section == L"Hopdirs" || section == L"Hopdirs\\Recent");
  }
  static std::wstring Name(std::wstring_view section, std::wstring_view key) {
    return section == L"Hopdirs" ? std::wstring(key) : L"Recent\\" + std::wstring(key);
  }
  static std::wstring Address(std::wstring_view app, std::wstring_view section,
                              std::wstring_view key) {
    if (InOurSection(app, section)) return Name(section, key);
    return std::wstring(app) + L"\\" + std::wstring(section) + L"\\" + std::wstring(key);
  }
};

}  // namespace hop::test
