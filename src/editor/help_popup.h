// A small pop-up that shows one context-help text next to a control, as a help file's pop-up
// topic would. It never takes the activation; the editor closes it on the next click or key.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "win32/unique_handle.h"
#include "win32/window_class.h"
#include "win32/window_owner.h"

namespace hop {

class HelpPopup {
 public:
  static constexpr const wchar_t* kClassName = L"HopdirsHelpPopup";

  explicit HelpPopup(HINSTANCE instance);
  HelpPopup(const HelpPopup&) = delete;
  HelpPopup& operator=(const HelpPopup&) = delete;

  // Shows text with its top-left corner at anchor (screen pixels), kept on the monitor.
  void Show(HWND owner, HFONT font, std::wstring_view text, POINT anchor);
  void Hide() { window_.reset(); }
  bool IsShown() const { return window_ && ::IsWindowVisible(window_.get()); }
  HWND hwnd() const { return window_.get(); }
  const std::wstring& Text() const { return text_; }

 private:
  friend struct win32::ThunkAccess;
  void Attach(HWND hwnd);
  void Detach();
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HWND hwnd);
  RECT TextRect(HDC dc, int maxWidth) const;

  win32::WindowClass windowClass_;
  win32::UniqueWindow window_;
  HFONT font_ = nullptr;
  std::wstring text_;
  int padding_ = 6;
};

}  // namespace hop
