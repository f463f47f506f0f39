// What a file dialog of any process is and holds, read from its window structure: the
// file-name field, the signs of its kind, its folder view. Needs no desktop object, so the
// hotkey asks it too.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "delivery/dialog_kind.h"

namespace hop {

// What one pass over a dialog's descendants finds.
struct DialogSurvey {
  HWND root = nullptr;
  HWND field = nullptr;  // the file-name field, when it can take text
  bool saveStructure = false;
  bool openStructure = false;
  bool typeBox = false;
  HWND okButton = nullptr;
  HWND folderLabel = nullptr;
  HWND folderView = nullptr;
  HWND folderTree = nullptr;  // Browse for Folder's tree, when the dialog has no file-name field
};

DialogSurvey SurveyDialog(HWND root);
// Whether an earlier survey still tells the dialog as it is: it found a field or a tree, and
// these and the folder view are still inside the dialog, the field still taking text and the
// tree still shown. A dialog builds new windows when it changes (a new folder view for every
// move); the windows that tell its kind stay.
bool StillHolds(const DialogSurvey& survey);
// The signs of the dialog's kind, with the system's own dialog words; its texts are read
// without a message to the dialog's thread.
DialogSigns SignsOf(const DialogSurvey& survey);

std::wstring ClassOf(HWND window);
// The first descendant of the class, in the order the system lists descendants.
HWND ChildOfClass(HWND root, std::wstring_view className);
// A visible, enabled, writable edit control.
bool IsEditable(HWND window);
// The dialog's current folder view (a new one is built for every folder it moves to).
HWND FolderViewOf(HWND dialog);
// The dialog that holds the control (an inner dialog, when the file dialog is built from a
// nested template), or `dialog` itself.
HWND DialogHolding(HWND control, HWND dialog);

// The text of a control of any process, read with a bounded WM_GETTEXT; nullopt when it does
// not answer.
std::optional<std::wstring> ControlText(HWND control);
// The control that has the keyboard focus in the thread of `window`.
HWND FocusOf(HWND window);

}  // namespace hop
