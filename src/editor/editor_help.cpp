#include "editor/editor_help.h"

namespace hop {

std::wstring_view EditorHelpText(unsigned topic) {
  switch (topic) {
    case kWindowTopic:
      return L"Keeps your list of favourite folders and files. Each path in the list appears in "
             L"the menu of the Hopdirs tray icon; choosing it there makes the open file dialog "
             L"jump to it. Your changes are saved when Hopdirs exits.";
    case kPathsTopic:
      return L"Type a folder or file path here and choose Add to put it in the list, or open the "
             L"list and pick a path to delete it. The list is kept in alphabetical order.";
    case kAddTopic:
      return L"Adds the path typed in the box to the list, unless the list holds it already. "
             L"Enter does the same.";
    case kDeleteTopic:
      return L"Removes the selected path from the list.";
    case kCloseTopic:
      return L"Closes this window. The paths stay in the tray icon's menu. Esc does the same.";
    default:
      return {};
  }
}

}  // namespace hop
