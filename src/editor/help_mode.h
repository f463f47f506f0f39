// The editor's context help: F1 on the focused control, and the title bar's "?" button, after
// which the next click on a control shows its help. The texts come in a pop-up beside the
// control. The editor asks this class first about every message of its window.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "editor/help_popup.h"

namespace hop {

class HelpMode {
 public:
  explicit HelpMode(HINSTANCE instance) : popup_(instance) {}

  // The answer to a message of `form` when help takes it; nothing when the form handles it.
  std::optional<INT_PTR> OnMessage(HWND form, UINT message, WPARAM wParam, LPARAM lParam);
  // Sees the form's keys and clicks before the dialog manager does: a key or click closes the
  // pop-up, and Escape then does nothing more (it also leaves help mode). True when eaten.
  bool PreTranslate(HWND form, const MSG& message);
  // The help text on screen, empty when none is shown.
  std::wstring Shown() const { return popup_.IsShown() ? popup_.Text() : L""; }

 private:
  void Begin(HWND form);
  void End(HWND form);
  void OnClick(HWND form, POINT clientPoint);
  void ShowFor(HWND form, HWND control, POINT anchor);

  HelpPopup popup_;
  bool active_ = false;
};

}  // namespace hop
