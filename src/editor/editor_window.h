// frmList: the path list editor window.
#pragma once

#include <windows.h>

namespace hop {

class MainWindow;

class EditorWindow {
 public:
  explicit EditorWindow(MainWindow& frmMain);
  EditorWindow(const EditorWindow&) = delete;
  EditorWindow& operator=(const EditorWindow&) = delete;
  ~EditorWindow();

  // Loads the window if needed and shows it modeless, or brings it to the front.
  void Show();
  bool IsVisible() const;
  // Closes the window if it is open.
  void Unload();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  MainWindow& frmMain_;
  HWND hwnd_ = nullptr;
};

}  // namespace hop
