// The context-help texts of the editor window and its controls, by help topic.
#pragma once

#include <string_view>

namespace hop {

// The text of topic 10 (the window and its label) to 14 (cmdClose); empty for any other topic.
std::wstring_view EditorHelpText(unsigned topic);

}  // namespace hop
