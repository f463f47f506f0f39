// The rules of the path list editor (frmList): opening, the edit rule, Add, Delete and closing,
// over the path list and the editor's view.
//
// The editor works on a sorted copy of the path list in cboPaths. Add appends the new path as
// the last path menu item; Delete removes the last path menu item and then rewrites the
// captions from the sorted list. So at every moment the path menu holds exactly the paths the
// user sees, and a shut-down while the editor is open stores neither a deleted path nor loses
// a kept one. Closing rewrites the captions in the list's sorted order, the order they are
// stored in.
#pragma once

#include <string>

#include "editor/editor_view.h"
#include "model/path_menu.h"

namespace hop {

// Add's rule over the path list, for every way a path is added: a path goes in unless it is
// empty, already listed (the same folder or file: SameFolder) or the list is full.
bool CanAddPath(const PathMenu& paths, const std::wstring& path);
// Adds the path as Add does, as the last path menu item; false when CanAddPath refuses it.
bool AddPath(PathMenu& paths, const std::wstring& path);

class PathListEditor {
 public:
  PathListEditor(PathMenu& paths, EditorView& view) : paths_(paths), view_(view) {}

  // Fills cboPaths from the path menu, selects entry 0 and sets the initial button states.
  void Form_Load();
  // The user changed the edit text (typing, deleting, pasting).
  void cboPaths_Change();
  // Adds the edit text as a new path unless it is empty, a duplicate or the list is full.
  void cmdAdd_Click();
  // Removes the selected entry.
  void cmdDelete_Click();
  // Rewrites the path menu captions from the sorted list.
  void Form_Unload();

 private:
  void SyncMenuCaptions();

  PathMenu& paths_;
  EditorView& view_;
};

}  // namespace hop
