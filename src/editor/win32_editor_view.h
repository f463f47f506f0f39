// The editor's view over the real controls: the combo box cboPaths and the buttons cmdAdd and
// cmdDelete of the editor window.
#pragma once

#include <windows.h>

#include "editor/editor_view.h"

namespace hop {

class Win32EditorView final : public EditorView {
 public:
  explicit Win32EditorView(HWND dialog);

  // True while the view itself is changing the edit text, whose change notifications are then
  // not edits by the user.
  bool ChangingText() const { return changingText_ > 0; }

  std::size_t ListCount() const override;
  std::wstring List(std::size_t index) const override;
  std::size_t AddItem(const std::wstring& text) override;
  void RemoveItem(std::size_t index) override;
  std::optional<std::size_t> ListIndex() const override;
  void SetListIndex(std::optional<std::size_t> index) override;
  std::wstring Text() const override;
  void SetText(const std::wstring& text) override;
  bool AddEnabled() const override;
  void SetAddEnabled(bool enabled) override;
  bool DeleteEnabled() const override;
  void SetDeleteEnabled(bool enabled) override;

 private:
  class TextChange;

  HWND combo_;
  HWND add_;
  HWND delete_;
  int changingText_ = 0;
};

}  // namespace hop
