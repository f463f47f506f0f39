// Whether a file dialog opens or saves, told from what another process can see of it.
#pragma once

#include <string>

namespace hop {

// The signs a file dialog shows of its kind. Structure is decisive where it differs (the
// Vista-style dialogs on Windows); otherwise only texts tell, and those are localized.
struct DialogSigns {
  bool saveStructure = false;  // the file name sits in the Save dialog's own view
  bool openStructure = false;  // the file-name combo box beside a shell view, as Open has it
  std::wstring okButton;       // the text of the button that confirms
  std::wstring folderLabel;    // the label of the folder box: "Look in:" or "Save in:"
};

enum class DialogKind { Open, Save };

// Open only on positive evidence and none to the contrary: a dialog that cannot be told apart
// counts as a Save dialog, where a path is never confirmed on the user's behalf.
DialogKind KindOf(const DialogSigns& signs);

}  // namespace hop
