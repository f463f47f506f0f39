// What kind of file dialog a window is, told from what another process can see of it.
#pragma once

#include <string>
#include <vector>

namespace hop {

// The texts the system's own file dialogs show, in every UI language the system has, read from
// the system's dialog resources. Empty lists fall back to the English texts.
struct DialogWords {
  std::vector<std::wstring> open;    // the Open button, the "Look in:" label
  std::vector<std::wstring> save;    // the Save button, "Save in:", the Save titles
  std::vector<std::wstring> picker;  // the folder picker's title and button
};

// Where a dialog's first folder tree sits.
enum class TreePlace {
  None,
  OwnChild,        // directly on the dialog, as the old-style Browse for Folder has it
  ShellNameSpace,  // inside the new-style Browse for Folder's namespace control
  Elsewhere,       // deeper: the navigation pane of the common item dialogs
};

// Browse for Folder by its structure alone: its tree on the dialog or in the namespace control,
// and no DirectUI view. The Open and Save dialogs of Windows 10/11 hold a tree too, in their
// navigation pane, and would take Browse for Folder's messages for others of the same number.
bool IsFolderBrowser(TreePlace tree, bool directUi);

// The signs a file dialog shows of its kind. Structure is decisive where it differs (the
// Vista-style dialogs on Windows, the folder tree of Browse for Folder); otherwise only texts
// tell, and those are localized.
struct DialogSigns {
  bool saveStructure = false;  // the file name sits in the Save dialog's own view
  bool openStructure = false;  // the file-name combo box beside a shell view, as Open has it
  std::wstring okButton;       // the text of the button that confirms
  std::wstring folderLabel;    // the label of the folder box: "Look in:" or "Save in:"
  std::wstring title;
  bool folderTree = false;  // a folder tree and OK, but no file-name field: Browse for Folder
  DialogWords words;
  bool typeBox = false;  // a shown file-type box: the Open structure without one is a picker
};

enum class DialogKind { Open, Save, FolderPicker, BrowseForFolder };

// Structure first; words only break a tie, and only towards a kind that is not confirmed. Open
// only on positive evidence and none to the contrary: a dialog that cannot be told apart counts
// as a Save dialog, where a path is never confirmed on the user's behalf. A picker is never
// confirmed either.
DialogKind KindOf(const DialogSigns& signs);

}  // namespace hop
