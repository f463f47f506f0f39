#include "about/about_window.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "about/about_layout.h"
#include "about/about_texts.h"
#include "about/system_figures.h"
#include "model/colour_scheme.h"
#include "win32/twips.h"
#include "win32/common_controls.h"
#include "win32/dpi.h"
#include "win32/dpi_layout.h"
#include "win32/system_colours.h"
#include "win32/unique_handle.h"
#include "win32/window_queries.h"

namespace hop {
namespace {

namespace layout = about_layout;

enum ControlId : int {
  kAboutIcon = 100,
  kProgram,
  kAuthorLine,
  kMakerLine,
  kContactLines,
  kInformationCaption,
  kSpecific,
  kMemoryCaption,
  kMemory,
  kOK = IDOK,
};

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr win32::FrameDesign kFrame{kStyle, kExStyle, layout::kClientWidth, layout::kClientHeight};

// One-line labels clip rather than wrap, so a long text never shows half a second line.
constexpr DWORD kLabel = SS_LEFTNOWORDWRAP | SS_NOPREFIX;
// Created at load and placed again at every change of DPI; the empty texts are filled at load.
constexpr win32::ControlDesign kControls[] = {
    {kAboutIcon, L"STATIC", L"", SS_ICON | SS_REALSIZECONTROL, layout::AboutIcon},
    {kProgram, L"STATIC", L"", kLabel, layout::lblProgram},
    {kAuthorLine, L"STATIC", layout::kAuthor, kLabel, layout::lblAuthor},
    {kMakerLine, L"STATIC", layout::kMaker, kLabel, layout::lblMaker},
    {kContactLines, L"STATIC", layout::kContact, SS_LEFT | SS_NOPREFIX, layout::lblContact},
    {kInformationCaption, L"STATIC", layout::kInformation, kLabel, layout::lblInformation},
    {kSpecific, L"STATIC", L"", kLabel, layout::lblSpecific},
    {kMemoryCaption, L"STATIC", layout::kMemoryLabel, kLabel, layout::lblMemoryCaption},
    {kMemory, L"STATIC", L"", kLabel, layout::lblMemory},
    {kOK, L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, layout::cmdOK},
};

// The designed light grey with black text, or the system's colours where those would be
// unreadable (high contrast, a dark scheme).
bool SystemColours() {
  return UseSystemColours(win32::HighContrastOn(), ::GetSysColor(COLOR_WINDOW));
}
HBRUSH GroundBrush() {
  return SystemColours() ? ::GetSysColorBrush(COLOR_BTNFACE)
                         : static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH));
}
COLORREF TextColour() {
  return SystemColours() ? ::GetSysColor(COLOR_BTNTEXT) : RGB(0, 0, 0);
}

// The windows of this thread that take input, which the modal box disables while it is open.
std::vector<HWND> EnabledThreadWindows() {
  std::vector<HWND> windows;
  win32::ForEachThreadWindow([&](HWND window) {
    if (::IsWindowEnabled(window)) windows.push_back(window);
    return true;
  });
  return windows;
}

WNDCLASSEXW AboutClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH));  // 192,192,192
  windowClass.lpszClassName = AboutWindow::kClassName;
  return windowClass;
}

}  // namespace

AboutWindow::AboutWindow(HWND owner, HICON icon)
    : owner_(owner),
      icon_(icon),
      windowClass_(AboutClass(win32::InstanceOf(owner), &win32::WindowThunk<AboutWindow>)) {}

void AboutWindow::Show(std::wstring_view specificText) {
  if (hwnd_) return;  // already open: the program's windows take no input anyway
  if (Form_Load(specificText)) RunModal();
  Unload();
  font_.reset();
}

// The other windows take input again before the box goes, so activation returns to them.
void AboutWindow::Unload() {
  EnableOthers();
  if (hwnd_) ::DestroyWindow(hwnd_);
}

int AboutWindow::Pixels(double twips) const {
  return TwipsToPixels(twips, dpi_);
}

// The load step: the window and its controls, then position, caption, icon and the texts.
bool AboutWindow::Form_Load(std::wstring_view specificText) {
  win32::InitCommonControls(ICC_STANDARD_CLASSES);  // the manifest's controls, at first use
  dpi_ = win32::SystemDpi();
  const RECT frame = win32::FrameRect(kFrame, dpi_);
  hwnd_ = ::CreateWindowExW(
      kExStyle, kClassName, L"frmAboutBox", kStyle, Pixels(layout::kDesignLeft) + frame.left,
      Pixels(layout::kDesignTop) + frame.top, frame.right - frame.left, frame.bottom - frame.top,
      owner_, nullptr, win32::InstanceOf(owner_), this);
  if (!hwnd_) return false;
  win32::CreateControls(hwnd_, kControls);
  LayOut(dpi_);
  Centre();
  ::SetWindowTextW(hwnd_, AboutCaption(kApplicationTitle).c_str());
  ::SendDlgItemMessageW(hwnd_, kAboutIcon, STM_SETICON, WPARAM(icon_), 0);
  ::SetDlgItemTextW(hwnd_, kSpecific, std::wstring(specificText).c_str());
  ::SetDlgItemTextW(hwnd_, kProgram, ProgramFigure().c_str());
  ::SetDlgItemTextW(hwnd_, kMemory, MemoryFigure().c_str());
  FitMemoryFigure();
  return true;
}

// The font and the controls at `dpi`, the memory figure fitted, and the frame around them.
void AboutWindow::LayOut(UINT dpi) {
  dpi_ = dpi;
  win32::UniqueFont previous = std::move(font_);  // in use by the controls until replaced
  font_.reset(CreateLabelFont(dpi_));
  win32::PlaceControls(hwnd_, kControls, dpi_, font_.get());
  FitMemoryFigure();
  win32::SizeFrame(hwnd_, kFrame, dpi_);
}

int AboutWindow::TextWidth(int id) const {
  return win32::TextWidth(::GetDlgItem(hwnd_, id), font_.get());
}

// The memory label was sized for figures of a few megabytes; today's would be cut off. It then
// grows to the right up to the window's edge and, if that is not enough, to the left into the
// free space after the memory caption.
void AboutWindow::FitMemoryFigure() {
  const HWND label = ::GetDlgItem(hwnd_, kMemory);
  const int width = TextWidth(kMemory);
  const int left = Pixels(layout::lblMemory.left);
  if (width <= Pixels(layout::lblMemory.width)) return;
  const int margin = Pixels(60);
  const int right = Pixels(layout::kClientWidth) - margin;
  const int captionEnd =
      std::min(Pixels(layout::lblMemoryCaption.left) + TextWidth(kMemoryCaption),
               Pixels(layout::lblMemoryCaption.left + layout::lblMemoryCaption.width));
  const int newLeft = std::min(left, std::max(captionEnd + margin, right - width));
  ::MoveWindow(label, newLeft, Pixels(layout::lblMemory.top), right - newLeft,
               Pixels(layout::lblMemory.height), FALSE);
}

// Centres the whole window, frame included, on the primary screen, computed in twips.
void AboutWindow::Centre() {
  RECT outer{};
  ::GetWindowRect(hwnd_, &outer);
  const CentredPosition at = CentreOnScreen(PixelsToTwips(::GetSystemMetrics(SM_CXSCREEN), dpi_),
                                            PixelsToTwips(::GetSystemMetrics(SM_CYSCREEN), dpi_),
                                            PixelsToTwips(outer.right - outer.left, dpi_),
                                            PixelsToTwips(outer.bottom - outer.top, dpi_));
  ::SetWindowPos(hwnd_, nullptr, Pixels(at.left), Pixels(at.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutWindow::RunModal() {
  disabled_ = EnabledThreadWindows();
  std::erase(disabled_, hwnd_);
  for (HWND window : disabled_) ::EnableWindow(window, FALSE);
  ::ShowWindow(hwnd_, SW_SHOW);
  ::SetForegroundWindow(hwnd_);
  ::SetFocus(::GetDlgItem(hwnd_, kOK));
  MSG message;
  while (hwnd_) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) ::PostQuitMessage(int(message.wParam));  // for the outer loop
      break;
    }
    if (!::IsDialogMessageW(hwnd_, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
}

void AboutWindow::EnableOthers() {
  for (HWND window : disabled_) {
    if (::IsWindow(window)) ::EnableWindow(window, TRUE);
  }
  disabled_.clear();
}

void AboutWindow::PaintRule(HDC dc) const {
  const bool system = SystemColours();
  // The grey line and the white one below it, or the scheme's shadow and highlight.
  const std::pair<layout::TwipsLine, int> lines[] = {{layout::Line2, COLOR_BTNSHADOW},
                                                     {layout::Line1, COLOR_BTNHIGHLIGHT}};
  for (const auto& [line, shade] : lines) {
    const COLORREF colour = system ? ::GetSysColor(shade) : RGB(line.red, line.green, line.blue);
    const win32::UniquePen pen(
        ::CreatePen(PS_SOLID, int(std::lround(line.widthPixels * dpi_ / 96.0)), colour));
    const win32::SelectedObject selected(dc, pen.get());
    ::MoveToEx(dc, Pixels(line.x1), Pixels(line.y1), nullptr);
    ::LineTo(dc, Pixels(line.x2), Pixels(line.y2));
  }
}

void AboutWindow::Attach(HWND hwnd) {
  hwnd_ = hwnd;
}

void AboutWindow::Detach() {
  hwnd_ = nullptr;
}

LRESULT AboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORSTATIC:  // transparent labels on the box's ground
    case WM_CTLCOLORBTN: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      ::SetBkMode(dc, TRANSPARENT);
      ::SetTextColor(dc, TextColour());
      return reinterpret_cast<LRESULT>(GroundBrush());
    }
    case WM_ERASEBKGND: {
      RECT client{};
      ::GetClientRect(hwnd_, &client);
      ::FillRect(reinterpret_cast<HDC>(wParam), &client, GroundBrush());
      return 1;
    }
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:  // high contrast switched on or off
      ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return 0;
    case WM_DPICHANGED:
      win32::FollowDpiChange(hwnd_, wParam, lParam, [this](UINT dpi) { LayOut(dpi); });
      ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return 0;
    case WM_PAINT: {
      const win32::PaintScope paint(hwnd_);
      PaintRule(paint.dc());
      return 0;
    }
    case DM_GETDEFID:  // Enter presses OK
      return MAKELRESULT(kOK, DC_HASDEFID);
    case WM_COMMAND:
      // OK closes; Escape arrives as IDCANCEL and, with no cancel button, does nothing.
      if (LOWORD(wParam) == kOK) Unload();
      return 0;
    case WM_CLOSE:
      Unload();
      return 0;
    default:
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

}  // namespace hop
