#include "hotkey/dialog_hotkey.h"

#include <utility>

#include "delivery/path_delivery.h"
#include "delivery/win32_desktop.h"
#include "delivery/win32_window_tree.h"
#include "win32/window_queries.h"

namespace hop {
namespace {

// Window-event callbacks carry no context of their own; the one DialogHotkey of the process that
// is started receives them.
DialogHotkey* g_started = nullptr;

bool IsDialogClass(HWND window) {
  return win32::ClassName(window).ends_with(L"32770");
}

bool IsTopLevel(HWND window) {
  return ::GetAncestor(window, GA_PARENT) == ::GetDesktopWindow();
}

// Whether a dialog-class window exists anywhere on the desktop, shown or not: a dialog is
// created hidden and shown once built.
bool DialogExists() {
  bool found = false;
  win32::ForEachTopLevel([&](HWND window) { return !(found = IsDialogClass(window)); });
  return found;
}

}  // namespace

HWND UsableDialogField(HWND window, Desktop& desktop) {
  // Titled, as the delivery activates only titled windows.
  if (!window || !IsTopLevel(window) || !IsDialogClass(window) || win32::Title(window).empty()) {
    return nullptr;
  }
  const Candidate candidate = desktop.Inspect(AsWindowHandle(window));
  if (!IsUsableTarget(candidate)) return nullptr;
  return AsHwnd(candidate.field ? candidate.field : candidate.folderTree);
}

HWND UsableDialogField(HWND window) {
  Win32Desktop desktop(nullptr);
  return UsableDialogField(window, desktop);
}

DialogHotkey::DialogHotkey(HWND owner, std::function<void(const Hotkey&)> refused)
    : owner_(owner),
      refused_(std::move(refused)),
      watch_([this](WindowHandle window) { return OnForegroundChanged(window); }) {}

DialogHotkey::~DialogHotkey() {
  if (arming_.Registered()) Release();
  if (g_started == this) g_started = nullptr;
}

void DialogHotkey::Start(const std::optional<Hotkey>& hotkey) {
  if (g_started) return;
  g_started = this;
  arming_.SetKey(hotkey);
  // Out of context: the callbacks arrive through this thread's message loop.
  foregroundHook_.reset(::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                          &DialogHotkey::OnWinEvent, 0, 0, WINEVENT_OUTOFCONTEXT));
  createHook_.reset(::SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr,
                                      &DialogHotkey::OnWinEvent, 0, 0,
                                      WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
  Poll();  // a dialog may be open already
}

void DialogHotkey::SetKey(const std::optional<Hotkey>& hotkey) {
  arming_.SetKey(hotkey);
}

bool DialogHotkey::Register(const Hotkey& hotkey) {
  // No repeats: a held key pops the menu once.
  return ::RegisterHotKey(owner_, kHotkeyId, hotkey.modifiers | MOD_NOREPEAT, hotkey.key) != FALSE;
}

void DialogHotkey::Release() {
  ::UnregisterHotKey(owner_, kHotkeyId);
}

void DialogHotkey::TellRefused(const Hotkey& hotkey) {
  if (refused_) refused_(hotkey);
}

bool DialogHotkey::OnForegroundChanged(WindowHandle window) {
  const HWND foreground = AsHwnd(window);
  const bool usable = UsableDialogField(foreground) != nullptr;
  arming_.OnForeground(window, usable);
  // A dialog-class window that is not usable yet may still be building its field or be about
  // to be shown.
  return usable || !IsDialogClass(foreground);
}

void DialogHotkey::Poll() {
  watch_.OnPoll(AsWindowHandle(::GetForegroundWindow()), DialogExists());
  SchedulePoll();
}

void DialogHotkey::SchedulePoll() {
  // The timer's identifier is this object: the timer procedure needs no global.
  if (watch_.Polling() && !timer_) {
    timer_.Start(owner_, reinterpret_cast<UINT_PTR>(this), kPollMilliseconds,
                 &DialogHotkey::OnPollTimer);
  } else if (!watch_.Polling()) {
    timer_.Stop();
  }
}

void CALLBACK DialogHotkey::OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object,
                                       LONG child, DWORD, DWORD) {
  DialogHotkey* self = g_started;
  if (!self || !window || object != OBJID_WINDOW || child != CHILDID_SELF) return;
  if (event == EVENT_SYSTEM_FOREGROUND) {
    self->watch_.OnForegroundEvent(AsWindowHandle(window));
    // The platform reports the foreground: window creations no longer matter, and on Windows
    // they are many.
    self->createHook_.reset();
  } else if (event == EVENT_OBJECT_CREATE) {
    if (!IsTopLevel(window)) return;
    self->watch_.OnWindowCreated(IsDialogClass(window));
  }
  self->SchedulePoll();
}

void CALLBACK DialogHotkey::OnPollTimer(HWND, UINT, UINT_PTR self, DWORD) {
  reinterpret_cast<DialogHotkey*>(self)->Poll();
}

}  // namespace hop
