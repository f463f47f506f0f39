#include "model/menu_model.h"

#include <algorithm>

#include "model/same_folder.h"

namespace hop {

std::vector<MenuSection> ReadSections(std::span<FolderSource* const> sources,
                                      const std::wstring& program, std::chrono::milliseconds cap) {
  const SourceRead read{std::chrono::steady_clock::now() + cap, program};
  for (FolderSource* source : sources) source->Start();
  std::vector<MenuSection> sections;
  for (FolderSource* source : sources) sections.push_back(source->Collect(read));
  return sections;
}

Menu::Menu(const PathMenu& paths, std::vector<MenuSection> sections)
    : heading_(paths.Caption(0)), pathCount_(paths.PathCount()) {
  for (const std::wstring& path : paths.Paths()) choices_.push_back({path, Origin::Favourite});
  const auto listed = [&](const std::wstring& folder) {
    return std::any_of(choices_.begin(), choices_.end(),
                       [&](const Choice& c) { return SameFolder(c.path, folder); });
  };
  for (MenuSection& section : sections) {
    std::vector<std::wstring> kept;
    for (std::wstring& folder : section.folders) {
      if (kept.size() == section.limit) break;
      if (folder.empty() || listed(folder)) continue;
      choices_.push_back({folder, section.origin});
      kept.push_back(std::move(folder));
    }
    section.folders = std::move(kept);
    if (!section.folders.empty()) sections_.push_back(std::move(section));
  }
}

std::vector<MenuRow> Menu::Rows(bool digits) const {
  std::vector<MenuRow> rows{{MenuRow::Kind::Heading, heading_, 0}};
  std::size_t n = 0;
  const auto entry = [&] {
    const std::wstring& path = choices_[n].path;
    const auto id = static_cast<unsigned>(kFirstId + n);
    ++n;
    rows.push_back(
        {MenuRow::Kind::Entry, digits ? DigitCaption(n, path) : MenuDisplayText(path), id});
  };
  while (n < pathCount_) entry();
  for (const MenuSection& section : sections_) {
    rows.push_back({MenuRow::Kind::Separator, L"", 0});
    rows.push_back({MenuRow::Kind::Heading, section.heading, 0});
    for (std::size_t j = 0; j < section.folders.size(); ++j) entry();
  }
  return rows;
}

std::optional<Choice> Menu::ChoiceFor(unsigned id) const {
  if (id < kFirstId || id - kFirstId >= choices_.size()) return std::nullopt;
  Choice choice = choices_[id - kFirstId];
  // A section's entry is handed on as a folder, with its backslash: one that has become a file
  // since (or an archive the shell browsed into) then checks as missing and is never opened.
  if (choice.origin != Origin::Favourite && !choice.path.ends_with(L'\\')) choice.path += L'\\';
  return choice;
}

std::wstring DigitCaption(std::size_t k, std::wstring_view path) {
  const std::wstring text = MenuDisplayText(path);
  if (k < 1 || k > Menu::kDigits) return text;
  return L"&" + std::to_wstring(k % 10) + L" " + text;
}

}  // namespace hop
