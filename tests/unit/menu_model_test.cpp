// The path menu's model: sections after the paths, identifiers, lookup, digits; the same-folder
// rule; the recent folders and how they are stored.
#include "model/menu_model.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "memory_store.h"
#include "model/background_source.h"
#include "model/recent_folders.h"
#include "model/same_folder.h"
#include "path_lists.h"
#include "settings/recent_settings.h"

namespace hop {
namespace {

using Folders = std::vector<std::wstring>;
using Kind = MenuRow::Kind;

// A section as a source hands it over.
class FixedSource final : public FolderSource {
 public:
  explicit FixedSource(MenuSection section) : section_(std::move(section)) {}
  void Start() override { started = true; }
  MenuSection Collect(const SourceRead& read) override {
    EXPECT_TRUE(started);
    deadline = read.deadline;
    return section_;
  }
  bool started = false;
  std::chrono::steady_clock::time_point deadline;

 private:
  MenuSection section_;
};

TEST(MenuModel, SectionsFollowThePathsWithIdsInOrderAndEachFolderOnce) {
  const PathMenu paths = test::MenuOf({L"C:\\R&D\\", L"D:\\fav"});
  FixedSource open({L"Open in Explorer", Origin::OpenFolder, {L"c:/r&d", L"E:\\x", L"E:\\y"}, 1});
  FixedSource recent({L"Recent", Origin::Recent, {L"e:\\X\\", L"F:\\z", L"d:\\FAV\\"}});
  FixedSource empty({L"Elsewhere", Origin::OpenFolder, {L"F:\\Z"}});
  FolderSource* sources[] = {&open, &recent, &empty};
  const auto before = std::chrono::steady_clock::now();
  const Menu menu(paths, ReadSections(sources, L""));
  EXPECT_EQ(open.deadline, recent.deadline) << "one deadline for all";
  EXPECT_LE(open.deadline - before, kSourcesCap + std::chrono::milliseconds(50));

  const std::vector<MenuRow> rows{
      {Kind::Heading, L"Available Hopdirs...", 0},
      {Kind::Entry, L"C:\\R&&D\\", 1001},
      {Kind::Entry, L"D:\\fav", 1002},
      {Kind::Separator, L"", 0},
      {Kind::Heading, L"Open in Explorer", 0},
      {Kind::Entry, L"E:\\x", 1003},  // a favourite left out, then the limit of one
      {Kind::Separator, L"", 0},
      {Kind::Heading, L"Recent", 0},
      {Kind::Entry, L"F:\\z", 1004},  // E:\x listed above, D:\fav a path
  };                                  // "Elsewhere" is left with nothing: no heading
  EXPECT_EQ(menu.Rows(false), rows);
  const struct {
    unsigned id;
    std::optional<Choice> choice;
    const char* row;
  } lookups[] = {
      {1001, Choice{L"C:\\R&D\\", Origin::Favourite}, "a path, as stored"},
      {1003, Choice{L"E:\\x\\", Origin::OpenFolder}, "an open folder, as a folder"},
      {1004, Choice{L"F:\\z\\", Origin::Recent}, "a recent folder, as a folder"},
      {1005, std::nullopt, "past the last entry"},
      {1000, std::nullopt, "before the first"},
      {0, std::nullopt, "dismissed"},
  };
  for (const auto& l : lookups) EXPECT_EQ(menu.ChoiceFor(l.id), l.choice) << l.row;
}

TEST(MenuModel, ASlowReaderIsLeftOutAtTheDeadlineAndNotStartedAgainWhileOut) {
  struct Gate {
    std::atomic<int> starts = 0;
    std::atomic<bool> open = false;
  };
  const auto gate = std::make_shared<Gate>();
  BackgroundSource slow(L"Slow", [gate] {
    ++gate->starts;
    while (!gate->open) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return Folders{L"C:\\s"};
  });
  BackgroundSource quick(L"Quick", [] { return Folders{L"C:\\q"}; });
  FolderSource* sources[] = {&slow, &quick};
  const auto started = std::chrono::steady_clock::now();
  auto sections = ReadSections(sources, L"", std::chrono::milliseconds(100));
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(400));
  EXPECT_TRUE(sections[0].folders.empty());
  EXPECT_EQ(sections[1].folders, Folders{L"C:\\q"});
  sections = ReadSections(sources, L"", std::chrono::milliseconds(20));
  EXPECT_TRUE(sections[0].folders.empty());
  EXPECT_EQ(gate->starts, 1) << "still out: not started twice";
  gate->open = true;
  for (int tries = 0; tries < 100 && sections[0].folders.empty(); ++tries)
    sections = ReadSections(sources, L"", std::chrono::milliseconds(50));
  EXPECT_EQ(sections[0].folders, Folders{L"C:\\s"});
}

TEST(MenuModel, DigitsRunOnIntoTheSectionsTenInAll) {
  const PathMenu paths = test::MenuOf(test::NumberedPaths(8, L"C:\\p"));
  const Menu menu(paths, {{L"Recent", Origin::Recent, {L"D:\\R&D", L"D:\\x", L"D:\\y"}}});
  const auto rows = menu.Rows(true);
  ASSERT_EQ(rows.size(), 14u);
  const struct {
    std::size_t at;
    std::wstring text;
  } cases[] = {{1, L"&1 C:\\p1"}, {8, L"&8 C:\\p8"}, {11, L"&9 D:\\R&&D"},
               {12, L"&0 D:\\x"}, {13, L"D:\\y"},    {10, L"Recent"}};
  for (const auto& c : cases) EXPECT_EQ(rows[c.at].text, c.text) << c.at;
}

TEST(SameFolder, IgnoresCaseTrailingBackslashesAndSlashDirection) {
  const struct {
    std::wstring a, b;
    bool same;
  } cases[] = {
      {L"c:\\foo\\", L"C:\\Foo", true},   {L"C:/Foo/bar", L"c:\\foo\\BAR\\", true},
      {L"C:\\foo", L"C:\\foo2", false},   {L"C:\\", L"C:", true},
      {L"\\\\srv\\s", L"//SRV/s/", true}, {L"C:\\foo\\a.txt", L"C:\\foo", false},
  };
  for (const auto& c : cases) EXPECT_EQ(SameFolder(c.a, c.b), c.same) << c.a << " " << c.b;
}

TEST(RecentFolders, NewestFirstEachOnceAtMostMaxAndTheDialogsProgramFirst) {
  RecentFolders recent(3);
  EXPECT_TRUE(recent.Record(L"C:\\a", L"app.exe"));
  EXPECT_TRUE(recent.Record(L"C:\\b", L"other.exe"));
  EXPECT_TRUE(recent.Record(L"C:\\c", L"APP.EXE"));
  EXPECT_FALSE(recent.Record(L"C:\\c", L"APP.EXE")) << "already first: no change to write";
  EXPECT_TRUE(recent.Record(L"c:\\A\\", L"other.exe")) << "the same folder moves up";
  EXPECT_EQ(recent.FoldersFor(L""), (Folders{L"c:\\A\\", L"C:\\c", L"C:\\b"}));
  EXPECT_EQ(recent.FoldersFor(L"app.exe"), (Folders{L"C:\\c", L"c:\\A\\", L"C:\\b"}));
  EXPECT_TRUE(recent.Record(L"C:\\d", L""));
  EXPECT_EQ(recent.FoldersFor(L""), (Folders{L"C:\\d", L"c:\\A\\", L"C:\\c"})) << "oldest out";
  EXPECT_TRUE(recent.Drop(L"C:/a"));
  EXPECT_TRUE(recent.Clear());

  RecentFolders off(0);
  EXPECT_FALSE(off.Record(L"C:\\a", L"app.exe"));
  EXPECT_EQ(RecentFolders(1000).Max(), RecentFolders::kMaxLimit);
}

TEST(RecentFolders, ADeliveredFileLeavesItsFolder) {
  const struct {
    std::wstring path;
    bool file;
    std::wstring folder;
  } cases[] = {
      {L"C:\\docs\\a.txt", true, L"C:\\docs"},
      {L"C:\\a.txt", true, L"C:\\"},
      {L"\\\\srv\\s\\a.txt", true, L"\\\\srv\\s"},
      {L"C:\\docs\\", false, L"C:\\docs\\"},
      {L"a.txt", true, L""},
  };
  for (const auto& c : cases) EXPECT_EQ(ArrivedFolder(c.path, c.file), c.folder) << c.path;
}

TEST(RecentSettings, ReadsWhatMakesSenseAndWritesItBackClean) {
  const std::wstring longPath = L"C:\\" + std::wstring(32767, L'x');
  const struct {
    std::map<std::wstring, std::wstring> stored, kept;
    const char* row;
  } cases[] = {
      {{{L"Recent\\R1", L"C:\\a|app.exe"}, {L"Recent\\R2", L"C:\\b|"}},
       {{L"Recent\\R1", L"C:\\a|app.exe"}, {L"Recent\\R2", L"C:\\b|"}},
       "clean: left as it is"},
      {{{L"Recent\\R1", L"C:\\a"},
        {L"Recent\\R2", L""},
        {L"Recent\\R3", L"c:\\A\\|x.exe"},
        {L"Recent\\R4", longPath},
        {L"Recent\\R5", L"C:\\b|" + std::wstring(300, L'p')},
        {L"Recent\\R7", L"C:\\after a gap"}},
       {{L"Recent\\R1", L"C:\\a|"},
        {L"Recent\\R2", L"C:\\b|"},
        {L"Recent\\R7", L"C:\\after a gap"}},
       "no program, empty, repeated, over-long, program over-long; a gap ends the list"},
      {{{L"RecentMax", L"2"},
        {L"Recent\\R1", L"C:\\a|"},
        {L"Recent\\R2", L"C:\\b|"},
        {L"Recent\\R3", L"C:\\c|"}},
       {{L"RecentMax", L"2"}, {L"Recent\\R1", L"C:\\a|"}, {L"Recent\\R2", L"C:\\b|"}},
       "too many for RecentMax"},
      {{{L"RecentMax", L"0"}, {L"Recent\\R1", L"C:\\a|"}}, {{L"RecentMax", L"0"}}, "off: cleared"},
  };
  for (const auto& c : cases) {
    test::MemoryStore store;
    store.values = c.stored;
    ReadRecentSettings(store);
    EXPECT_EQ(store.values, c.kept) << c.row;
  }
  const struct {
    std::wstring text;
    std::size_t max;
  } maxima[] = {{L"", 8}, {L"twelve", 8}, {L"12", 12}, {L"99999", 50}, {L"-1", 8}};
  for (const auto& m : maxima) {
    test::MemoryStore store;
    store.values[L"RecentMax"] = m.text;
    EXPECT_EQ(ReadRecentSettings(store).Max(), m.max) << m.text;
  }
}

}  // namespace
}  // namespace hop
