#include "shell/tray_rules.h"

#include <gtest/gtest.h>

#include <new>

#include "model/scoped_flag.h"
#include "shell/click_sorter.h"
#include "shell/tray_retry.h"

namespace hop {
namespace {

TEST(TrayRules, PathMenuNeedsPathsAndAHiddenEditor) {
  EXPECT_EQ(ActionFor(TrayNotification::PathMenu, 0, false), TrayAction::None);
  EXPECT_EQ(ActionFor(TrayNotification::PathMenu, 1, false), TrayAction::PopupPathMenu);
  EXPECT_EQ(ActionFor(TrayNotification::PathMenu, 255, false), TrayAction::PopupPathMenu);
  EXPECT_EQ(ActionFor(TrayNotification::PathMenu, 3, true), TrayAction::None);
}

TEST(TrayRules, ConfigMenuNeedsAHiddenEditorOnly) {
  EXPECT_EQ(ActionFor(TrayNotification::ConfigMenu, 0, false), TrayAction::PopupConfigMenu);
  EXPECT_EQ(ActionFor(TrayNotification::ConfigMenu, 0, true), TrayAction::None);
  EXPECT_EQ(ActionFor(TrayNotification::ConfigMenu, 9, true), TrayAction::None);
}

TEST(TrayRules, EditorNotificationAlwaysShowsTheEditor) {
  EXPECT_EQ(ActionFor(TrayNotification::Editor, 0, false), TrayAction::ShowEditor);
  EXPECT_EQ(ActionFor(TrayNotification::Editor, 5, true), TrayAction::ShowEditor);
}

TEST(TrayRules, TipTextIsTheCountAndHopdirs) {
  EXPECT_EQ(TipText(0), L"0 Hopdirs");
  EXPECT_EQ(TipText(3), L"3 Hopdirs");
  EXPECT_EQ(TipText(255), L"255 Hopdirs");
}

using Event = ClickSorter::Event;

TEST(ClickSorter, SingleClickRaisesThePathMenuOnlyAfterTheWait) {
  ClickSorter clicks;
  auto up = clicks.On(Event::LeftUp);
  EXPECT_TRUE(up.startWait);
  EXPECT_FALSE(up.raise);
  auto elapsed = clicks.On(Event::WaitElapsed);
  EXPECT_EQ(elapsed.raise, TrayNotification::PathMenu);
  EXPECT_TRUE(elapsed.stopWait);
  // A stray timer tick afterwards raises nothing.
  EXPECT_FALSE(clicks.On(Event::WaitElapsed).raise);
}

TEST(ClickSorter, DoubleClickRaisesOnlyTheEditor) {
  ClickSorter clicks;
  clicks.On(Event::LeftUp);
  auto dbl = clicks.On(Event::LeftDoubleClick);
  EXPECT_EQ(dbl.raise, TrayNotification::Editor);
  EXPECT_TRUE(dbl.stopWait);
  auto trailingUp = clicks.On(Event::LeftUp);
  EXPECT_FALSE(trailingUp.raise);
  EXPECT_FALSE(trailingUp.startWait);
  EXPECT_FALSE(clicks.On(Event::WaitElapsed).raise);
  // The next single click works again.
  EXPECT_TRUE(clicks.On(Event::LeftUp).startWait);
  EXPECT_EQ(clicks.On(Event::WaitElapsed).raise, TrayNotification::PathMenu);
}

TEST(ClickSorter, RightClickAndKeyboardActAtOnceAndCancelAPendingClick) {
  ClickSorter clicks;
  clicks.On(Event::LeftUp);
  auto config = clicks.On(Event::ConfigRequest);
  EXPECT_EQ(config.raise, TrayNotification::ConfigMenu);
  EXPECT_TRUE(config.stopWait);
  EXPECT_FALSE(clicks.On(Event::WaitElapsed).raise);
  EXPECT_EQ(clicks.On(Event::KeySelect).raise, TrayNotification::PathMenu);
}

}  // namespace
}  // namespace hop

namespace hop {
namespace {

TEST(TrayRetry, OftenAtFirstThenSeldomThenNoMore) {
  const std::pair<std::uint64_t, std::optional<std::uint32_t>> cases[] = {
      {0, 1'000},        {29'999, 1'000},         {30'000, 10'000},
      {299'999, 10'000}, {300'000, std::nullopt}, {86'400'000, std::nullopt},
  };
  for (const auto& [since, delay] : cases) EXPECT_EQ(TrayRetryDelay(since), delay) << since;
}

// "A menu is open" must not outlive the menu, or every later click is ignored.
TEST(MenuOpenFlag, IsLoweredOnEveryWayOutAThrowIncluded) {
  bool menuOpen = false;
  {
    const ScopedFlag open(menuOpen);
    EXPECT_TRUE(menuOpen);
  }
  EXPECT_FALSE(menuOpen);
  EXPECT_THROW(
      {
        const ScopedFlag open(menuOpen);
        throw std::bad_alloc();
      },
      std::bad_alloc);
  EXPECT_FALSE(menuOpen);
}

}  // namespace
}  // namespace hop
