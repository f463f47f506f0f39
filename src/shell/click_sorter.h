// Tells single left clicks on the tray icon from double clicks.
//
// A double click arrives as up, double-click, up. The first up starts a wait of one double-click
// time; a double click within it cancels the wait and raises the editor notification, and its
// trailing up is swallowed. When the wait ends without one, the click was single.
#pragma once

#include <optional>

#include "shell/tray_rules.h"

namespace hop {

class ClickSorter {
 public:
  enum class Event { LeftUp, LeftDoubleClick, WaitElapsed, ConfigRequest, KeySelect };
  struct Outcome {
    std::optional<TrayNotification> raise;
    bool startWait = false;
    bool stopWait = false;
  };

  Outcome On(Event event);

 private:
  bool waiting_ = false;
  bool swallowNextUp_ = false;
};

}  // namespace hop
