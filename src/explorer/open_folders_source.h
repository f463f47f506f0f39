// The "Open in Explorer" section: the folders Explorer's windows show, read when a menu opens.
#pragma once

#include "explorer/win32_explorer_windows.h"
#include "model/menu_model.h"

namespace hop {

class OpenFoldersSource final : public FolderSource {
 public:
  // Waits for Explorer on this (the GUI) thread, until the menu's deadline at the latest.
  MenuSection Collect(const SourceRead& read) override;

 private:
  ExplorerWindows windows_;
};

}  // namespace hop
