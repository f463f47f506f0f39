#include "shell/tray_icon.h"

#include <shellapi.h>

#include <algorithm>

#include "shell/tray_retry.h"

namespace hop {
namespace {
constexpr UINT kIconId = 1;
}

UINT TrayIcon::TaskbarCreatedMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

NOTIFYICONDATAW TrayIcon::Data(UINT flags) const {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = owner_;
  data.uID = kIconId;
  data.uFlags = flags;
  data.uCallbackMessage = kCallbackMessage;
  data.hIcon = icon_;
  const std::size_t length = std::min(tip_.size(), std::size(data.szTip) - 1);
  std::copy_n(tip_.begin(), length, data.szTip);
  data.uVersion = NOTIFYICON_VERSION_4;
  return data;
}

bool TrayIcon::Add() {
  NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
  ::Shell_NotifyIconW(NIM_DELETE, &data);  // a stale icon of an earlier run would be a twin
  shown_ = ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
  version4_ = shown_ && ::Shell_NotifyIconW(NIM_SETVERSION, &data) != FALSE;
  return shown_;
}

void TrayIcon::ScheduleRetry() {
  if (const auto delay = TrayRetryDelay(::GetTickCount64() - startTick_))
    ::SetTimer(owner_, kRetryTimer, *delay, nullptr);
}

void TrayIcon::Start(HWND owner, HICON icon) {
  owner_ = owner;
  icon_ = icon;
  startTick_ = ::GetTickCount64();
  started_ = true;
  // A program running with higher rights than the shell would not see its broadcast otherwise.
  ::ChangeWindowMessageFilterEx(owner_, TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
  if (!Add()) ScheduleRetry();
}

void TrayIcon::OnRetryTimer() {
  ::KillTimer(owner_, kRetryTimer);
  if (started_ && !shown_ && !Add()) ScheduleRetry();
}

void TrayIcon::SetIcon(HICON icon) {
  icon_ = icon;
  if (!shown_) return;
  NOTIFYICONDATAW data = Data(NIF_ICON);
  ::Shell_NotifyIconW(NIM_MODIFY, &data);
}

void TrayIcon::ReturnFocus() {
  if (!shown_) return;
  NOTIFYICONDATAW data = Data(0);
  ::Shell_NotifyIconW(NIM_SETFOCUS, &data);
}

void TrayIcon::Stop() {
  if (!started_) return;
  ::KillTimer(owner_, kClickTimer);
  ::KillTimer(owner_, kRetryTimer);
  NOTIFYICONDATAW data = Data(0);
  ::Shell_NotifyIconW(NIM_DELETE, &data);
  started_ = false;
  shown_ = false;
}

void TrayIcon::SetTipText(const std::wstring& tip) {
  tip_ = tip;
  if (!started_) return;
  NOTIFYICONDATAW data = Data(NIF_TIP | NIF_SHOWTIP);
  ::Shell_NotifyIconW(NIM_MODIFY, &data);
}

void TrayIcon::ShowBalloon(std::wstring_view title, std::wstring_view text) {
  if (!started_) return;
  NOTIFYICONDATAW data = Data(NIF_INFO);
  const auto copy = [](std::wstring_view from, auto& to) {
    std::copy_n(from.begin(), std::min(from.size(), std::size(to) - 1), to);
  };
  copy(title, data.szInfoTitle);
  copy(text, data.szInfo);
  data.dwInfoFlags = NIIF_WARNING | NIIF_NOSOUND;
  ::Shell_NotifyIconW(NIM_MODIFY, &data);
}

void TrayIcon::OnTaskbarCreated() {
  if (!started_) return;
  ::KillTimer(owner_, kRetryTimer);
  if (!Add()) ScheduleRetry();
}

// A version-4 shell gives the pointer's or, from the keyboard, the icon's position in wParam.
std::optional<POINT> TrayIcon::AnchorOf(WPARAM wParam) const {
  if (!version4_) return std::nullopt;
  return POINT{static_cast<short>(LOWORD(wParam)), static_cast<short>(HIWORD(wParam))};
}

std::optional<TrayNotification> TrayIcon::Apply(ClickSorter::Outcome outcome) {
  if (outcome.stopWait) ::KillTimer(owner_, kClickTimer);
  if (outcome.startWait) ::SetTimer(owner_, kClickTimer, ::GetDoubleClickTime(), nullptr);
  return outcome.raise;
}

std::optional<TrayNotification> TrayIcon::OnCallback(WPARAM wParam, LPARAM lParam) {
  // With NOTIFYICON_VERSION_4 the event is in the low word; older shells send it whole.
  using Event = ClickSorter::Event;
  switch (LOWORD(lParam)) {
    case WM_LBUTTONUP:
      menuAnchor_.reset();
      return Apply(clicks_.On(Event::LeftUp));
    case WM_LBUTTONDBLCLK:
      return Apply(clicks_.On(Event::LeftDoubleClick));
    case NIN_KEYSELECT:  // Enter or Space on the focused icon
      menuAnchor_ = AnchorOf(wParam);
      return Apply(clicks_.On(Event::KeySelect));
    case WM_RBUTTONUP:
      // A version-4 shell follows the button-up with WM_CONTEXTMENU; answer only one of them.
      if (version4_) {
        rightUpSeen_ = true;
        return std::nullopt;
      }
      menuAnchor_.reset();
      return Apply(clicks_.On(Event::ConfigRequest));
    case WM_CONTEXTMENU:
      // Without a button-up just before, it came from the menu key or Shift+F10.
      menuAnchor_ = rightUpSeen_ ? std::nullopt : AnchorOf(wParam);
      rightUpSeen_ = false;
      return Apply(clicks_.On(Event::ConfigRequest));
    default:
      return std::nullopt;
  }
}

std::optional<TrayNotification> TrayIcon::OnClickTimer() {
  return Apply(clicks_.On(ClickSorter::Event::WaitElapsed));
}

}  // namespace hop
