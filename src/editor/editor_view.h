// What the editor's rules see of the editor window: the combo box cboPaths (its sorted list,
// selection and edit text) and the enabled states of cmdAdd and cmdDelete.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace hop {

class EditorView {
 public:
  virtual ~EditorView() = default;

  // The sorted list of cboPaths, entries indexed from 0.
  virtual std::size_t ListCount() const = 0;
  virtual std::wstring List(std::size_t index) const = 0;
  // Inserts text at its sorted place and returns the index it went in at.
  virtual std::size_t AddItem(const std::wstring& text) = 0;
  // Removes one entry; a selected entry leaves nothing selected.
  virtual void RemoveItem(std::size_t index) = 0;

  // The selected entry, if any. Selecting an entry puts its text into the edit field; selecting
  // is not an edit of the text.
  virtual std::optional<std::size_t> ListIndex() const = 0;
  virtual void SetListIndex(std::optional<std::size_t> index) = 0;

  // The text of the edit field. Setting it from code is not an edit either.
  virtual std::wstring Text() const = 0;
  virtual void SetText(const std::wstring& text) = 0;

  virtual bool AddEnabled() const = 0;
  virtual void SetAddEnabled(bool enabled) = 0;
  virtual bool DeleteEnabled() const = 0;
  virtual void SetDeleteEnabled(bool enabled) = 0;
};

}  // namespace hop
