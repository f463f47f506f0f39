#include "editor/win32_editor_view.h"

#include "editor/editor_layout.h"
#include "win32/window_queries.h"

namespace hop {

class Win32EditorView::TextChange {
 public:
  explicit TextChange(Win32EditorView& view) : view_(view) { ++view_.changingText_; }
  TextChange(const TextChange&) = delete;
  TextChange& operator=(const TextChange&) = delete;
  ~TextChange() { --view_.changingText_; }

 private:
  Win32EditorView& view_;
};

Win32EditorView::Win32EditorView(HWND dialog)
    : combo_(::GetDlgItem(dialog, editor_layout::cboPaths)),
      add_(::GetDlgItem(dialog, editor_layout::cmdAdd)),
      delete_(::GetDlgItem(dialog, editor_layout::cmdDelete)) {}

std::size_t Win32EditorView::ListCount() const {
  const LRESULT count = ::SendMessageW(combo_, CB_GETCOUNT, 0, 0);
  return count > 0 ? static_cast<std::size_t>(count) : 0;
}

std::wstring Win32EditorView::List(std::size_t index) const {
  const LRESULT length = ::SendMessageW(combo_, CB_GETLBTEXTLEN, index, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      ::SendMessageW(combo_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

std::size_t Win32EditorView::AddItem(const std::wstring& text) {
  const LRESULT index =
      ::SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  // A failed insert reports an index past the end, which selects nothing.
  return index >= 0 ? static_cast<std::size_t>(index) : ListCount();
}

void Win32EditorView::RemoveItem(std::size_t index) {
  ::SendMessageW(combo_, CB_DELETESTRING, index, 0);
}

std::optional<std::size_t> Win32EditorView::ListIndex() const {
  const LRESULT index = ::SendMessageW(combo_, CB_GETCURSEL, 0, 0);
  if (index < 0) return std::nullopt;
  return static_cast<std::size_t>(index);
}

void Win32EditorView::SetListIndex(std::optional<std::size_t> index) {
  TextChange change(*this);
  ::SendMessageW(combo_, CB_SETCURSEL, index ? static_cast<WPARAM>(*index) : WPARAM(-1), 0);
}

std::wstring Win32EditorView::Text() const {
  return win32::WindowText(combo_);
}

void Win32EditorView::SetText(const std::wstring& text) {
  TextChange change(*this);
  ::SetWindowTextW(combo_, text.c_str());
}

bool Win32EditorView::AddEnabled() const {
  return ::IsWindowEnabled(add_);
}

void Win32EditorView::SetAddEnabled(bool enabled) {
  ::EnableWindow(add_, enabled);
}

bool Win32EditorView::DeleteEnabled() const {
  return ::IsWindowEnabled(delete_);
}

void Win32EditorView::SetDeleteEnabled(bool enabled) {
  ::EnableWindow(delete_, enabled);
}

}  // namespace hop
