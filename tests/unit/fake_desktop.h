// A desktop as plain data that acts on the keys it is sent the way a file dialog does: Alt+N
// focuses the file-name field (when the dialog has that mnemonic), characters and pastes replace
// the selection, Enter either navigates (clearing the field) or closes the dialog, and Backspace
// edits whatever has the focus, which may be the application behind a closed dialog.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "delivery/desktop.h"
#include "fake_window_tree.h"

namespace hop::testing {

class FakeDesktop : public Desktop {
 public:
  using Clipboard = std::map<int, std::string>;  // format -> bytes
  static constexpr int kUnicodeText = 13;

  explicit FakeDesktop(FakeWindowTree& tree) : tree_(tree) {}

  // The world.
  WindowHandle foreground = 0;
  std::map<WindowHandle, WindowHandle> focus;       // top-level window -> focused control
  std::map<WindowHandle, std::wstring> text;        // edit control -> text
  std::map<WindowHandle, bool> selected;            // edit control -> whole text selected
  std::map<WindowHandle, WindowHandle> fileField;   // dialog -> its file-name field
  std::map<WindowHandle, bool> altN;                // dialog -> Alt+N reaches the field
  std::map<WindowHandle, WindowHandle> altNButton;  // dialog -> the button Alt+N presses
  Clipboard clipboard{{kUnicodeText, "before"}, {49161, "\x01\x02"}};
  bool clipboardLocked = false;
  bool activationRefused = false;
  bool enterCloses = false;   // Enter on a file: the dialog closes
  bool pasteIgnored = false;  // the field never takes the paste
  WindowHandle behind = 0;    // gets the foreground when the dialog closes

  // What happened.
  std::vector<std::vector<KeyChord>> sent;
  std::vector<bool> pointer;  // busy/default in order
  std::vector<Clipboard> clipboardDuringPaste;
  std::vector<WindowHandle> pressed;  // buttons pressed by their mnemonic
  int restores = 0;

  void SetBusyPointer(bool busy) override { pointer.push_back(busy); }

  WindowHandle Activate(WindowHandle window) override {
    if (!tree_.Exists(window)) return 0;
    const WindowHandle root = tree_.Root(window);
    if (activationRefused || tree_[window].title.empty()) return 0;
    foreground = root;
    return root;
  }
  bool IsForeground(WindowHandle topLevel) override {
    return foreground == topLevel && tree_.Exists(topLevel);
  }
  WindowHandle FileNameField(WindowHandle dialog) override {
    auto it = fileField.find(dialog);
    return it == fileField.end() ? 0 : it->second;
  }
  bool WaitForFocus(WindowHandle dialog, WindowHandle field) override {
    return focus[dialog] == field;
  }
  WindowHandle FocusedEdit(WindowHandle dialog) override {
    const WindowHandle f = focus[dialog];
    return text.count(f) ? f : 0;
  }
  void FocusField(WindowHandle dialog, WindowHandle field) override { focus[dialog] = field; }
  void SelectAll(WindowHandle field) override { selected[field] = true; }
  bool WaitForText(WindowHandle field, std::wstring_view want) override {
    return text[field] == want;
  }
  void WaitForEnterTaken(WindowHandle, WindowHandle, std::wstring_view) override {}

  bool SendKeys(std::span<const KeyChord> keys) override {
    sent.emplace_back(keys.begin(), keys.end());
    for (const auto& chord : keys) Press(chord);
    return true;
  }

  bool SaveClipboard() override {
    if (clipboardLocked) return false;
    saved_ = clipboard;
    return true;
  }
  bool SetClipboardText(std::wstring_view value) override {
    clipboard = {{kUnicodeText, std::string(value.begin(), value.end())}};
    return true;
  }
  bool RestoreClipboard() override {
    ++restores;
    clipboard = saved_;
    return true;
  }

 private:
  void Press(const KeyChord& chord) {
    const WindowHandle target = focus[foreground];
    if (chord.modifiers.alt && chord.character == L'n') {
      if (altN[foreground]) {
        focus[foreground] = fileField[foreground];
      } else if (auto button = altNButton.find(foreground); button != altNButton.end()) {
        pressed.push_back(button->second);
      }
    } else if (chord.modifiers.ctrl && chord.character == L'v') {
      clipboardDuringPaste.push_back(clipboard);
      if (!pasteIgnored) {
        const auto& bytes = clipboard[kUnicodeText];
        Insert(target, std::wstring(bytes.begin(), bytes.end()));
      }
    } else if (chord.key == NamedKey::Enter) {
      if (enterCloses) {
        tree_.Destroy(foreground);
        foreground = behind;
      } else {
        text[target].clear();
      }
    } else if (chord.key == NamedKey::Backspace) {
      if (!text[target].empty()) text[target].pop_back();
    } else if (chord.key == NamedKey::None) {
      Insert(target, std::wstring(1, chord.character));
    }
  }
  void Insert(WindowHandle target, const std::wstring& value) {
    if (selected[target]) text[target].clear();
    selected[target] = false;
    text[target] += value;
  }

  FakeWindowTree& tree_;
  Clipboard saved_;
};

}  // namespace hop::testing
