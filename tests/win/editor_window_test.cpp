// The editor window against the real controls and dialog manager: its design, placement, the
// keyboard interface, the path menu kept in step, and context help.
#include "editor/editor_window.h"

#include <gtest/gtest.h>

#include "editor/editor_help.h"
#include "editor/editor_layout.h"
#include "win32/twips.h"
#include "shell/main_window.h"
#include "test_store.h"
#include "win32/dpi.h"
#include "window_texts.h"

namespace hop {
namespace {

namespace layout = editor_layout;

struct EditorWindowTest : ::testing::Test {
  MainWindow frmMain{::GetModuleHandleW(nullptr), test::TestStore(), test::TestInstanceName()};
  EditorWindow* editor = nullptr;

  void SetUp() override {
    // Whatever a start-up would read from the settings must not add to the paths stored below.
    test::ClearTestStore();
    ASSERT_TRUE(frmMain.Create());
    editor = &frmMain.frmList();
  }
  void TearDown() override {
    editor->Unload();
    frmMain.TrayNotify().Stop();
  }

  void Store(std::initializer_list<const wchar_t*> paths) {
    for (const wchar_t* path : paths) {
      frmMain.AddMenuItem(static_cast<std::uint8_t>(frmMain.PathCount() + 1), path);
    }
  }
  HWND Item(int id) const { return ::GetDlgItem(editor->hwnd(), id); }
  HWND Edit() const { return ::FindWindowExW(Item(layout::cboPaths), nullptr, L"Edit", nullptr); }
  bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)); }
  LRESULT Selection() const { return ::SendMessageW(Item(layout::cboPaths), CB_GETCURSEL, 0, 0); }
  std::vector<std::wstring> Entries() const {
    std::vector<std::wstring> entries;
    const HWND combo = Item(layout::cboPaths);
    const auto count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      wchar_t text[512] = {};
      ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      entries.emplace_back(text);
    }
    return entries;
  }

  // Runs the message loop the way the program's own loop does, until nothing is left.
  void Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (editor->PreTranslateMessage(message)) continue;
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  // Keys as the keyboard delivers them, to the control with the focus.
  void Key(UINT vk, bool alt = false) {
    const HWND target = ::GetFocus() ? ::GetFocus() : editor->hwnd();
    const LPARAM altBit = alt ? (LPARAM(1) << 29) : 0;
    ::PostMessageW(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, 1 | altBit);
    ::PostMessageW(target, alt ? WM_SYSKEYUP : WM_KEYUP, vk, 1 | altBit | (LPARAM(3) << 30));
    Pump();
  }
  void Type(const std::wstring& text) {
    for (wchar_t c : text) ::SendMessageW(Edit(), WM_CHAR, c, 1);
    Pump();
  }
};

TEST_F(EditorWindowTest, IsAnOwnedFixedDialogOfItsOwnClassWithTheDesignedControls) {
  editor->Show();
  Pump();
  const HWND form = editor->hwnd();
  ASSERT_TRUE(form);
  EXPECT_TRUE(editor->IsVisible());
  EXPECT_EQ(test::ClassName(form), L"HopdirsList");  // never taken for a "*32770" file dialog
  EXPECT_EQ(test::WindowText(form), L"Hopdirs");
  EXPECT_EQ(::GetWindow(form, GW_OWNER), frmMain.hwnd());  // owned: no taskbar button
  const auto style = ::GetWindowLongPtrW(form, GWL_STYLE);
  const auto exStyle = ::GetWindowLongPtrW(form, GWL_EXSTYLE);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_TRUE(exStyle & WS_EX_CONTEXTHELP);
  EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);

  // Client area and controls in twips at the window's DPI, to within a pixel of rounding.
  const UINT dpi = win32::DpiForWindow(form);
  RECT client{};
  ::GetClientRect(form, &client);
  EXPECT_EQ(client.right, TwipsToPixels(layout::kClientWidth, dpi));
  EXPECT_EQ(client.bottom, TwipsToPixels(layout::kClientHeight, dpi));
  const wchar_t* classes[] = {L"Static", L"ComboBox", L"Button", L"Button", L"Button"};
  HWND next = ::GetWindow(form, GW_CHILD);  // tab order is the order of the child windows
  for (std::size_t i = 0; i < std::size(layout::kControls); ++i) {
    const auto& control = layout::kControls[i];
    const HWND child = Item(control.id);
    ASSERT_TRUE(child) << i;
    EXPECT_EQ(test::ClassName(child), classes[i]);
    EXPECT_EQ(test::WindowText(child), control.id == layout::cboPaths ? L"" : control.caption);
    EXPECT_EQ(::GetWindowContextHelpId(child), control.helpTopic);
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, TwipsToPixels(control.rect.left, dpi)) << i;
    EXPECT_EQ(rect.top, TwipsToPixels(control.rect.top, dpi)) << i;
    if (control.id == layout::Label1) {  // grows to its caption if the font needs it
      EXPECT_GE(rect.right - rect.left, TwipsToPixels(control.rect.width, dpi));
      EXPECT_LT(rect.right, TwipsToPixels(layout::kControls[1].rect.left + 3015, dpi));
    } else {
      EXPECT_EQ(rect.right - rect.left, TwipsToPixels(control.rect.width, dpi)) << i;
    }
    if (control.id != layout::cboPaths) {
      EXPECT_EQ(rect.bottom - rect.top, TwipsToPixels(control.rect.height, dpi)) << i;
    }
    EXPECT_EQ(next, child) << i;
    next = ::GetWindow(next, GW_HWNDNEXT);
  }
  // Tab skips the disabled Add and Delete: from the combo box straight to Close.
  EXPECT_EQ(::GetNextDlgTabItem(form, Item(layout::cboPaths), FALSE), Item(layout::cmdClose));
  EXPECT_EQ(::GetWindowContextHelpId(form), DWORD{kWindowTopic});
  EXPECT_EQ(LOWORD(::SendMessageW(form, DM_GETDEFID, 0, 0)), layout::cmdAdd);
}

TEST_F(EditorWindowTest, OpensAtTheBottomRightOfTheWorkArea) {
  editor->Show();
  RECT rect{}, work{};
  ::GetWindowRect(editor->hwnd(), &rect);
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  ASSERT_LT(work.bottom, ::GetSystemMetrics(SM_CYSCREEN));  // the desktop's taskbar
  EXPECT_EQ(rect.right, work.right + 1);
  EXPECT_EQ(rect.bottom, work.bottom);
}

TEST_F(EditorWindowTest, OpensSortedWithEntry0SelectedAndShowingAgainKeepsTheState) {
  Store({L"D:\\work", L"c:\\temp", L"C:\\Users"});
  editor->Show();
  Pump();
  EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"c:\\temp", L"C:\\Users", L"D:\\work"}));
  EXPECT_EQ(Selection(), 0);
  EXPECT_EQ(test::WindowText(Item(layout::cboPaths)), L"c:\\temp");
  EXPECT_FALSE(Enabled(layout::cmdAdd));
  EXPECT_TRUE(Enabled(layout::cmdDelete));
  EXPECT_TRUE(Enabled(layout::cmdClose));

  Type(L"x");
  const HWND before = editor->hwnd();
  editor->Show();  // already open: brought to the front, not opened again
  EXPECT_EQ(editor->hwnd(), before);
  EXPECT_TRUE(Enabled(layout::cmdAdd));
  EXPECT_EQ(Entries().size(), 3u);
}

TEST_F(EditorWindowTest, TypingEnablesAddAndArrowPickingChangesNeitherButton) {
  Store({L"a", L"b", L"c"});
  editor->Show();
  Pump();
  ::SetFocus(Edit());
  Key(VK_DOWN);  // picks the next entry into the edit field: not an edit
  EXPECT_EQ(Selection(), 1);
  EXPECT_EQ(test::WindowText(Item(layout::cboPaths)), L"b");
  EXPECT_FALSE(Enabled(layout::cmdAdd));
  EXPECT_TRUE(Enabled(layout::cmdDelete));
  Type(L"z");
  EXPECT_TRUE(Enabled(layout::cmdAdd));
  EXPECT_FALSE(Enabled(layout::cmdDelete));
  Key(VK_UP);
  EXPECT_TRUE(Enabled(layout::cmdAdd));
  EXPECT_FALSE(Enabled(layout::cmdDelete));
}

TEST_F(EditorWindowTest, EnterAddsEscapeClosesAndTheMenuFollowsTheSortedList) {
  Store({L"b"});
  editor->Show();
  Pump();
  ::SetFocus(Item(layout::cmdClose));
  Key('P', true);  // the label's mnemonic moves the focus to the combo box
  EXPECT_EQ(::GetFocus(), Edit());
  Key(VK_RETURN);  // Add is disabled: Enter does nothing
  EXPECT_EQ(frmMain.PathCount(), 1);
  ::SendMessageW(Edit(), EM_SETSEL, 0, -1);
  Type(L"a");
  Key(VK_RETURN);
  EXPECT_EQ(frmMain.PathCount(), 2);
  EXPECT_EQ(frmMain.Paths().Paths(), (std::vector<std::wstring>{L"b", L"a"}));
  EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"a", L"b"}));
  EXPECT_EQ(Selection(), 0);
  EXPECT_FALSE(Enabled(layout::cmdAdd));
  EXPECT_TRUE(Enabled(layout::cmdDelete));
  EXPECT_TRUE(::IsWindowEnabled(::GetFocus()));

  Key(VK_ESCAPE);
  EXPECT_FALSE(editor->hwnd());
  EXPECT_FALSE(editor->IsVisible());
  EXPECT_EQ(frmMain.Paths().Paths(), (std::vector<std::wstring>{L"a", L"b"}));
  EXPECT_EQ(frmMain.TrayNotify().TipText(), L"2 Hopdirs");
}

TEST_F(EditorWindowTest, AltDDeletesTheSelectionAndTheMenuHoldsTheRestAtOnce) {
  Store({L"c", L"a", L"d", L"b"});
  editor->Show();
  Pump();
  ::SendMessageW(Item(layout::cboPaths), CB_SETCURSEL, 1, 0);  // "b"
  Key('D', true);
  EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"a", L"c", L"d"}));
  EXPECT_EQ(frmMain.Paths().Paths(), (std::vector<std::wstring>{L"a", L"c", L"d"}));
  EXPECT_EQ(Selection(), 0);
  // Deleting the rest leaves an empty field, Delete disabled and the focus on a live control.
  for (int i = 0; i < 3; ++i) ::SendMessageW(editor->hwnd(), WM_COMMAND, layout::cmdDelete, 0);
  Pump();
  EXPECT_EQ(frmMain.PathCount(), 0);
  EXPECT_EQ(test::WindowText(Item(layout::cboPaths)), L"");
  EXPECT_FALSE(Enabled(layout::cmdDelete));
  // The title-bar close box closes too.
  ::SendMessageW(editor->hwnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(editor->hwnd());
  EXPECT_EQ(frmMain.TrayNotify().TipText(), L"0 Hopdirs");
}

TEST_F(EditorWindowTest, F1AndTheHelpButtonShowEachControlsTopic) {
  editor->Show();
  Pump();
  // F1 makes the platform send WM_HELP to the focused control, here the combo box's own edit
  // field, which passes it on to the window.
  ::SetFocus(Edit());
  HELPINFO info{};
  info.cbSize = sizeof(info);
  info.iContextType = HELPINFO_WINDOW;
  info.hItemHandle = Edit();
  ::SendMessageW(Edit(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  Pump();
  EXPECT_EQ(editor->HelpShown(), EditorHelpText(kPathsTopic));
  Key(VK_ESCAPE);  // closes the help, not the window
  EXPECT_EQ(editor->HelpShown(), L"");
  EXPECT_TRUE(editor->IsVisible());

  // The title-bar help button, then a click on the (disabled) Delete button.
  ::SendMessageW(editor->hwnd(), WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
  RECT rect{};
  ::GetWindowRect(Item(layout::cmdDelete), &rect);
  ::MapWindowPoints(nullptr, editor->hwnd(), reinterpret_cast<POINT*>(&rect), 2);
  ::SendMessageW(editor->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(rect.left + 3, rect.top + 3));
  EXPECT_EQ(editor->HelpShown(), EditorHelpText(kDeleteTopic));
  EXPECT_NE(::GetCapture(), editor->hwnd());

  // A click on the window's empty area gives the window's own topic.
  ::SendMessageW(editor->hwnd(), WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
  ::SendMessageW(editor->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_EQ(editor->HelpShown(), EditorHelpText(kWindowTopic));
  // Closing the window takes its help away.
  editor->Unload();
  EXPECT_EQ(editor->HelpShown(), L"");
}

}  // namespace
}  // namespace hop
