// The start-up read and the shut-down write over an in-memory store that records every operation.
#include "settings/path_list_settings.h"

#include <gtest/gtest.h>

#include <vector>

#include "memory_store.h"
#include "path_lists.h"
#include "settings/setting_values.h"

namespace hop {
namespace {

using test::MemoryStore;
using test::MenuOf;

MemoryStore StoreWith(std::size_t count, bool clipboard = true) {
  MemoryStore store;
  store.values[L"Amount"] = std::to_wstring(count);
  for (std::size_t k = 1; k <= count; ++k)
    store.values[PathKey(k)] = L"C:\\old" + std::to_wstring(k);
  store.values[L"Clipboard"] = clipboard ? L"True" : L"False";
  return store;
}

struct ReadResult {
  PathMenu menu;
  bool clipboard = false;
};

ReadResult Read(MemoryStore& store) {
  ReadResult result;
  result.clipboard = false;  // the read must replace whatever state the item had
  ReadPathListSettings(store, result.menu, result.clipboard);
  return result;
}

using Log = std::vector<std::wstring>;

TEST(SettingsRead, FirstRunGivesNoPathsAndClipboardOn) {
  MemoryStore store;
  ReadResult read = Read(store);
  EXPECT_EQ(read.menu.PathCount(), 0);
  EXPECT_TRUE(read.clipboard);
  EXPECT_EQ(store.log, (Log{L"get Amount", L"get Clipboard"}));
}

TEST(SettingsRead, ReadsEveryStoredPathInOrderAndAMissingOneAsEmpty) {
  MemoryStore store = StoreWith(3, false);
  store.values.erase(L"Path2");
  store.values[L"Path4"] = L"beyond the count: never read";
  ReadResult read = Read(store);
  EXPECT_EQ(read.menu.Paths(), (std::vector<std::wstring>{L"C:\\old1", L"", L"C:\\old3"}));
  EXPECT_TRUE(read.menu.IsEnabled(2));
  EXPECT_FALSE(read.clipboard);
  EXPECT_EQ(store.log,
            (Log{L"get Amount", L"get Path1", L"get Path2", L"get Path3", L"get Clipboard"}));

  // The empty item is stored back as an empty text.
  store.log.clear();
  WritePathListSettings(store, read.menu, read.clipboard, store.Beep());
  EXPECT_EQ(store.values.at(L"Path2"), L"");
  EXPECT_EQ(store.log, (Log{L"get Amount", L"save Amount=3", L"save Path1=C:\\old1", L"save Path2=",
                            L"save Path3=C:\\old3", L"save Clipboard=False"}));
}

TEST(SettingsRead, AcceptsEveryFormOfTheClipboardOption) {
  const std::vector<std::pair<std::wstring, bool>> cases = {
      {L"True", true}, {L"False", false}, {L"TRUE", true}, {L"false", false}, {L"fAlSe", false},
      {L"0", false},   {L"-1", true},     {L"1", true},    {L"0.0", false},   {L" False ", false},
      {L"2.5", true},  {L"-0", false},    {L"yes", true},  {L"", true},       {L"Falsehood", true},
      {L"1e", true},   {L"0x0", true},    {L"-", true},
  };
  for (const auto& [text, expected] : cases) {
    MemoryStore store;
    store.values[L"Clipboard"] = text;
    EXPECT_EQ(Read(store).clipboard, expected) << L"Clipboard=\"" << text << L"\"";
  }
}

TEST(SettingsRead, GarbageAmountStartsEmptyOrKeepsWhatItCan) {
  const std::vector<std::pair<std::wstring, int>> cases = {
      {L"abc", 0},
      {L"", 0},
      {L"-1", 0},
      {L"300", 255},
      {L"1e3", 0},
      {L" 7 ", 7},
      {L"\t2", 2},
      {L"007", 7},
      {L"3.0", 0},
      {L"+4", 0},
      {L"255", 255},
      {L"256", 255},
      {L"99999999999999999999999", 255},
      {L"1 2", 0},
      {L"٣", 0},
  };
  for (const auto& [text, expected] : cases) {
    MemoryStore store = StoreWith(260);
    store.values[L"Amount"] = text;
    ReadResult read = Read(store);
    ASSERT_EQ(read.menu.PathCount(), expected) << L"Amount=\"" << text << L"\"";
    if (expected > 0) {
      EXPECT_EQ(read.menu.Caption(std::size_t(expected)), L"C:\\old" + std::to_wstring(expected));
    }
  }
}

TEST(SettingsRead, KeepsAmpersandsBlanksAndNonAsciiExactly) {
  MemoryStore store;
  const std::vector<std::wstring> paths = {L"  C:\\R&D\\ ", L"\\\\server\\share\\&&x",
                                           L"C:\\Ünïcödé\\日本\\"};
  store.values[L"Amount"] = L"3";
  for (std::size_t k = 0; k < paths.size(); ++k) store.values[PathKey(k + 1)] = paths[k];
  ReadResult read = Read(store);
  EXPECT_EQ(read.menu.Paths(), paths);
  MemoryStore written;
  WritePathListSettings(written, read.menu, true, written.Beep());
  for (std::size_t k = 0; k < paths.size(); ++k)
    EXPECT_EQ(written.values[PathKey(k + 1)], paths[k]);
}

TEST(SettingsWrite, FirstRunWithoutChangesStoresZeroAndTrueWithoutBeep) {
  MemoryStore store;
  WritePathListSettings(store, PathMenu(), true, store.Beep());
  EXPECT_EQ(store.log, (Log{L"get Amount", L"save Amount=0", L"save Clipboard=True"}));
}

TEST(SettingsWrite, ShortenedListBeepsOnceAndDeletesTheSurplusInAscendingOrder) {
  MemoryStore store = StoreWith(5);
  WritePathListSettings(store, MenuOf({L"C:\\a", L"D:\\b"}), false, store.Beep());
  EXPECT_EQ(store.log, (Log{L"get Amount", L"beep", L"delete Path3", L"delete Path4",
                            L"delete Path5", L"save Amount=2", L"save Path1=C:\\a",
                            L"save Path2=D:\\b", L"save Clipboard=False"}));
  EXPECT_EQ(store.values.size(), 4u);  // Amount, Path1, Path2, Clipboard
}

TEST(SettingsWrite, EmptiedListDeletesEveryPathAndSavesNone) {
  MemoryStore store = StoreWith(5);
  WritePathListSettings(store, PathMenu(), true, store.Beep());
  EXPECT_EQ(store.log,
            (Log{L"get Amount", L"beep", L"delete Path1", L"delete Path2", L"delete Path3",
                 L"delete Path4", L"delete Path5", L"save Amount=0", L"save Clipboard=True"}));
}

TEST(SettingsWrite, GrownOrSameSizedListOverwritesWithoutBeepOrDelete) {
  MemoryStore grown = StoreWith(2);
  WritePathListSettings(grown, MenuOf({L"1", L"2", L"3", L"4"}), true, grown.Beep());
  EXPECT_EQ(grown.log, (Log{L"get Amount", L"save Amount=4", L"save Path1=1", L"save Path2=2",
                            L"save Path3=3", L"save Path4=4", L"save Clipboard=True"}));

  MemoryStore same = StoreWith(2);
  WritePathListSettings(same, MenuOf({L"new1", L"new2"}), true, same.Beep());
  EXPECT_EQ(same.log, (Log{L"get Amount", L"save Amount=2", L"save Path1=new1", L"save Path2=new2",
                           L"save Clipboard=True"}));
}

TEST(SettingsWrite, GarbageOldCountIsReadLikeAtStartUp) {
  MemoryStore huge = StoreWith(3);
  huge.values[L"Amount"] = L" 300 ";  // reads as 255: the surplus keys 2..255 go
  WritePathListSettings(huge, MenuOf({L"x"}), true, huge.Beep());
  ASSERT_GE(huge.log.size(), 4u);
  EXPECT_EQ(huge.log[1], L"beep");
  EXPECT_EQ(huge.log[2], L"delete Path2");
  EXPECT_EQ(huge.log[255], L"delete Path255");
  EXPECT_EQ(huge.log[256], L"save Amount=1");

  MemoryStore junk = StoreWith(3);
  junk.values[L"Amount"] = L"abc";  // reads as 0: nothing to delete, no beep
  WritePathListSettings(junk, MenuOf({L"x"}), true, junk.Beep());
  EXPECT_EQ(junk.log,
            (Log{L"get Amount", L"save Amount=1", L"save Path1=x", L"save Clipboard=True"}));
}

TEST(SettingsWrite, FailingStoreStillRunsEveryOperation) {
  MemoryStore store = StoreWith(3);
  store.refuseWrites = true;
  WritePathListSettings(store, MenuOf({L"a"}), true, store.Beep());
  EXPECT_EQ(store.log, (Log{L"get Amount", L"beep", L"delete Path2", L"delete Path3",
                            L"save Amount=1", L"save Path1=a", L"save Clipboard=True"}));
  // A key already gone is not an error either.
  MemoryStore gaps = StoreWith(4);
  gaps.values.erase(L"Path3");
  WritePathListSettings(gaps, MenuOf({L"a"}), true, gaps.Beep());
  EXPECT_EQ(gaps.values.count(L"Path4"), 0u);
  EXPECT_EQ(gaps.values.at(L"Amount"), L"1");
}

TEST(Settings, FullListOf255PathsSurvivesAWriteAndARead) {
  const auto paths = test::NumberedPaths(255, L"C:\\dir", L"\\");
  MemoryStore store;
  WritePathListSettings(store, MenuOf(paths), false, store.Beep());
  EXPECT_EQ(store.values.at(L"Amount"), L"255");
  EXPECT_EQ(store.values.at(L"Path255"), L"C:\\dir255\\");
  EXPECT_EQ(store.log.size(), 1u + 1u + 255u + 1u);

  ReadResult read = Read(store);
  EXPECT_EQ(read.menu.Paths(), paths);
  EXPECT_FALSE(read.clipboard);
}

}  // namespace
}  // namespace hop
