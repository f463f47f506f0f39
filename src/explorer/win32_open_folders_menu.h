// The section both path menus end with while Explorer shows folders.
#pragma once

#include <windows.h>

#include <span>
#include <string>

namespace hop {

// After the paths: a separator, the disabled heading "Open in Explorer", then one item per
// caption (identifiers from kFirstOpenFolderId, at most kMaxOpenFolders). Nothing at all when
// there are no captions, so the menu stays as it is without Explorer.
void AppendOpenFolders(HMENU menu, std::span<const std::wstring> captions);

}  // namespace hop
