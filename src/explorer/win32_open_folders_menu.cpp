#include "explorer/win32_open_folders_menu.h"

#include "explorer/open_folders.h"

namespace hop {

void AppendOpenFolders(HMENU menu, std::span<const std::wstring> captions) {
  if (captions.empty()) return;
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  const std::wstring heading(kOpenFoldersHeading);
  ::AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, heading.c_str());
  for (std::size_t j = 0; j < captions.size() && j < kMaxOpenFolders; ++j)
    ::AppendMenuW(menu, MF_STRING, kFirstOpenFolderId + j, captions[j].c_str());
}

}  // namespace hop
