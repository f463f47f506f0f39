#include "shell/click_sorter.h"

namespace hop {

ClickSorter::Outcome ClickSorter::On(Event event) {
  switch (event) {
    case Event::LeftUp:
      if (swallowNextUp_) {
        swallowNextUp_ = false;
        return {};
      }
      waiting_ = true;
      return {.startWait = true};
    case Event::LeftDoubleClick:
      waiting_ = false;
      swallowNextUp_ = true;
      return {.raise = TrayNotification::Editor, .stopWait = true};
    case Event::WaitElapsed: {
      const bool wasWaiting = waiting_;
      waiting_ = false;
      swallowNextUp_ = false;
      if (!wasWaiting) return {.stopWait = true};
      return {.raise = TrayNotification::PathMenu, .stopWait = true};
    }
    case Event::ConfigRequest:
      waiting_ = false;
      return {.raise = TrayNotification::ConfigMenu, .stopWait = true};
    case Event::KeySelect:
      waiting_ = false;
      return {.raise = TrayNotification::PathMenu, .stopWait = true};
  }
  return {};
}

}  // namespace hop
