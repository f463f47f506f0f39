#include "shell/tray_rules.h"

namespace hop {

TrayAction ActionFor(TrayNotification notification, std::uint8_t pathCount, bool editorVisible) {
  switch (notification) {
    case TrayNotification::PathMenu:
      return pathCount > 0 && !editorVisible ? TrayAction::PopupPathMenu : TrayAction::None;
    case TrayNotification::ConfigMenu:
      return editorVisible ? TrayAction::None : TrayAction::PopupConfigMenu;
    case TrayNotification::Editor:
      return TrayAction::ShowEditor;
  }
  return TrayAction::None;
}

std::wstring TipText(std::uint8_t pathCount) {
  return std::to_wstring(pathCount) + L" Hopdirs";
}

}  // namespace hop
