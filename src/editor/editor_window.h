// frmList: the path list editor window. A modeless dialog of its own window class (so it is
// never taken for a file dialog), owned by the hidden main window (so it has no taskbar button),
// laid out from its design in twips at the real DPI. The rules it follows are PathListEditor's.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "editor/help_mode.h"
#include "model/path_menu.h"
#include "win32/unique_handle.h"
#include "win32/window_class.h"
#include "win32/window_owner.h"

namespace hop {

class PathListEditor;
class Win32EditorView;

class EditorWindow {
 public:
  static constexpr const wchar_t* kClassName = L"HopdirsList";

  // The window is owned by `owner` and shows `icon` and `smallIcon` (which must outlive it); it
  // edits `paths`, and `onClosed` runs each time it has closed, the path list then final.
  EditorWindow(HWND owner, HICON icon, HICON smallIcon, PathMenu& paths,
               std::function<void()> onClosed);
  EditorWindow(const EditorWindow&) = delete;
  EditorWindow& operator=(const EditorWindow&) = delete;
  ~EditorWindow();

  // Loads the window if needed and shows it modeless, or brings it to the front.
  void Show();
  bool IsVisible() const;
  // Closes the window if it is open; its closing step runs.
  void Unload();
  HWND hwnd() const { return window_.get(); }

  // Gives the window its keyboard interface (Tab, Enter, Escape, mnemonics). The message
  // loop calls it for every message; true when the message has been handled.
  bool PreTranslateMessage(MSG& message);

  // The help text on screen, empty when none is shown.
  std::wstring HelpShown() const;

 private:
  friend struct win32::ThunkAccess;
  void Attach(HWND hwnd);
  void Detach();
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Form_Load();
  void Form_Unload();
  void CreateControls();
  void Layout(UINT dpi);
  void OnCommand(int id, int code);
  void KeepFocusUsable();

  HWND owner_;
  HICON icon_;
  HICON smallIcon_;
  PathMenu& paths_;
  std::function<void()> onClosed_;
  win32::WindowClass windowClass_;
  win32::UniqueWindow window_;
  win32::UniqueFont font_;
  std::unique_ptr<Win32EditorView> view_;
  std::unique_ptr<PathListEditor> rules_;
  HelpMode help_;
};

}  // namespace hop
