// The main window's delivery state on the real desktop: the window tree the finder walks and
// the delivery that owns the finder and FoundWindows, both living as long as the program.
#pragma once

#include "delivery/path_delivery.h"
#include "delivery/win32_window_tree.h"

namespace hop {

class DeliveryState {
 public:
  Win32WindowTree tree;
  PathDelivery delivery{tree};
};

}  // namespace hop
