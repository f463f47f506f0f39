#include "settings/recent_settings.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "model/same_folder.h"
#include "settings/path_list_settings.h"

namespace hop {
namespace {

constexpr std::size_t kLongestPath = 32767;  // Windows' own limit for a path
constexpr std::size_t kLongestName = 255;    // a program's file name
constexpr wchar_t kBar = L'|';

std::wstring RecentKey(std::size_t k) {
  return L"R" + std::to_wstring(k);
}

std::size_t ReadMax(SettingsStore& store) {
  const auto text = store.Get(kSettingsApplication, kSettingsSection, L"RecentMax");
  if (!text || text->empty() ||
      !std::all_of(text->begin(), text->end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
    return RecentFolders::kDefaultMax;
  std::size_t max = 0;
  for (wchar_t c : *text)  // saturates: no overflow
    max = std::min<std::size_t>(max * 10 + static_cast<std::size_t>(c - L'0'), 1000);
  return max;
}

std::wstring StoredText(const RecentFolder& entry) {
  return entry.folder + kBar + entry.program;
}

// The entry a stored text makes: nothing when it makes none.
std::optional<RecentFolder> Parse(const std::wstring& text) {
  const std::size_t bar = text.rfind(kBar);
  RecentFolder entry{text.substr(0, bar), bar == std::wstring::npos ? L"" : text.substr(bar + 1)};
  if (entry.folder.empty() || entry.folder.size() > kLongestPath ||
      entry.folder.find(kBar) != std::wstring::npos)
    return std::nullopt;
  if (entry.program.size() > kLongestName) entry.program.clear();
  return entry;
}

std::vector<std::wstring> StoredTexts(SettingsStore& store) {
  std::vector<std::wstring> texts;
  while (auto text = store.Get(kSettingsApplication, kRecentSection, RecentKey(texts.size() + 1)))
    texts.push_back(std::move(*text));
  return texts;
}

}  // namespace

RecentFolders ReadRecentSettings(SettingsStore& store) {
  RecentFolders recent(ReadMax(store));
  const std::vector<std::wstring> stored = StoredTexts(store);
  std::vector<RecentFolder> kept;
  for (const std::wstring& text : stored) {
    const auto entry = Parse(text);
    const bool repeated = entry && std::any_of(kept.begin(), kept.end(), [&](const auto& e) {
                            return SameFolder(e.folder, entry->folder);
                          });
    if (entry && !repeated && kept.size() < recent.Max()) kept.push_back(*entry);
  }
  // Recorded oldest first, so the newest ends up first.
  for (auto e = kept.rbegin(); e != kept.rend(); ++e) recent.Record(e->folder, e->program);
  std::vector<std::wstring> clean;
  for (const RecentFolder& e : recent.Entries()) clean.push_back(StoredText(e));
  if (clean != stored) WriteRecentSettings(store, recent);
  return recent;
}

void WriteRecentSettings(SettingsStore& store, const RecentFolders& recent) {
  const auto& entries = recent.Entries();
  for (std::size_t k = 1; k <= entries.size(); ++k)
    store.Save(kSettingsApplication, kRecentSection, RecentKey(k), StoredText(entries[k - 1]));
  for (std::size_t k = entries.size() + 1;
       store.Get(kSettingsApplication, kRecentSection, RecentKey(k)); ++k)
    store.Delete(kSettingsApplication, kRecentSection, RecentKey(k));
}

}  // namespace hop
