// TrayNotify: the icon in the notification area and the three notifications it raises.
//
// Left click raises the path-menu notification, right click (or the context-menu key) the
// configuration-menu notification, and a double click the editor notification. A single left
// click is only known to be single once the double-click time has passed without a second one,
// so the path-menu notification waits for that (a timer on the owner window).
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <optional>
#include <string>
#include <string_view>

#include "shell/click_sorter.h"
#include "shell/tray_rules.h"

namespace hop {

class TrayIcon {
 public:
  static constexpr UINT kCallbackMessage = WM_APP + 1;
  static constexpr UINT_PTR kClickTimer = 1;
  // Tries again to add an icon the shell refused (no taskbar yet).
  static constexpr UINT_PTR kRetryTimer = 2;

  TrayIcon() = default;
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;
  ~TrayIcon() { Stop(); }

  // Puts the icon into the notification area (clearing a stale one left by a crashed run); when
  // the shell refuses, tries again for a while (tray_retry.h) and on "TaskbarCreated".
  void Start(HWND owner, HICON icon);
  // Takes the icon out of the notification area.
  void Stop();
  // Replaces the text shown when the pointer rests on the icon.
  void SetTipText(const std::wstring& tip);
  const std::wstring& TipText() const { return tip_; }
  // Shows a balloon (a notification on Windows 10/11) from the icon, without a sound; texts
  // are cut to what the shell takes.
  void ShowBalloon(std::wstring_view title, std::wstring_view text);
  bool IsStarted() const { return started_; }
  // True while the shell shows the icon.
  bool IsShown() const { return shown_; }
  // Replaces the icon (a new size after a DPI or settings change).
  void SetIcon(HICON icon);

  // The taskbar was re-created (Explorer restarted): the icon must be added again.
  void OnTaskbarCreated();
  // Feeds a callback message or the click timer; returns the notification to raise, if any.
  std::optional<TrayNotification> OnCallback(WPARAM wParam, LPARAM lParam);
  std::optional<TrayNotification> OnClickTimer();
  void OnRetryTimer();

  // Where the menu for the notification just raised goes: the icon's anchor point when it came
  // from the keyboard, nothing (the pointer) when it came from the mouse.
  std::optional<POINT> MenuAnchor() const { return menuAnchor_; }
  // Hands the keyboard focus back to the notification area, after a menu closed unused.
  void ReturnFocus();

  static UINT TaskbarCreatedMessage();

 private:
  NOTIFYICONDATAW Data(UINT flags) const;
  bool Add();
  void ScheduleRetry();
  std::optional<POINT> AnchorOf(WPARAM wParam) const;
  std::optional<TrayNotification> Apply(ClickSorter::Outcome outcome);

  HWND owner_ = nullptr;
  HICON icon_ = nullptr;
  std::wstring tip_ = L"Hopdirs";
  bool started_ = false;
  bool version4_ = false;
  bool shown_ = false;
  ULONGLONG startTick_ = 0;
  bool rightUpSeen_ = false;
  std::optional<POINT> menuAnchor_;
  ClickSorter clicks_;
};

}  // namespace hop
