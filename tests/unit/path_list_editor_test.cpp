// The editor's rules over a real path menu and a fake view that keeps its list sorted the way a
// sorted combo box does (case-insensitively).
#include "editor/path_list_editor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <vector>

#include "path_lists.h"

namespace hop {
namespace {

class FakeView final : public EditorView {
 public:
  std::vector<std::wstring> items;
  std::optional<std::size_t> selected;
  std::wstring text;
  bool addEnabled = false;  // as designed: cmdAdd and cmdDelete start disabled
  bool deleteEnabled = false;

  std::size_t ListCount() const override { return items.size(); }
  std::wstring List(std::size_t index) const override { return items.at(index); }
  std::size_t AddItem(const std::wstring& item) override {
    auto at = std::upper_bound(items.begin(), items.end(), item, [](const auto& a, const auto& b) {
      return std::lexicographical_compare(
          a.begin(), a.end(), b.begin(), b.end(),
          [](wchar_t x, wchar_t y) { return std::towlower(x) < std::towlower(y); });
    });
    const auto index = static_cast<std::size_t>(at - items.begin());
    items.insert(at, item);
    if (selected && *selected >= index) ++*selected;
    return index;
  }
  void RemoveItem(std::size_t index) override {
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(index));
    if (selected == index)
      selected.reset();
    else if (selected && *selected > index)
      --*selected;
  }
  std::optional<std::size_t> ListIndex() const override { return selected; }
  void SetListIndex(std::optional<std::size_t> index) override {
    selected = index;
    if (index) text = items.at(*index);
  }
  std::wstring Text() const override { return text; }
  void SetText(const std::wstring& value) override { text = value; }
  bool AddEnabled() const override { return addEnabled; }
  void SetAddEnabled(bool enabled) override { addEnabled = enabled; }
  bool DeleteEnabled() const override { return deleteEnabled; }
  void SetDeleteEnabled(bool enabled) override { deleteEnabled = enabled; }

  // What a user does: types into the edit field, which clears the selection, then the editor
  // hears of the change.
  void Type(PathListEditor& editor, const std::wstring& value) {
    text = value;
    selected.reset();
    editor.cboPaths_Change();
  }
};

struct Fixture : ::testing::Test {
  PathMenu menu;
  FakeView view;
  PathListEditor editor{menu, view};

  void Store(const std::vector<std::wstring>& paths) { menu = test::MenuOf(paths); }
  void ExpectButtons(bool add, bool del) const {
    EXPECT_EQ(view.addEnabled, add);
    EXPECT_EQ(view.deleteEnabled, del);
  }
};

using Editor = Fixture;

TEST_F(Editor, OpeningWithNoPathsLeavesBothButtonsDisabledAndNothingSelected) {
  editor.Form_Load();
  EXPECT_TRUE(view.items.empty());
  EXPECT_FALSE(view.selected);
  ExpectButtons(false, false);
}

TEST_F(Editor, OpeningSortsTheMenuIntoTheListAndSelectsEntry0) {
  Store({L"D:\\work", L"c:\\temp", L"C:\\Users"});
  editor.Form_Load();
  EXPECT_EQ(view.items, (std::vector<std::wstring>{L"c:\\temp", L"C:\\Users", L"D:\\work"}));
  EXPECT_EQ(view.selected, 0u);
  EXPECT_EQ(view.text, L"c:\\temp");
  ExpectButtons(false, true);
  // Opening reads the menu but does not reorder it.
  EXPECT_EQ(menu.Caption(1), L"D:\\work");
}

TEST_F(Editor, AnEditEnablesAddAndDisablesDeleteAndPickingAnEntryChangesNeither) {
  Store({L"a", L"b"});
  editor.Form_Load();
  view.Type(editor, L"x");
  ExpectButtons(true, false);
  view.Type(editor, L"xy");  // a second edit keeps the same states
  ExpectButtons(true, false);
  view.SetListIndex(1);  // picking from the drop-down list is not an edit
  ExpectButtons(true, false);
}

TEST_F(Editor, AddToAnEmptyListCreatesMenuItem1AndSelectsIt) {
  editor.Form_Load();
  view.Type(editor, L"C:\\Temp\\");
  editor.cmdAdd_Click();
  EXPECT_EQ(menu.PathCount(), 1);
  EXPECT_EQ(menu.Caption(1), L"C:\\Temp\\");
  EXPECT_TRUE(menu.IsEnabled(1));
  EXPECT_EQ(view.items, std::vector<std::wstring>{L"C:\\Temp\\"});
  EXPECT_EQ(view.selected, 0u);
  ExpectButtons(false, true);
}

TEST_F(Editor, AddWithEmptyTextChangesNothingAtAll) {
  Store({L"a"});
  editor.Form_Load();
  view.Type(editor, L"");
  editor.cmdAdd_Click();
  EXPECT_EQ(menu.PathCount(), 1);
  EXPECT_EQ(view.items.size(), 1u);
  EXPECT_FALSE(view.selected);
  ExpectButtons(true, false);
}

TEST_F(Editor, AddKeepsTextUntrimmedAndRefusesTheSameFolderInAnotherSpelling) {
  Store({L"C:\\Temp"});
  editor.Form_Load();
  for (const wchar_t* same : {L"c:\\temp", L"C:/Temp/"}) {
    view.Type(editor, same);
    editor.cmdAdd_Click();
  }
  view.Type(editor, L"   ");
  editor.cmdAdd_Click();
  view.Type(editor, L" C:\\Temp ");
  editor.cmdAdd_Click();
  EXPECT_EQ(menu.Paths(), (std::vector<std::wstring>{L"C:\\Temp", L"   ", L" C:\\Temp "}));
  EXPECT_EQ(view.items.size(), 3u);
  EXPECT_EQ(view.text, L" C:\\Temp ");
  EXPECT_EQ(view.List(*view.selected), L" C:\\Temp ");
}

TEST_F(Editor, DuplicateAddsNothingAndReselectsThePreviousSelection) {
  Store({L"a", L"b", L"c"});
  editor.Form_Load();
  view.text = L"b";  // the edit field holds an existing entry while entry 2 is selected
  view.selected = 2;
  editor.cboPaths_Change();
  editor.cmdAdd_Click();
  EXPECT_EQ(menu.PathCount(), 3);
  EXPECT_EQ(view.items.size(), 3u);
  EXPECT_EQ(view.selected, 2u);
  EXPECT_EQ(view.text, L"c");
  ExpectButtons(false, true);
}

TEST_F(Editor, DuplicateWithNoSelectionSelectsEntry0) {
  Store({L"b", L"a"});
  editor.Form_Load();
  view.Type(editor, L"b");
  editor.cmdAdd_Click();
  EXPECT_EQ(menu.PathCount(), 2);
  EXPECT_EQ(view.selected, 0u);
  EXPECT_EQ(view.text, L"a");
  ExpectButtons(false, true);
}

TEST_F(Editor, AddOutOfSortedOrderAppendsTheMenuItemAndClosingSortsTheMenu) {
  Store({L"b", L"d"});
  editor.Form_Load();
  view.Type(editor, L"a");
  editor.cmdAdd_Click();
  EXPECT_EQ(view.selected, 0u);
  EXPECT_EQ(menu.Paths(), (std::vector<std::wstring>{L"b", L"d", L"a"}));
  editor.Form_Unload();
  EXPECT_EQ(menu.PathCount(), 3);
  EXPECT_EQ(menu.Paths(), (std::vector<std::wstring>{L"a", L"b", L"d"}));
}

TEST_F(Editor, MiddleDeleteKeepsTheMenuEqualToTheListAtOnce) {
  Store({L"c", L"a", L"d", L"b"});
  editor.Form_Load();
  view.SetListIndex(1);  // "b"
  editor.cmdDelete_Click();
  // A shut-down at this point stores what the user sees: "b" gone, "d" kept.
  EXPECT_EQ(menu.Paths(), (std::vector<std::wstring>{L"a", L"c", L"d"}));
  EXPECT_EQ(view.selected, 0u);
  EXPECT_EQ(view.text, L"a");
  ExpectButtons(false, true);
  editor.Form_Unload();
  EXPECT_EQ(menu.PathCount(), 3);
  EXPECT_EQ(menu.Paths(), (std::vector<std::wstring>{L"a", L"c", L"d"}));
}

TEST_F(Editor, DeletingTheOnlyEntryEmptiesListMenuAndEditField) {
  Store({L"only"});
  editor.Form_Load();
  editor.cmdDelete_Click();
  EXPECT_EQ(menu.PathCount(), 0);
  EXPECT_TRUE(view.items.empty());
  EXPECT_FALSE(view.selected);
  EXPECT_EQ(view.text, L"");
  ExpectButtons(false, false);
  editor.cmdDelete_Click();  // nothing left: does nothing
  EXPECT_EQ(menu.PathCount(), 0);
  editor.Form_Unload();
  EXPECT_EQ(menu.PathCount(), 0);
  EXPECT_EQ(menu.Caption(0), L"Available Hopdirs...");
}

TEST_F(Editor, DeleteLeavesAddAsItWasAndIgnoresAMissingSelection) {
  Store({L"a", L"b"});
  editor.Form_Load();
  view.addEnabled = true;  // Delete does not touch cmdAdd
  view.selected.reset();
  editor.cmdDelete_Click();
  EXPECT_EQ(menu.PathCount(), 2);
  EXPECT_EQ(view.items.size(), 2u);
  view.selected = 1;
  editor.cmdDelete_Click();
  EXPECT_EQ(menu.Paths(), std::vector<std::wstring>{L"a"});
  EXPECT_TRUE(view.addEnabled);
}

TEST_F(Editor, FullListOf255AddsNothingButStillSettlesTheButtons) {
  for (int k = 1; k <= 255; ++k) {  // four digits each: sorted as numbered
    menu.AddMenuItem(static_cast<std::uint8_t>(k), L"p" + std::to_wstring(1000 + k));
  }
  editor.Form_Load();
  EXPECT_EQ(view.items.size(), 255u);
  view.Type(editor, L"new");
  editor.cmdAdd_Click();
  EXPECT_EQ(menu.PathCount(), 255);
  EXPECT_EQ(view.items.size(), 255u);
  EXPECT_EQ(menu.Caption(255), L"p1255");
  EXPECT_EQ(view.selected, 0u);
  ExpectButtons(false, true);
  // Deleting one makes room again, and the full count closes with all captions rewritten.
  editor.cmdDelete_Click();
  view.Type(editor, L"new");
  editor.cmdAdd_Click();
  EXPECT_EQ(menu.PathCount(), 255);
  editor.Form_Unload();
  EXPECT_EQ(menu.PathCount(), 255);
  EXPECT_EQ(menu.Caption(1), L"new");
  EXPECT_EQ(menu.Caption(255), L"p1255");
}

TEST_F(Editor, ClosingWithNoPathsLeavesTheHeadingAlone) {
  editor.Form_Load();
  editor.Form_Unload();
  EXPECT_EQ(menu.PathCount(), 0);
  EXPECT_EQ(menu.PathCount(), 0);
  EXPECT_EQ(menu.Caption(0), L"Available Hopdirs...");
}

}  // namespace
}  // namespace hop
