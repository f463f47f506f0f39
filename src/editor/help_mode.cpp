#include "editor/help_mode.h"

#include "editor/editor_help.h"

namespace hop {
namespace {

bool IsMouseDown(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
      return true;
    default:
      return false;
  }
}

void ShowHelpCursor() {
  ::SetCursor(::LoadCursorW(nullptr, IDC_HELP));
}

POINT ClientPoint(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

std::optional<INT_PTR> HelpMode::OnMessage(HWND form, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != SC_CONTEXTHELP) return std::nullopt;
      Begin(form);
      return TRUE;
    case WM_HELP: {
      // The platform's answer to F1: the help goes just below the control with the focus.
      const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
      if (info->iContextType == HELPINFO_WINDOW) {
        const auto control = static_cast<HWND>(info->hItemHandle);
        RECT rect{};
        ::GetWindowRect(control, &rect);
        ShowFor(form, control, POINT{rect.left, rect.bottom + 2});
      }
      return TRUE;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE && reinterpret_cast<HWND>(lParam) != popup_.hwnd())
        popup_.Hide();
      return std::nullopt;
    case WM_DESTROY:
      End(form);
      popup_.Hide();
      return std::nullopt;
    case WM_CAPTURECHANGED:
      active_ = false;
      return std::nullopt;
  }
  if (!active_) return std::nullopt;
  switch (message) {  // in help mode
    case WM_SETCURSOR:
      ShowHelpCursor();
      ::SetWindowLongPtrW(form, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_MOUSEMOVE:
      ShowHelpCursor();
      return TRUE;
    case WM_LBUTTONDOWN:
      OnClick(form, ClientPoint(lParam));
      return TRUE;
    case WM_RBUTTONDOWN:
      End(form);
      return TRUE;
    default:
      return std::nullopt;
  }
}

bool HelpMode::PreTranslate(HWND form, const MSG& message) {
  const bool keyDown = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
  const bool escape = keyDown && message.wParam == VK_ESCAPE;
  if (popup_.IsShown() && (keyDown || IsMouseDown(message.message))) {
    popup_.Hide();
    if (escape) return true;  // Escape closes the help, not the window
  }
  if (active_ && escape) {
    End(form);
    return true;
  }
  return false;
}

void HelpMode::Begin(HWND form) {
  popup_.Hide();
  active_ = true;
  ::SetCapture(form);
  ShowHelpCursor();
}

void HelpMode::End(HWND form) {
  if (!active_) return;
  active_ = false;
  if (form && ::GetCapture() == form) ::ReleaseCapture();
}

void HelpMode::OnClick(HWND form, POINT clientPoint) {
  End(form);
  RECT client{};
  ::GetClientRect(form, &client);
  if (!::PtInRect(&client, clientPoint)) return;  // a click elsewhere just leaves help mode
  const HWND child = ::ChildWindowFromPointEx(form, clientPoint, CWP_SKIPINVISIBLE);
  POINT screen = clientPoint;
  ::ClientToScreen(form, &screen);
  ShowFor(form, child ? child : form, screen);
}

void HelpMode::ShowFor(HWND form, HWND control, POINT anchor) {
  // The combo box's own edit field stands for the combo box.
  while (control && control != form && ::GetParent(control) != form) {
    control = ::GetParent(control);
  }
  DWORD topic = control ? ::GetWindowContextHelpId(control) : 0;
  if (topic == 0) topic = kWindowTopic;
  // The controls' font, which the editor chose for the DPI.
  const auto font =
      reinterpret_cast<HFONT>(::SendMessageW(::GetWindow(form, GW_CHILD), WM_GETFONT, 0, 0));
  popup_.Show(form, font, EditorHelpText(topic), anchor);
}

}  // namespace hop
