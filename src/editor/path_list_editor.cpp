#include "editor/path_list_editor.h"

#include "model/same_folder.h"

namespace hop {

void PathListEditor::Form_Load() {
  const std::size_t count = paths_.PathCount();
  for (std::size_t i = 1; i <= count; ++i) view_.AddItem(paths_.Caption(i));
  if (view_.ListCount() > 0) view_.SetListIndex(0);
  view_.SetAddEnabled(false);
  view_.SetDeleteEnabled(count > 0);
}

void PathListEditor::cboPaths_Change() {
  if (!view_.AddEnabled()) view_.SetAddEnabled(true);
  if (view_.DeleteEnabled()) view_.SetDeleteEnabled(false);
}

bool CanAddPath(const PathMenu& paths, const std::wstring& path) {
  if (path.empty() || paths.PathCount() >= PathMenu::kMaxPaths) return false;
  // The editor's list and the path menu hold the same paths at every moment (see the header),
  // so the menu is what every caller compares with.
  const std::size_t count = paths.PathCount();
  for (std::size_t k = 1; k <= count; ++k) {
    if (SameFolder(paths.Caption(k), path)) return false;
  }
  return true;
}

bool AddPath(PathMenu& paths, const std::wstring& path) {
  if (!CanAddPath(paths, path)) return false;
  const auto pos = static_cast<std::uint8_t>(paths.PathCount() + 1);
  return paths.AddMenuItem(pos, path);
}

void PathListEditor::cmdAdd_Click() {
  const std::wstring path = view_.Text();
  if (path.empty()) return;
  // With no selection the previous selection is entry 0, so some entry is always selected
  // afterwards and the enabled Delete has something to remove.
  const std::size_t previous = view_.ListIndex().value_or(0);
  if (AddPath(paths_, path)) {
    view_.SetListIndex(view_.AddItem(path));
  } else if (view_.ListCount() > 0) {
    view_.SetListIndex(previous < view_.ListCount() ? previous : 0);
  }
  view_.SetDeleteEnabled(view_.ListIndex().has_value());
  view_.SetAddEnabled(false);
}

void PathListEditor::cmdDelete_Click() {
  if (paths_.PathCount() == 0) return;
  const auto selected = view_.ListIndex();
  if (!selected || *selected >= view_.ListCount()) return;
  view_.RemoveItem(*selected);
  paths_.DeleteMenuItem(paths_.PathCount());
  SyncMenuCaptions();
  if (paths_.PathCount() > 0) {
    view_.SetListIndex(0);
  } else {
    // Nothing left to show: the deleted path must not stay in the edit field as if it were kept.
    view_.SetText(L"");
    view_.SetDeleteEnabled(false);
  }
}

void PathListEditor::Form_Unload() {
  SyncMenuCaptions();
}

void PathListEditor::SyncMenuCaptions() {
  const std::size_t count = paths_.PathCount();
  for (std::size_t i = 0; i < count && i < view_.ListCount(); ++i) {
    paths_.SetCaption(i + 1, view_.List(i));
  }
}

}  // namespace hop
