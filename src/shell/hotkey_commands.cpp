// The main window's part in the hotkey: reading it at start-up, "&Hotkey...", and the path
// menu it pops inside a file dialog.
#include <windows.h>

#include "delivery/delivery_notice.h"
#include "delivery/win32_desktop.h"
#include "delivery/win32_dialog_survey.h"
#include "editor/editor_window.h"
#include "editor/path_list_editor.h"
#include "hotkey/add_folder.h"
#include "hotkey/dialog_hotkey.h"
#include "hotkey/hotkey_menu.h"
#include "hotkey/hotkey_setting.h"
#include "hotkey/hotkey_window.h"
#include "hotkey/win32_dialog_folder.h"
#include "hotkey/win32_hotkey_menu.h"
#include "hotkey/win32_key_layout.h"
#include "model/scoped_flag.h"
#include "shell/main_window.h"
#include "win32/window_queries.h"

namespace hop {

void MainWindow::StartHotkey() {
  hotkeyWindow_ = std::make_unique<HotkeyWindow>(hwnd_, largeIcon_.get());
  hotkey_ = std::make_unique<DialogHotkey>(hwnd_, [this](const Hotkey& refused) {
    tray_.ShowBalloon(kNoticeTitle, HotkeyRefusedNotice(refused));
  });
  const auto layouts = InstalledKeyLayouts();
  hotkey_->Start(ReadHotkeySetting(settings_, *layouts));
}

std::optional<Hotkey> MainWindow::CurrentHotkey() const {
  return hotkey_ ? hotkey_->Key() : std::nullopt;
}

void MainWindow::mnuHotkey_Click() {
  std::optional<HotkeyWindow::Choice> choice;
  {
    const HotkeyHold hold(hotkey_.get());
    choice = hotkeyWindow_->Show(CurrentHotkey());
  }
  if (!choice || ending_) return;
  hotkey_->SetKey(choice->hotkey);
  hotkeyUnsaved_ = true;
  SaveSettings();  // stored at once
}

void MainWindow::OnDialogHotkey() {
  // As with the tray: one menu at a time, nothing while a modal box is open or while ending.
  if (menuOpen_ || delivering_ || ending_ || !::IsWindowEnabled(hwnd_)) return;
  const HWND dialog = ::GetForegroundWindow();
  const HWND field = UsableDialogField(dialog, *desktop_);  // read once, for the delivery too
  if (!field || editor_->IsVisible()) return;
  if (PathCount() == 0) {
    tray_.ShowBalloon(kNoticeTitle, NoPathsNotice());
    return;
  }
  const auto folder = ReadDialogFolder(dialog);
  const auto addFolder = AddFolderCaption(paths_, folder);
  const bool focusInField = FocusOf(dialog) == field;
  const Menu menu = BuildMenu(win32::ProgramOf(dialog));  // its own recent folders first
  HotkeyMenu::Pick pick;
  {
    const ScopedFlag open(menuOpen_);
    pick = hotkeyMenu_.Pop(hwnd_, dialog, field, menu, addFolder);
  }
  if (pick.addFolder)
    AddDialogFolder(*folder, dialog, focusInField ? nullptr : field);
  else if (pick.choice)
    Act(*pick.choice, dialog);
  ReturnForeground(dialog);
}

void MainWindow::AddDialogFolder(const std::wstring& folder, HWND dialog, HWND field) {
  // As the editor's Add: appended unless listed already or the list is full; stored at once.
  if (AddPath(paths_, StoredFolder(folder))) {
    SaveSettings();
    tray_.SetTipText(TipText(PathCount()));
  }
  // Nothing is typed into the dialog. Made the foreground again, it puts the focus back where
  // it was; only a focus elsewhere is moved to the file-name field.
  if (!::IsWindow(dialog)) return;
  ::SetForegroundWindow(dialog);
  if (field) ::PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
}

}  // namespace hop
