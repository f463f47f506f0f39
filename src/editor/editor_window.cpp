#include "editor/editor_window.h"

#include <algorithm>
#include <string>
#include <vector>

#include "editor/editor_help.h"
#include "editor/editor_layout.h"
#include "editor/path_list_editor.h"
#include "editor/place_bottom_right.h"
#include "editor/win32_editor_view.h"
#include "model/colour_scheme.h"
#include "win32/common_controls.h"
#include "win32/dpi.h"
#include "win32/managed_dialog.h"
#include "win32/system_colours.h"
#include "win32/window_owner.h"

namespace hop {
namespace {

namespace layout = editor_layout;

// Fixed dialog border, no minimise or maximise box, and the title-bar help button.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CONTEXTHELP;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP;
// How many entries the drop-down list shows before it scrolls.
constexpr int kDroppedEntries = 8;

// Width in pixels of a control's caption as drawn in font, the mnemonic marker left out.
int CaptionWidth(HWND control, HFONT font) {
  wchar_t caption[64] = {};
  ::GetWindowTextW(control, caption, 64);
  std::wstring text;
  for (const wchar_t* c = caption; *c; ++c) {
    if (*c != L'&') text += *c;
  }
  SIZE size{};
  const win32::WindowDC dc(control);
  if (!dc.get()) return 0;
  const win32::SelectedObject selected(dc.get(), font);
  ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

PixelRect ToPixelRect(const RECT& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

// Puts the window next to the bottom right-hand corner of the primary monitor's work area.
void PlaceBottomRight(HWND form) {
  RECT rect{};
  ::GetWindowRect(form, &rect);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!::GetMonitorInfoW(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
    monitor.rcMonitor = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    monitor.rcWork = monitor.rcMonitor;
  }
  const PixelPoint at = hop::PlaceBottomRight(ToPixelRect(monitor.rcMonitor),
                                              ToPixelRect(monitor.rcWork), rect.right - rect.left,
                                              rect.bottom - rect.top, win32::DpiForWindow(form));
  ::SetWindowPos(form, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

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

}  // namespace

EditorWindow::EditorWindow(HWND owner, HICON icon, HICON smallIcon, PathMenu& paths,
                           std::function<void()> onClosed)
    : owner_(owner),
      icon_(icon),
      smallIcon_(smallIcon),
      paths_(paths),
      onClosed_(std::move(onClosed)),
      windowClass_(
          win32::ManagedDialogClass(win32::InstanceOf(owner), kClassName, icon, smallIcon)),
      help_(win32::InstanceOf(owner)) {}

EditorWindow::~EditorWindow() {
  Unload();
}

void EditorWindow::Show() {
  if (!window_) Form_Load();
  if (!window_) return;
  ::ShowWindow(window_.get(), SW_SHOW);
  ::SetForegroundWindow(window_.get());
}

bool EditorWindow::IsVisible() const {
  return window_ && ::IsWindowVisible(window_.get());
}

// Destroying the window runs the closing step (WM_DESTROY), whatever asked for it.
void EditorWindow::Unload() {
  window_.reset();
}

std::wstring EditorWindow::HelpShown() const {
  return help_.IsShown() ? help_.Text() : L"";
}

void EditorWindow::Form_Load() {
  win32::InitCommonControls(ICC_STANDARD_CLASSES);  // the manifest's controls, at first use
  const std::vector<WORD> dialog =
      win32::EmptyDialogTemplate(kStyle, kExStyle, kClassName, L"Hopdirs");
  // WM_INITDIALOG takes ownership of the new window and runs the opening steps.
  ::CreateDialogIndirectParamW(win32::InstanceOf(owner_),
                               reinterpret_cast<LPCDLGTEMPLATEW>(dialog.data()), owner_,
                               &EditorWindow::DialogProc, reinterpret_cast<LPARAM>(this));
}

void EditorWindow::CreateControls() {
  const HINSTANCE instance = win32::InstanceOf(owner_);
  for (const layout::Control& control : layout::kControls) {
    const wchar_t* windowClass = L"BUTTON";
    DWORD style = WS_CHILD | WS_VISIBLE;
    switch (control.id) {
      case layout::Label1:
        windowClass = L"STATIC";
        style |= SS_LEFT | WS_GROUP;
        break;
      case layout::cboPaths:
        windowClass = L"COMBOBOX";
        style |= WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL;
        break;
      case layout::cmdAdd:
        style |= WS_TABSTOP | WS_GROUP | WS_DISABLED | BS_DEFPUSHBUTTON;
        break;
      case layout::cmdDelete:
        style |= WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON;
        break;
      case layout::cmdClose:
        style |= WS_TABSTOP | BS_PUSHBUTTON;
        break;
    }
    const HWND child = ::CreateWindowExW(
        0, windowClass, control.caption, style, 0, 0, 0, 0, window_.get(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
    ::SetWindowContextHelpId(child, control.helpTopic);
  }
  ::SetWindowContextHelpId(window_.get(), kWindowTopic);
  ::SendMessageW(window_.get(), DM_SETDEFID, layout::cmdAdd, 0);
}

void EditorWindow::Layout(UINT dpi) {
  const HWND form = window_.get();
  font_.reset(win32::CreateDialogFont(dpi));
  for (const layout::Control& control : layout::kControls) {
    const HWND child = ::GetDlgItem(form, control.id);
    int width = TwipsToPixels(control.rect.width, dpi);
    int height = TwipsToPixels(control.rect.height, dpi);
    // A drop-down combo box's height includes its list; the closed height follows the font.
    if (control.id == layout::cboPaths) height *= kDroppedEntries + 1;
    // The label grows to its caption where the font is wider than the designed one, rather
    // than cutting the colon off.
    if (control.id == layout::Label1) width = std::max(width, CaptionWidth(child, font_.get()));
    ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    ::MoveWindow(child, TwipsToPixels(control.rect.left, dpi), TwipsToPixels(control.rect.top, dpi),
                 width, height, TRUE);
  }
  RECT frame{0, 0, TwipsToPixels(layout::kClientWidth, dpi),
             TwipsToPixels(layout::kClientHeight, dpi)};
  ::AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, dpi);
  ::SetWindowPos(form, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void EditorWindow::Form_Unload() {
  EndHelpMode();
  help_.Hide();
  if (!rules_) return;
  rules_->Form_Unload();
  rules_.reset();
  view_.reset();
  if (onClosed_) onClosed_();
}

void EditorWindow::OnCommand(int id, int code) {
  switch (id) {
    case layout::cboPaths:
      if (code == CBN_EDITCHANGE && !view_->ChangingText()) rules_->cboPaths_Change();
      break;
    case layout::cmdAdd:
      if (code == BN_CLICKED && view_->AddEnabled()) rules_->cmdAdd_Click();
      KeepFocusUsable();
      break;
    case layout::cmdDelete:
      if (code == BN_CLICKED && view_->DeleteEnabled()) rules_->cmdDelete_Click();
      KeepFocusUsable();
      break;
    case layout::cmdClose:  // also Escape and the title-bar close box
      Unload();
      break;
  }
}

// A button that disables itself while it has the focus would leave the keyboard nowhere.
void EditorWindow::KeepFocusUsable() {
  const HWND focus = ::GetFocus();
  if (focus && ::IsWindowEnabled(focus)) return;
  ::SendMessageW(window_.get(), WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(::GetDlgItem(window_.get(), layout::cboPaths)), TRUE);
}

void EditorWindow::ShowHelpFor(HWND control, POINT anchor) {
  const HWND form = window_.get();
  // The combo box's own edit field stands for the combo box.
  while (control && control != form && ::GetParent(control) != form) {
    control = ::GetParent(control);
  }
  DWORD topic = control ? ::GetWindowContextHelpId(control) : 0;
  if (topic == 0) topic = kWindowTopic;
  help_.Show(form, font_.get(), EditorHelpText(topic), anchor);
}

void EditorWindow::BeginHelpMode() {
  help_.Hide();
  helpMode_ = true;
  ::SetCapture(window_.get());
  ::SetCursor(::LoadCursorW(nullptr, IDC_HELP));
}

void EditorWindow::EndHelpMode() {
  if (!helpMode_) return;
  helpMode_ = false;
  if (::GetCapture() == window_.get()) ::ReleaseCapture();
}

void EditorWindow::OnHelpModeClick(POINT clientPoint) {
  EndHelpMode();
  RECT client{};
  ::GetClientRect(window_.get(), &client);
  if (!::PtInRect(&client, clientPoint)) return;  // a click elsewhere just leaves help mode
  const HWND child = ::ChildWindowFromPointEx(window_.get(), clientPoint, CWP_SKIPINVISIBLE);
  POINT screen = clientPoint;
  ::ClientToScreen(window_.get(), &screen);
  ShowHelpFor(child ? child : window_.get(), screen);
}

bool EditorWindow::PreTranslateMessage(MSG& message) {
  if (!window_) return false;
  const bool keyDown = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
  const bool escape = keyDown && message.wParam == VK_ESCAPE;
  if (help_.IsShown() && (keyDown || IsMouseDown(message.message))) {
    help_.Hide();
    if (escape) return true;  // Escape closes the help, not the window
  }
  if (helpMode_ && escape) {
    EndHelpMode();
    return true;
  }
  return ::IsDialogMessageW(window_.get(), &message);
}

INT_PTR CALLBACK EditorWindow::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
  auto* self = reinterpret_cast<EditorWindow*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;
  if (message == WM_INITDIALOG) self->window_.reset(hwnd);
  const INT_PTR handled =
      win32::NoThrow([&] { return self->HandleMessage(message, wParam, lParam); }, INT_PTR{FALSE});
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->window_.release();
    self->font_.reset();
  }
  return handled;
}

INT_PTR EditorWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND form = window_.get();
  switch (message) {
    case WM_INITDIALOG:
      CreateControls();
      Layout(win32::DpiForWindow(form));
      PlaceBottomRight(form);
      ::SendMessageW(form, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
      ::SendMessageW(form, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
      view_ = std::make_unique<Win32EditorView>(form);
      rules_ = std::make_unique<PathListEditor>(paths_, *view_);
      rules_->Form_Load();
      return TRUE;  // the focus goes to the first control that takes it: cboPaths
    case WM_COMMAND:
      if (rules_) OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_CLOSE:
      Unload();
      return TRUE;
    case WM_DESTROY:
      Form_Unload();
      return TRUE;
    case WM_CTLCOLORSTATIC: {  // Label1 has a transparent background
      const HDC dc = reinterpret_cast<HDC>(wParam);
      ::SetBkMode(dc, TRANSPARENT);
      // Black as designed, unless the scheme's button face would make it unreadable.
      const bool system = UseSystemColours(win32::HighContrastOn(), ::GetSysColor(COLOR_WINDOW));
      ::SetTextColor(dc, system ? ::GetSysColor(COLOR_BTNTEXT) : RGB(0, 0, 0));
      return reinterpret_cast<INT_PTR>(::GetStockObject(NULL_BRUSH));
    }
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:  // high contrast switched on or off
      ::RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return FALSE;
    case WM_DPICHANGED: {
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      Layout(HIWORD(wParam));
      ::SetWindowPos(form, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return TRUE;
    }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != SC_CONTEXTHELP) return FALSE;
      BeginHelpMode();
      return TRUE;
    case WM_HELP: {
      // The platform's answer to F1 (a click in help mode is handled above): the help goes
      // just below the control with the focus.
      const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
      if (info->iContextType == HELPINFO_WINDOW) {
        const auto control = static_cast<HWND>(info->hItemHandle);
        RECT rect{};
        ::GetWindowRect(control, &rect);
        ShowHelpFor(control, POINT{rect.left, rect.bottom + 2});
      }
      return TRUE;
    }
    case WM_SETCURSOR:
      if (!helpMode_) return FALSE;
      ::SetCursor(::LoadCursorW(nullptr, IDC_HELP));
      ::SetWindowLongPtrW(form, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_MOUSEMOVE:
      if (helpMode_) ::SetCursor(::LoadCursorW(nullptr, IDC_HELP));
      return helpMode_;
    case WM_LBUTTONDOWN:
      if (!helpMode_) return FALSE;
      OnHelpModeClick(
          POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return TRUE;
    case WM_RBUTTONDOWN:
      if (!helpMode_) return FALSE;
      EndHelpMode();
      return TRUE;
    case WM_CAPTURECHANGED:
      helpMode_ = false;
      return FALSE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE && reinterpret_cast<HWND>(lParam) != help_.hwnd()) {
        help_.Hide();
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace hop
