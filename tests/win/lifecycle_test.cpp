// Start-up and shut-down of the main window against the real registry and tray.
#include "shell/lifecycle.h"

#include <gtest/gtest.h>

#include "editor/editor_window.h"
#include "memory_store.h"
#include "shell/main_window.h"
#include "test_store.h"

namespace hop {
namespace {

class LifecycleTest : public ::testing::Test {
 protected:
  void SetUp() override { test::ClearTestStore(); }
  void TearDown() override { test::ClearTestStore(); }

  static void Seed(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> values) {
    for (const auto& [key, text] : values)
      test::TestStore().Save(L"Quorvane", L"Hopdirs", key, text);
  }
  static std::optional<std::wstring> Stored(const wchar_t* key) {
    return test::TestStore().Get(L"Quorvane", L"Hopdirs", key);
  }
  static DWORD ValueCount() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, test::TestStoreKey().c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
      return 0;
    }
    DWORD count = 0;
    ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr,
                       nullptr, nullptr, nullptr);
    ::RegCloseKey(key);
    return count;
  }
};

TEST_F(LifecycleTest, LoadRebuildsThePathMenuClipboardAndTipFromTheStore) {
  Seed({{L"Amount", L"3"},
        {L"Path1", L"C:\\a&b\\"},
        {L"Path3", L"D:\\Ünï\\"},
        {L"Clipboard", L"false"}});
  MainWindow frmMain(::GetModuleHandleW(nullptr), test::TestStore(), test::TestInstanceName());
  ASSERT_TRUE(frmMain.Create());
  EXPECT_EQ(frmMain.Paths().Paths(), (std::vector<std::wstring>{L"C:\\a&b\\", L"", L"D:\\Ünï\\"}));
  EXPECT_FALSE(frmMain.ClipboardChecked());
  EXPECT_TRUE(frmMain.TrayNotify().IsStarted());
  EXPECT_EQ(frmMain.TrayNotify().TipText(), L"3 Hopdirs");
  frmMain.TrayNotify().Stop();
}

TEST_F(LifecycleTest, SecondInstanceEndsWithoutReadingOrShowingAnIcon) {
  MainWindow first(::GetModuleHandleW(nullptr), test::TestStore(), test::TestInstanceName());
  ASSERT_TRUE(first.Create());
  Seed({{L"Amount", L"1"}, {L"Path1", L"C:\\x"}, {L"Clipboard", L"False"}});

  MainWindow second(::GetModuleHandleW(nullptr), test::TestStore(), test::TestInstanceName());
  EXPECT_FALSE(second.Create());
  EXPECT_EQ(second.PathCount(), 0);
  EXPECT_TRUE(second.ClipboardChecked());  // never read
  EXPECT_FALSE(second.TrayNotify().IsStarted());
  EXPECT_TRUE(first.TrayNotify().IsStarted());
  EXPECT_EQ(Stored(L"Path1"), L"C:\\x");
  EXPECT_EQ(ValueCount(), 3u);
  first.TrayNotify().Stop();
}

TEST_F(LifecycleTest, InstanceEndsWithItsWindowSoALaterOneStarts) {
  {
    MainWindow first(::GetModuleHandleW(nullptr), test::TestStore(), test::TestInstanceName());
    ASSERT_TRUE(first.Create());
  }
  MainWindow later(::GetModuleHandleW(nullptr), test::TestStore(), test::TestInstanceName());
  EXPECT_TRUE(later.Create());
  later.TrayNotify().Stop();
}

TEST_F(LifecycleTest, ShutDownWritesTheMenuThenRemovesTheIconAndClosesTheEditor) {
  Seed({{L"Amount", L"5"},
        {L"Path1", L"1"},
        {L"Path2", L"2"},
        {L"Path3", L"3"},
        {L"Path4", L"4"},
        {L"Path5", L"5"},
        {L"Clipboard", L"True"}});
  MainWindow frmMain(::GetModuleHandleW(nullptr), test::TestStore(), test::TestInstanceName());
  ASSERT_TRUE(frmMain.Create());
  for (std::uint8_t last = 5; last > 2; --last) frmMain.DeleteMenuItem(last);
  frmMain.Paths().SetCaption(2, L"  E:\\new & improved ");
  frmMain.mnuClipboard_Click();
  frmMain.frmList().Show();
  ASSERT_TRUE(frmMain.frmList().IsVisible());

  frmMain.ShutDown();
  EXPECT_EQ(Stored(L"Amount"), L"2");
  EXPECT_EQ(Stored(L"Path1"), L"1");
  EXPECT_EQ(Stored(L"Path2"), L"  E:\\new & improved ");
  EXPECT_EQ(Stored(L"Path3"), std::nullopt);
  EXPECT_EQ(Stored(L"Path5"), std::nullopt);
  EXPECT_EQ(Stored(L"Clipboard"), L"False");
  EXPECT_EQ(ValueCount(), 4u);
  EXPECT_FALSE(frmMain.TrayNotify().IsStarted());
  EXPECT_FALSE(frmMain.frmList().IsVisible());
}

TEST_F(LifecycleTest, TheListIsWrittenWhenTheEditorClosesChangedOrTheClipboardIsToggled) {
  struct Case {
    const char* what;
    void (*act)(MainWindow&);
    int writes;
    const wchar_t* amount;
  };
  const Case cases[] = {
      {"editor closed unchanged",
       [](MainWindow& m) {
         m.frmList().Show();
         m.frmList().Unload();
       },
       0, L"1"},
      {"editor closed after an add",
       [](MainWindow& m) {
         m.frmList().Show();
         m.AddMenuItem(2, L"C:\\new\\");
         m.frmList().Unload();
       },
       1, L"2"},
      {"clipboard toggled twice",
       [](MainWindow& m) {
         m.mnuClipboard_Click();
         m.mnuClipboard_Click();
       },
       2, L"1"},
      {"shut down with the editor open: written once, before it closes",
       [](MainWindow& m) {
         m.frmList().Show();
         m.ShutDown();
       },
       1, L"1"},
  };
  for (const Case& c : cases) {
    test::MemoryStore store;
    store.values = {{L"Amount", L"1"}, {L"Path1", L"C:\\a"}};
    MainWindow frmMain(::GetModuleHandleW(nullptr), store, test::TestInstanceName());
    ASSERT_TRUE(frmMain.Create());
    c.act(frmMain);
    EXPECT_EQ(store.Saves(L"Amount"), c.writes) << c.what;  // each write saves "Amount" once
    EXPECT_EQ(store.values[L"Amount"], c.amount) << c.what;
    frmMain.TrayNotify().Stop();
  }
}

TEST_F(LifecycleTest, UnreadableStoredValuesStillStartAndSaveCleanly) {
  const DWORD number = 7;
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, test::TestStoreKey().c_str(), 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ::RegSetValueExW(key, L"Amount", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof(number));
  ::RegCloseKey(key);
  Seed({{L"Path1", L"C:\\kept"}, {L"Clipboard", L"maybe"}});

  MainWindow frmMain(::GetModuleHandleW(nullptr), test::TestStore(), test::TestInstanceName());
  ASSERT_TRUE(frmMain.Create());
  EXPECT_EQ(frmMain.PathCount(), 0);
  EXPECT_TRUE(frmMain.ClipboardChecked());
  EXPECT_EQ(frmMain.TrayNotify().TipText(), L"0 Hopdirs");
  frmMain.AddMenuItem(1, L"C:\\new");
  frmMain.ShutDown();
  EXPECT_EQ(Stored(L"Amount"), L"1");
  EXPECT_EQ(Stored(L"Path1"), L"C:\\new");
  EXPECT_EQ(Stored(L"Clipboard"), L"True");
}

}  // namespace
}  // namespace hop
