// Hands a path from the path menu to the open file-selection dialog.
#pragma once

namespace hop {

class MainWindow;

// The click handler of mnuPath element Index.
void DeliverPath(MainWindow& frmMain, int Index);

}  // namespace hop
