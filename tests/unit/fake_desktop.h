// A desktop as plain data whose file dialogs act on what they are sent the way the platform's
// do: characters and pastes replace the selection; Enter on an existing folder moves the
// dialog (classic dialogs empty the field, others keep it, some build a new field); Enter on
// a file returns it; a Save dialog also returns a missing name (with ".txt"), as a real one
// does.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "delivery/desktop.h"
#include "fake_window_tree.h"

namespace hop::testing {

class FakeDesktop : public Desktop {
 public:
  using Clipboard = std::map<int, std::string>;  // format -> bytes
  static constexpr int kUnicodeText = 13;

  explicit FakeDesktop(FakeWindowTree& tree) : tree_(tree) {}

  // The world, by top-level window.
  std::set<WindowHandle> hidden, disabled, cloaked, clearsOnMove, newFieldOnMove;
  std::map<WindowHandle, std::wstring> shows;       // dialog -> the folder it shows, when readable
  std::map<WindowHandle, WindowHandle> folderTree;  // Browse for Folder -> its tree
  std::map<WindowHandle, WindowHandle> fileField;   // dialog -> its file-name field
  std::map<WindowHandle, DialogSigns> signs;
  std::map<WindowHandle, std::uint32_t> integrity;
  std::optional<std::uint32_t> ownIntegrity = 0x2000;
  std::map<std::wstring, PathKind> paths;  // anything else is missing
  WindowHandle foreground = 0;
  std::map<WindowHandle, WindowHandle> focus;  // top-level window -> focused control
  std::map<WindowHandle, std::wstring> text;   // edit -> text
  std::map<WindowHandle, bool> selected;       // edit -> whole text selected
  Clipboard clipboard{{kUnicodeText, "before"}, {49161, "\x01\x02"}};
  bool clipboardHeld = false, restoreFails = false, pasteIgnored = false;
  bool clipboardSlow = false, pasteTimesOut = false, modifiersHeld = false;
  bool pressOutstanding = false;
  bool treeOutside = false;  // Browse for Folder's tree is rooted away from every path  // the
                             // dialog is still acting on its default button

  // What happened.
  std::vector<std::vector<KeyChord>> sent;
  std::vector<bool> pointer;  // busy/default in order
  std::vector<Clipboard> clipboardDuringPaste;
  std::map<WindowHandle, std::wstring> returned;  // dialog -> the name it returned
  std::map<WindowHandle, std::wstring> movedTo;
  std::map<WindowHandle, std::wstring> treeSelected;  // Browse for Folder -> the folder

  void SetBusyPointer(bool busy) override { pointer.push_back(busy); }
  Candidate Inspect(WindowHandle match) override {
    if (!tree_.Exists(match)) return {};
    const WindowHandle root = tree_.Root(match);
    return {root,
            !hidden.count(root),
            !disabled.count(root),
            cloaked.count(root) != 0,
            FileNameField(root),
            folderTree.count(root) ? folderTree[root] : 0};
  }
  DialogSigns SignsOf(WindowHandle dialog) override { return signs[dialog]; }
  std::optional<std::uint32_t> OwnIntegrity() override { return ownIntegrity; }
  std::optional<std::uint32_t> IntegrityOf(WindowHandle window) override {
    const auto it = integrity.find(window);
    if (it == integrity.end()) return std::nullopt;
    return it->second;
  }
  PathKind KindOfPath(std::wstring_view path) override {
    const auto it = paths.find(std::wstring(path));
    return it == paths.end() ? PathKind::Missing : it->second;
  }
  std::optional<std::wstring> FolderOf(WindowHandle dialog) override {
    if (!shows.count(dialog)) return std::nullopt;
    return shows[dialog];
  }
  TreeSelection SelectFolder(WindowHandle dialog, std::wstring_view folder) override {
    if (treeOutside) return TreeSelection::Outside;
    treeSelected[dialog] = folder;
    return TreeSelection::Shown;
  }
  WindowHandle Activate(WindowHandle topLevel) override {
    if (!tree_.Exists(topLevel) || hidden.count(topLevel)) return 0;
    return foreground = topLevel;
  }
  bool IsForeground(WindowHandle topLevel) override {
    return foreground == topLevel && tree_.Exists(topLevel);
  }
  WindowHandle FileNameField(WindowHandle dialog) override {
    const auto it = fileField.find(dialog);
    return it == fileField.end() ? 0 : it->second;
  }
  bool FocusField(WindowHandle dialog, WindowHandle field) override {
    focus[dialog] = field;
    return selected[field] = true;
  }
  std::optional<std::wstring> FieldText(WindowHandle field) override { return text[field]; }
  bool SetFieldText(WindowHandle field, std::wstring_view value) override {
    text[field] = value;
    return selected[field] = true;
  }
  bool WaitForText(WindowHandle field, std::wstring_view want) override {
    return text[field] == want;
  }
  void WatchForMove(WindowHandle) override { movedTo.clear(); }
  Answer WaitForAnswer(WindowHandle dialog, WindowHandle) override {
    if (!tree_.Exists(dialog)) return Answer::Closed;
    if (movedTo.count(dialog)) return Answer::Moved;
    return stayed_ ? Answer::Stayed : Answer::NoSign;
  }
  bool WaitForModifiersReleased() override { return !modifiersHeld; }
  bool SendKeys(std::span<const KeyChord> keys) override {
    sent.emplace_back(keys.begin(), keys.end());
    for (const auto& chord : keys) Press(chord);
    return true;
  }
  Confirmation PressDefault(WindowHandle dialog) override {
    if (!IsForeground(dialog)) return Confirmation::NotPressed;
    const KeyChord enter{.key = NamedKey::Enter};
    SendKeys(std::span(&enter, 1));
    return pressOutstanding ? Confirmation::Outstanding : Confirmation::Handled;
  }
  bool PasteInto(WindowHandle field) override {
    clipboardDuringPaste.push_back(clipboard);
    const auto& bytes = clipboard[kUnicodeText];
    if (!pasteIgnored && !pasteTimesOut) Insert(field, std::wstring(bytes.begin(), bytes.end()));
    return !pasteTimesOut;
  }
  void StartClipboardSave() override {}
  ClipboardSave SaveClipboard() override {
    if (clipboardHeld) return ClipboardSave::Held;
    if (clipboardSlow) return ClipboardSave::TooSlow;
    saved_ = clipboard;
    return ClipboardSave::Saved;
  }
  bool SetClipboardText(std::wstring_view value) override {
    clipboard = {{kUnicodeText, std::string(value.begin(), value.end())}};
    return true;
  }
  bool RestoreClipboard() override {
    if (restoreFails) return false;
    if (saved_) clipboard = *std::exchange(saved_, std::nullopt);
    return true;
  }
  void ForgetClipboard() override { saved_.reset(); }

 private:
  void Press(const KeyChord& chord) {
    const WindowHandle field = focus[foreground];
    if (chord.key == NamedKey::None) {
      Insert(field, std::wstring(1, chord.character));
    } else if (chord.key == NamedKey::Enter) {
      Enter(foreground, field);
    }
  }
  void Enter(WindowHandle dialog, WindowHandle field) {
    const std::wstring name = text[field];
    const bool folder = !name.empty() && name.back() == L'\\';
    PathKind kind = KindOfPath(name);
    if (kind == PathKind::Missing && folder) kind = KindOfPath(name.substr(0, name.size() - 1));
    stayed_ = kind == PathKind::Folder && shows.count(dialog) && shows[dialog] + L"\\" == name;
    if (stayed_) return;  // already there: nothing changes at all
    if (kind == PathKind::Folder) {
      movedTo[dialog] = name;
      if (clearsOnMove.count(dialog)) text[field].clear();
      if (newFieldOnMove.count(dialog)) {
        tree_.Destroy(field);
        focus[dialog] = fileField[dialog] = tree_.Add(dialog, L"", L"Edit", 1001);
      }
    } else if (kind == PathKind::File || (!folder && signs[dialog].okButton == L"&Save")) {
      returned[dialog] = kind == PathKind::File ? name : name + L".txt";
      tree_.Destroy(dialog);
    }
  }
  void Insert(WindowHandle field, const std::wstring& value) {
    if (selected[field]) text[field].clear();
    selected[field] = false;
    text[field] += value;
  }

  FakeWindowTree& tree_;
  std::optional<Clipboard> saved_;
  bool stayed_ = false;
};

}  // namespace hop::testing
