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
#include "win32/dpi_layout.h"
#include "win32/managed_dialog.h"
#include "win32/system_colours.h"
#include "win32/window_queries.h"

namespace hop {
namespace {

namespace layout = editor_layout;

// Fixed dialog border, no minimise or maximise box, and the title-bar help button.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CONTEXTHELP;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP;
constexpr win32::FrameDesign kFrame{kStyle, kExStyle, layout::kClientWidth, layout::kClientHeight};
// How many entries the drop-down list shows before it scrolls.
constexpr int kDroppedEntries = 8;

PixelRect ToPixelRect(const RECT& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

// Puts the window next to the bottom right-hand corner of the primary monitor's work area.
void PlaceBottomRight(HWND form) {
  RECT rect{};
  ::GetWindowRect(form, &rect);
  const win32::MonitorAreas primary = win32::MonitorAreasAt(POINT{0, 0});
  const PixelPoint at = hop::PlaceBottomRight(ToPixelRect(primary.monitor),
                                              ToPixelRect(primary.work), rect.right - rect.left,
                                              rect.bottom - rect.top, win32::DpiForWindow(form));
  ::SetWindowPos(form, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
  return help_.Shown();
}

void EditorWindow::Form_Load() {
  win32::InitCommonControls(ICC_STANDARD_CLASSES);  // the manifest's controls, at first use
  const std::vector<WORD> dialog =
      win32::EmptyDialogTemplate(kStyle, kExStyle, kClassName, L"Hopdirs");
  // WM_INITDIALOG takes ownership of the new window and runs the opening steps.
  ::CreateDialogIndirectParamW(win32::InstanceOf(owner_),
                               reinterpret_cast<LPCDLGTEMPLATEW>(dialog.data()), owner_,
                               &win32::DialogThunk<EditorWindow>, reinterpret_cast<LPARAM>(this));
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
    win32::Fit fit;
    // A drop-down combo box's height includes its list; the closed height follows the font.
    if (control.id == layout::cboPaths) fit.heightTimes = kDroppedEntries + 1;
    // The label grows to its caption where the font is wider than the designed one, rather
    // than cutting the colon off.
    if (control.id == layout::Label1)
      fit.minWidth = win32::TextWidth(::GetDlgItem(form, control.id), font_.get(), true);
    win32::PlaceControl(form, control.id, control.rect, dpi, font_.get(), fit);
  }
  win32::SizeFrame(form, kFrame, dpi);
}

void EditorWindow::Form_Unload() {
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

bool EditorWindow::PreTranslateMessage(MSG& message) {
  if (!window_) return false;
  return help_.PreTranslate(window_.get(), message) || ::IsDialogMessageW(window_.get(), &message);
}

void EditorWindow::Attach(HWND hwnd) {
  window_.reset(hwnd);
}

void EditorWindow::Detach() {
  window_.release();
  font_.reset();
}

INT_PTR EditorWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND form = window_.get();
  if (const auto answered = help_.OnMessage(form, message, wParam, lParam)) return *answered;
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
    case WM_DPICHANGED:
      win32::FollowDpiChange(form, wParam, lParam, [this](UINT dpi) { Layout(dpi); });
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace hop
