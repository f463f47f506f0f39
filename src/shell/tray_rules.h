// What the three tray notifications do, given the state of the program.
#pragma once

#include <cstdint>
#include <string>

namespace hop {

enum class TrayNotification { PathMenu, ConfigMenu, Editor };
enum class TrayAction { None, PopupPathMenu, PopupConfigMenu, ShowEditor };

// The path menu needs paths and a hidden editor; the configuration menu a hidden editor; the
// editor notification always shows the editor.
TrayAction ActionFor(TrayNotification notification, std::uint8_t pathCount, bool editorVisible);

// The tray tip: the path count in decimal followed by " Hopdirs".
std::wstring TipText(std::uint8_t pathCount);

}  // namespace hop
