#include "shell/tray_icon.h"

#include <shellapi.h>

#include <algorithm>

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

void TrayIcon::Add() {
  NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
  ::Shell_NotifyIconW(NIM_DELETE, &data);  // a stale icon of an earlier run would be a twin
  ::Shell_NotifyIconW(NIM_ADD, &data);
  version4_ = ::Shell_NotifyIconW(NIM_SETVERSION, &data) != FALSE;
}

void TrayIcon::Start(HWND owner, HICON icon) {
  owner_ = owner;
  icon_ = icon;
  Add();
  started_ = true;
}

void TrayIcon::Stop() {
  if (!started_) return;
  ::KillTimer(owner_, kClickTimer);
  NOTIFYICONDATAW data = Data(0);
  ::Shell_NotifyIconW(NIM_DELETE, &data);
  started_ = false;
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
  if (started_) Add();
}

std::optional<TrayNotification> TrayIcon::Apply(ClickSorter::Outcome outcome) {
  if (outcome.stopWait) ::KillTimer(owner_, kClickTimer);
  if (outcome.startWait) ::SetTimer(owner_, kClickTimer, ::GetDoubleClickTime(), nullptr);
  return outcome.raise;
}

std::optional<TrayNotification> TrayIcon::OnCallback(WPARAM, LPARAM lParam) {
  // With NOTIFYICON_VERSION_4 the event is in the low word; older shells send it whole.
  using Event = ClickSorter::Event;
  switch (LOWORD(lParam)) {
    case WM_LBUTTONUP:
      return Apply(clicks_.On(Event::LeftUp));
    case WM_LBUTTONDBLCLK:
      return Apply(clicks_.On(Event::LeftDoubleClick));
    case NIN_KEYSELECT:
      return Apply(clicks_.On(Event::KeySelect));
    case WM_RBUTTONUP:
      // A version-4 shell follows the button-up with WM_CONTEXTMENU; answer only one of them.
      if (version4_) return std::nullopt;
      return Apply(clicks_.On(Event::ConfigRequest));
    case WM_CONTEXTMENU:
      return Apply(clicks_.On(Event::ConfigRequest));
    default:
      return std::nullopt;
  }
}

std::optional<TrayNotification> TrayIcon::OnClickTimer() {
  return Apply(clicks_.On(ClickSorter::Event::WaitElapsed));
}

}  // namespace hop
