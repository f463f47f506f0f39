// The folder a file dialog of another process shows, read without changing anything in it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace hop {

// The existing file-system folder `dialog` (a top-level file dialog) shows; nothing when it
// cannot be read within a bound, or is no such folder (a library, "This PC", a share gone).
//   - Classic dialogs answer CDM_GETFOLDERPATH into a buffer in their own process.
//   - Vista-style dialogs on Windows that do not, show the folder in the address bar's
//     breadcrumb toolbar: a localized prefix and the path, or a known folder's friendly name.
//     Wine's have neither: unread. The navigation pane's tree is never read.
//   - Browse for Folder: the path of the tree's selected item, built from the items' texts.
std::optional<std::wstring> ReadDialogFolder(HWND dialog);

}  // namespace hop
