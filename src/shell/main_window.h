// frmMain: the hidden main window and the composition root. It owns the tray icon, the two popup
// menus, the one in-memory copy of the path list (the path menu), the delivery and the other
// windows, and hands each of them what it uses. It is a hidden top-level window (not a
// message-only one) so that it receives the session-end and "TaskbarCreated" broadcasts, and it
// is a tool window so that it never gets a taskbar button.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "delivery/path_delivery.h"
#include "delivery/win32_window_tree.h"
#include "hotkey/hotkey_text.h"
#include "hotkey/win32_hotkey_menu.h"
#include "model/menu_model.h"
#include "model/path_menu.h"
#include "model/recent_folders.h"
#include "settings/settings_store.h"
#include "shell/lifecycle.h"
#include "shell/tray_icon.h"
#include "shell/tray_rules.h"
#include "win32/unique_handle.h"
#include "win32/window_class.h"
#include "win32/window_owner.h"

namespace hop {

class AboutWindow;
class DialogHotkey;
class EditorWindow;
class HotkeyWindow;
class Win32Desktop;

class MainWindow {
 public:
  static constexpr const wchar_t* kClassName = L"HopdirsMain";

  // The settings are read from and written to `settings`, which must outlive the window; only one
  // window at a time holds the single-instance claim `instanceName` (a mutex name).
  MainWindow(HINSTANCE instance, SettingsStore& settings, std::wstring instanceName);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow();

  // Creates the hidden window and its owned windows and runs the load step. False when the
  // program must end at once.
  bool Create();

  HWND hwnd() const { return hwnd_; }

  // The path list (mnuPath elements 1..PathCount).
  PathMenu& Paths() { return paths_; }
  const PathMenu& Paths() const { return paths_; }
  void AddMenuItem(const std::uint8_t& Pos, const std::wstring& Dest) {
    paths_.AddMenuItem(Pos, Dest);
  }
  void DeleteMenuItem(const std::uint8_t& Pos) { paths_.DeleteMenuItem(Pos); }
  std::uint8_t PathCount() const { return paths_.PathCount(); }

  // The check mark of mnuClipboard: the clipboard option.
  bool ClipboardChecked() const { return clipboardChecked_; }

  TrayIcon& TrayNotify() { return tray_; }
  EditorWindow& frmList() { return *editor_; }
  AboutWindow& frmAboutBox() { return *about_; }

  // Gives the editor its keyboard interface (Tab, Enter, Escape, mnemonics). The message loop
  // calls it for every message; true when the message has been handled.
  bool PreTranslateMessage(MSG& message);

  // Menu commands.
  void mnuList_Click();
  void mnuClipboard_Click();
  void mnuHotkey_Click();
  void mnuAbout_Click();
  void mnuExit_Click();
  // Delivers path Index to `dialog` alone when given (the hotkey's), else to the topmost usable
  // file dialog.
  void mnuPath_Click(int Index, HWND dialog = nullptr);
  // Delivers a path the one way every menu entry goes, and keeps the recent folders.
  void DeliverPath(std::wstring path, HWND dialog = nullptr, Origin origin = Origin::Favourite);
  // Acts on a choice from either path menu, in `dialog` when given.
  void Act(const Choice& choice, HWND dialog = nullptr) {
    DeliverPath(choice.path, dialog, choice.origin);
  }
  // "Clear recent folders": the section and its stored values emptied.
  void mnuClearRecent_Click();
  const RecentFolders& Recent() const { return recent_; }

  void OnTrayNotification(TrayNotification notification);
  // The hotkey was pressed while a file dialog was in front (hotkey_commands.cpp).
  void OnDialogHotkey();
  // Adds the folder a file dialog shows, chosen from the hotkey's menu, and gives the dialog
  // back the foreground, the focus moved to `field` when given (hotkey_commands.cpp).
  void AddDialogFolder(const std::wstring& folder, HWND dialog, HWND field);
  // The hotkey as it is now: nothing when the user chose none.
  std::optional<Hotkey> CurrentHotkey() const;

  // The settings write: the path list and the options as they stand now. Runs at shut-down and
  // whenever one of them changes, so a process that is killed loses nothing.
  void SaveSettings();

  // Everything SaveAndQuit does before the process ends: the settings write, pending messages,
  // the tray icon removed, the about box and the editor closed, pending messages again.
  void ShutDown();
  // ShutDown, then the process ends on the spot.
  [[noreturn]] void SaveAndQuit();

 private:
  friend struct win32::ThunkAccess;
  void Attach(HWND hwnd);
  void Detach();
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Pops a tray menu (one at a time); the identifier chosen from it.
  template <typename Popup>
  UINT RunMenu(Popup popup);
  void RunCommand(UINT id);
  void OnEditorClosed();
  void StartHotkey();
  // A close request (session end, WM_CLOSE): at once, or once a delivery under way is done.
  void RequestEnd(UnloadMode mode);
  void ReloadTrayIcon();
  // Fills sources_ (path_menu_commands.cpp).
  void ListSources();
  // The path menu about to pop over `program`'s dialog (the tray's: ""), its sections read
  // within one bound.
  Menu BuildMenu(const std::wstring& program);
  // After a delivery: the folder it arrived in goes first among the recent folders; a recent
  // one found gone is dropped. Tells the user whether it was.
  bool KeepRecent(DeliveryOutcome outcome, Origin origin, const std::wstring& path);

  // Start-up and shut-down steps (lifecycle.cpp).
  bool Form_Load();
  void Form_QueryUnload(UnloadMode mode);
  bool ClaimInstance();

  HINSTANCE instance_;
  SettingsStore& settings_;
  std::wstring instanceName_;
  win32::UniqueIcon largeIcon_;
  win32::UniqueIcon smallIcon_;
  win32::UniqueIcon trayIcon_;
  win32::WindowClass windowClass_;
  HWND hwnd_ = nullptr;
  // Held by the running instance for as long as it lives.
  win32::UniqueKernelHandle instanceMutex_;
  PathMenu paths_;
  bool clipboardChecked_ = true;
  // The paths as last read or written, to tell whether the editor changed them.
  std::vector<std::wstring> savedPaths_;
  TrayIcon tray_;
  // The window tree the finder walks and the delivery that keeps the finder and FoundWindows
  // between path menu clicks, both living as long as the program.
  Win32WindowTree windowTree_;
  PathDelivery delivery_{windowTree_};
  // The delivery's effects, keeping what it read of a dialog as a menu opened for the click.
  std::unique_ptr<Win32Desktop> desktop_;
  RecentFolders recent_;
  // The menus' sections, in order (main_window.cpp lists them).
  std::vector<std::unique_ptr<FolderSource>> sources_;
  HotkeyMenu hotkeyMenu_;
  std::unique_ptr<EditorWindow> editor_;
  std::unique_ptr<AboutWindow> about_;
  std::unique_ptr<DialogHotkey> hotkey_;
  std::unique_ptr<HotkeyWindow> hotkeyWindow_;
  bool hotkeyUnsaved_ = false;
  bool editorHoldsHotkey_ = false;
  bool menuOpen_ = false;
  bool delivering_ = false;
  std::optional<UnloadMode> endPending_;
  bool ending_ = false;
};

}  // namespace hop
