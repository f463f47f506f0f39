// The context-help texts of the editor window and its controls, by help topic.
#pragma once

#include <string_view>

namespace hop {

// The context-help topics: the window (and its label), then one per control.
enum HelpTopic : unsigned {
  kWindowTopic = 10,
  kPathsTopic = 11,
  kAddTopic = 12,
  kDeleteTopic = 13,
  kCloseTopic = 14,
};

// The text of a topic; empty for any other number.
std::wstring_view EditorHelpText(unsigned topic);

}  // namespace hop
