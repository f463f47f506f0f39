// frmAboutBox: the modal about box. It has a window class of its own, so a search for the
// standard dialogs never finds it, and real static and button controls, so screen readers and
// UI automation can read every text.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "win32/twips.h"
#include "win32/unique_handle.h"
#include "win32/window_class.h"
#include "win32/window_owner.h"

namespace hop {

class AboutWindow {
 public:
  static constexpr const wchar_t* kClassName = L"HopdirsAbout";

  // The box is owned by `owner` and shows `icon`, which must outlive it.
  AboutWindow(HWND owner, HICON icon);
  AboutWindow(const AboutWindow&) = delete;
  AboutWindow& operator=(const AboutWindow&) = delete;
  ~AboutWindow() { Unload(); }

  // Loads, fills and shows the box modally over the program's windows, with `specificText` as
  // its specific information; returns once it is closed. Each showing computes every figure
  // afresh. While it is open, a second call returns at once.
  void Show(std::wstring_view specificText);
  bool IsVisible() const { return hwnd_ && ::IsWindowVisible(hwnd_); }
  // Closes the box if it is open (the modal showing then returns).
  void Unload();
  HWND hwnd() const { return hwnd_; }

 private:
  friend struct win32::ThunkAccess;
  void Attach(HWND hwnd);
  void Detach();
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool Form_Load(std::wstring_view specificText);
  void RunModal();
  int Pixels(double twips) const;
  void LayOut(UINT dpi);
  void Centre();
  int TextWidth(int id) const;
  void FitMemoryFigure();
  void PaintRule(HDC dc) const;
  void EnableOthers();

  HWND owner_;
  HICON icon_;
  win32::WindowClass windowClass_;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  HWND hwnd_ = nullptr;
  win32::UniqueFont font_;
  std::vector<HWND> disabled_;
};

}  // namespace hop
