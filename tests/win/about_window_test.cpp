// The about box as a real window: modal, filled, centred, closed by Enter and by the shut-down.
#include "about/about_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "about/about_texts.h"
#include "about/program_version.h"
#include "app/version.h"
#include "shell/main_window.h"
#include "test_store.h"
#include "window_texts.h"

namespace hop {
namespace {

struct Child {
  std::wstring className;
  std::wstring text;
  LONG_PTR style;
};

HWND FindBox() {
  return ::FindWindowW(AboutWindow::kClassName, nullptr);
}

std::vector<Child> ChildrenOf(HWND window) {
  std::vector<Child> children;
  win32::ForEachChild(window, [&](HWND child) {
    children.push_back(
        {test::ClassName(child), test::WindowText(child), ::GetWindowLongPtrW(child, GWL_STYLE)});
    return true;
  });
  return children;
}

void PostKey(HWND window, WPARAM key) {
  ::PostMessageW(window, WM_KEYDOWN, key, 1);
  ::PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

// Runs the given steps one after the other from a timer while the modal box runs; the last one
// must close the box. A step that finds no box closes nothing, so a stuck test ends anyway.
std::vector<std::function<void()>>* gSteps = nullptr;
AboutWindow* gBox = nullptr;
void RunStepsWhileModal(AboutWindow& box, std::vector<std::function<void()>> steps,
                        const std::function<void()>& show) {
  gSteps = &steps;
  gBox = &box;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
    if (gSteps->empty()) return gBox->Unload();
    auto step = std::move(gSteps->front());
    gSteps->erase(gSteps->begin());
    step();
  });
  show();
  ::KillTimer(nullptr, timer);
  gSteps = nullptr;
  gBox = nullptr;
}

class AboutBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Main windows of earlier tests in this process posted WM_QUIT, which would end the modal loop.
    MSG quit;
    while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    test::ClearTestStore();
    ASSERT_TRUE(frmMain.Create());
  }
  void TearDown() override {
    frmMain.TrayNotify().Stop();
    test::ClearTestStore();
  }
  // Runs the steps while the about command shows the box.
  void AboutWhileModal(std::vector<std::function<void()>> steps) {
    RunStepsWhileModal(frmMain.frmAboutBox(), std::move(steps), [&] { frmMain.mnuAbout_Click(); });
  }
  MainWindow frmMain{::GetModuleHandleW(nullptr), test::TestStore(), test::TestInstanceName()};
};

TEST_F(AboutBoxTest, ShowsItsFiguresCentredAndModalAndEnterClosesIt) {
  frmMain.AddMenuItem(1, L"C:\\a");
  frmMain.AddMenuItem(2, L"C:\\b");
  frmMain.AddMenuItem(3, L"C:\\c");
  std::wstring caption;
  std::vector<Child> children;
  RECT rect{};
  bool mainEnabledWhileOpen = true;
  std::wstring focused;
  AboutWhileModal({[&] {
    const HWND box = FindBox();
    ASSERT_NE(box, nullptr);
    caption = test::WindowText(box);
    children = ChildrenOf(box);
    ::GetWindowRect(box, &rect);
    mainEnabledWhileOpen = ::IsWindowEnabled(frmMain.hwnd());
    focused = test::WindowText(::GetFocus());
    PostKey(::GetFocus(), VK_RETURN);
  }});

  EXPECT_EQ(FindBox(), nullptr);  // Enter closed it and the command returned
  EXPECT_TRUE(::IsWindowEnabled(frmMain.hwnd()));
  EXPECT_FALSE(mainEnabledWhileOpen);
  EXPECT_EQ(caption, L"About Hopdirs");
  EXPECT_EQ(focused, L"OK");

  MEMORYSTATUSEX memory{sizeof(memory)};
  ASSERT_TRUE(::GlobalMemoryStatusEx(&memory));
  wchar_t separator[8] = {};
  ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, separator, 8);
  std::vector<std::wstring> texts;
  for (const Child& child : children) texts.push_back(child.text);
  ASSERT_EQ(texts.size(), 10u);
  EXPECT_EQ(texts[1], L"File Selector Hopdir Access, 1.21");
  EXPECT_EQ(texts[5], L"Information:");
  EXPECT_EQ(texts[6], L"3 Hopdirs are available");
  EXPECT_EQ(texts[7], L"Physical Memory Available to Windows:");
  EXPECT_EQ(texts[8], MemoryText(memory.ullTotalPhys, separator));
  EXPECT_EQ(texts[9], L"OK");
  EXPECT_EQ(children[9].className, L"Button");
  EXPECT_TRUE(children[9].style & BS_DEFPUSHBUTTON);
  for (std::size_t i = 0; i < 9; ++i) {
    EXPECT_EQ(children[i].className, L"Static");
    EXPECT_FALSE(children[i].style & WS_TABSTOP);  // OK is the only control with the focus
  }

  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  EXPECT_NEAR(rect.left, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2.0, 1.0);
  EXPECT_NEAR(rect.top, (::GetSystemMetrics(SM_CYSCREEN) - height) / 2.0, 1.0);
}

TEST_F(AboutBoxTest, ADpiChangeScalesTheBoxAndItsControlsAndMovesItWhereTheSystemSays) {
  const auto sizeOf = [](HWND window) {
    RECT rect{};
    ::GetClientRect(window, &rect);
    return SIZE{rect.right, rect.bottom};
  };
  SIZE box{}, ok{}, largerBox{}, largerOk{};
  RECT placed{};
  AboutWhileModal({[&] {
    const HWND found = FindBox();
    ASSERT_NE(found, nullptr);
    const UINT dpi = ::GetDpiForWindow(found);
    box = sizeOf(found);
    ok = sizeOf(::GetDlgItem(found, IDOK));
    RECT suggested{100, 50, 900, 700};
    ::SendMessageW(found, WM_DPICHANGED, MAKEWPARAM(dpi * 3 / 2, dpi * 3 / 2),
                   reinterpret_cast<LPARAM>(&suggested));
    largerBox = sizeOf(found);
    largerOk = sizeOf(::GetDlgItem(found, IDOK));
    ::GetWindowRect(found, &placed);
  }});
  // The outer size is computed for the new DPI's caption; a simulated change keeps the old
  // caption, so only the width of the client area is exact here.
  EXPECT_NEAR(largerBox.cx, box.cx * 1.5, 1.0);
  EXPECT_GE(largerBox.cy, box.cy * 1.5 - 1);
  EXPECT_NEAR(largerOk.cx, ok.cx * 1.5, 1.0);
  EXPECT_NEAR(largerOk.cy, ok.cy * 1.5, 1.0);
  EXPECT_EQ(placed.left, 100);
  EXPECT_EQ(placed.top, 50);
}

TEST_F(AboutBoxTest, EscapeDoesNothingAndEachShowingRecomputes) {
  bool openAfterEscape = false;
  std::wstring first, second;
  AboutWhileModal({[&] { PostKey(::GetFocus(), VK_ESCAPE); },
                   [&] {
                     openAfterEscape = FindBox() != nullptr;
                     first = ChildrenOf(FindBox()).at(6).text;
                     ::SendMessageW(FindBox(), WM_CLOSE, 0, 0);  // the title bar's close
                   }});
  EXPECT_TRUE(openAfterEscape);
  EXPECT_EQ(first, L"0 Hopdirs are available");
  frmMain.AddMenuItem(1, L"C:\\new");
  AboutWhileModal({[&] {
    second = ChildrenOf(FindBox()).at(6).text;
    frmMain.frmAboutBox().Unload();
  }});
  EXPECT_EQ(second, L"1 Hopdirs are available");
  EXPECT_EQ(FindBox(), nullptr);
}

TEST_F(AboutBoxTest, ShutDownWhileOpenSavesFirstThenClosesTheBox) {
  frmMain.AddMenuItem(1, L"C:\\kept");
  bool iconGone = false, boxGone = false;
  std::optional<std::wstring> storedWhileClosing;
  AboutWhileModal({[&] {
    frmMain.ShutDown();
    iconGone = !frmMain.TrayNotify().IsStarted();
    boxGone = FindBox() == nullptr;
    storedWhileClosing = test::TestStore().Get(L"Quorvane", L"Hopdirs", L"Path1");
  }});
  EXPECT_TRUE(iconGone);
  EXPECT_TRUE(boxGone);
  EXPECT_EQ(storedWhileClosing, L"C:\\kept");
}

TEST(ProgramVersion, ComesFromTheVersionResource) {
  const auto version = ReadProgramVersion(nullptr);
  ASSERT_TRUE(version.has_value());
  EXPECT_EQ(version->description, L"File Selector Hopdir Access");
  EXPECT_EQ(version->major, unsigned(HOP_VERSION_MAJOR));
  EXPECT_EQ(version->minor, unsigned(HOP_VERSION_MINOR));
  EXPECT_EQ(version->revision, unsigned(HOP_VERSION_REVISION));
}

}  // namespace
}  // namespace hop
