// frmMain: the hidden main window. It owns the tray icon, the two popup menus and, through the
// path menu, the one in-memory copy of the path list. It is a hidden top-level window (not a
// message-only one) so that it receives the session-end and "TaskbarCreated" broadcasts, and it
// is a tool window so that it never gets a taskbar button.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "model/path_menu.h"
#include "shell/tray_icon.h"
#include "shell/tray_rules.h"
#include "win32/unique_handle.h"

namespace hop {

class EditorWindow;
class DeliveryState;

class MainWindow {
 public:
  static constexpr const wchar_t* kClassName = L"HopdirsMain";

  explicit MainWindow(HINSTANCE instance);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow();

  // Creates the hidden window and runs the load step. False when the program must end at once.
  bool Create();

  HWND hwnd() const { return hwnd_; }
  HINSTANCE instance() const { return instance_; }
  HICON Icon() const { return largeIcon_.get(); }
  HICON SmallIcon() const { return smallIcon_.get(); }

  // The path list (mnuPath elements 1..PathCount) and the public methods other windows use.
  PathMenu& Paths() { return paths_; }
  const PathMenu& Paths() const { return paths_; }
  void AddMenuItem(const std::uint8_t& Pos, const std::wstring& Dest) {
    paths_.AddMenuItem(Pos, Dest);
  }
  void DeleteMenuItem(const std::uint8_t& Pos) { paths_.DeleteMenuItem(Pos); }
  std::uint8_t PathCount() const { return paths_.PathCount(); }

  // The check mark of mnuClipboard: the clipboard option.
  bool ClipboardChecked() const { return clipboardChecked_; }
  void SetClipboardChecked(bool checked) { clipboardChecked_ = checked; }

  TrayIcon& TrayNotify() { return tray_; }
  EditorWindow& frmList() { return *editor_; }
  // The dialog finder and FoundWindows, kept between path menu clicks.
  DeliveryState& Delivery() { return *delivery_; }

  // Text the about box shows as its specific information.
  std::wstring AboutText;
  // Held by the running instance for as long as it lives.
  win32::UniqueKernelHandle InstanceMutex;

  // Menu commands.
  void mnuList_Click();
  void mnuClipboard_Click();
  void mnuAbout_Click();
  void mnuExit_Click();
  void mnuPath_Click(int Index);

  void OnTrayNotification(TrayNotification notification);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void RunCommand(UINT id);

  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  win32::UniqueIcon largeIcon_;
  win32::UniqueIcon smallIcon_;
  PathMenu paths_;
  bool clipboardChecked_ = true;
  TrayIcon tray_;
  std::unique_ptr<EditorWindow> editor_;
  std::unique_ptr<DeliveryState> delivery_;
  bool menuOpen_ = false;
  bool ending_ = false;
};

}  // namespace hop
