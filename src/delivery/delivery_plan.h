// What a delivery puts into a dialog's field for a path, by what the path names and what kind
// of dialog it goes to, and how a relative path is read.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "delivery/desktop.h"
#include "delivery/dialog_kind.h"

namespace hop {

// What goes into the field before Enter, and what the field holds once the dialog has moved.
struct DeliveryPlan {
  std::wstring typed;
  bool selectInTree = false;  // `typed` is the folder Browse for Folder's tree selects instead
  bool confirm = true;        // Enter is pressed after typing
  bool expectClose = false;   // Enter returns the file: the dialog closes
  // After the move: the field's earlier text is put back, or this name is left, selected.
  std::optional<std::wstring> leaveName;
};

// Folders are typed with a trailing backslash, so Enter can only change the folder. A file is
// opened by an Open dialog; a Save dialog only moves to its folder and is left holding its name
// for the user to confirm, with the application's own overwrite prompt. A folder picker and
// Browse for Folder are shown the folder (a file's own folder) and never confirmed. A path that
// could not be checked is typed as stored and confirmed in an Open dialog only.
DeliveryPlan PlanFor(std::wstring_view path, PathKind kind, DialogKind dialog);

// A path that names no drive, share, root or shell location: it is read against a folder.
bool IsRelative(std::wstring_view path);
// The relative path read against the folder, with its "." and ".." steps taken.
std::wstring Resolved(std::wstring_view folder, std::wstring_view relative);

// "shell:Downloads" and "::{CLSID}" name places in the shell's namespace, not in the file
// system: they cannot be checked as files, and file dialogs go there as to a folder.
bool IsShellLocation(std::wstring_view path);

// Whether a folder tree's item, by its text, is the folder: its last name ("alpha" for
// C:\x\alpha), or a drive's root as the tree names it ("Local Disk (C:)" or "C:\").
bool TreeItemNames(std::wstring_view itemText, std::wstring_view folder);

}  // namespace hop
