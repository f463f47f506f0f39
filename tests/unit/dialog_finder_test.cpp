#include "delivery/dialog_finder.h"

#include <gtest/gtest.h>

#include "delivery/wildcard.h"
#include "fake_window_tree.h"

namespace hop {
namespace {

using testing::FakeWindowTree;
using Handles = std::vector<WindowHandle>;
constexpr WindowHandle kDesktop = FakeWindowTree::kDesktop;

TEST(Wildcard, StarCoversAnyRunAndTheMatchIsWholeAndCaseSensitive) {
  EXPECT_TRUE(WildcardMatch(L"", L"*"));
  EXPECT_TRUE(WildcardMatch(L"#32770", L"*32770"));
  EXPECT_TRUE(WildcardMatch(L"32770", L"*32770"));
  EXPECT_TRUE(WildcardMatch(L"My32770", L"*32770"));
  EXPECT_FALSE(WildcardMatch(L"#327701", L"*32770"));
  EXPECT_FALSE(WildcardMatch(L"#3277", L"*32770"));
  EXPECT_TRUE(WildcardMatch(L"Open file", L"O*n*e"));
  EXPECT_FALSE(WildcardMatch(L"Open", L"open"));
  EXPECT_FALSE(WildcardMatch(L"Open", L"Ope"));
  EXPECT_FALSE(WildcardMatch(L"", L"a"));
  EXPECT_TRUE(WildcardMatch(L"aaab", L"*a*ab"));  // needs backtracking past the first "a"
  EXPECT_TRUE(WildcardMatch(L"a*b", L"a*b"));
  EXPECT_FALSE(WildcardMatch(L"abcabd", L"*abc"));
}

TEST(Wildcard, LongNearMissesStayFast) {
  const std::wstring text(5000, L'a');
  EXPECT_FALSE(WildcardMatch(text, L"*a*a*a*a*a*b"));
}

class Finder : public ::testing::Test {
 protected:
  std::int16_t FindDialogs(WindowHandle start = 0) {
    return finder.FindWindowsByPattern(found, start, L"*", L"*32770", std::nullopt);
  }

  FakeWindowTree tree;
  DialogFinder finder{tree};
  Handles found{7, 8, 9};
};

TEST_F(Finder, NestedBeforeContainerAndHigherInZOrderFirst) {
  const auto top = tree.Add(kDesktop, L"Open", L"#32770");
  const auto inner = tree.Add(top, L"Inner", L"#32770");
  const auto deeper = tree.Add(inner, L"Deeper", L"#32770");
  const auto sibling = tree.Add(top, L"Sibling", L"My32770");
  const auto lower = tree.Add(kDesktop, L"Save As", L"#32770");
  EXPECT_EQ(FindDialogs(), 5);
  EXPECT_EQ(found, (Handles{0, deeper, inner, sibling, top, lower}));
  EXPECT_EQ(finder.FoundCount, 5);
  EXPECT_EQ(finder.SearchDepth, 0);
}

TEST_F(Finder, UntitledAndOtherClassesAreNeverFound) {
  tree.Add(kDesktop, L"", L"#32770");
  tree.Add(kDesktop, L"Editor", L"HopdirsList");
  tree.Add(kDesktop, L"Near", L"#327701");
  const auto found1 = tree.Add(kDesktop, L"Other", L"Afx32770");
  EXPECT_EQ(FindDialogs(), 1);
  EXPECT_EQ(found, (Handles{0, found1}));
}

TEST_F(Finder, TheStartWindowItselfIsNeverTested) {
  const auto top = tree.Add(kDesktop, L"Open", L"#32770");
  EXPECT_EQ(FindDialogs(top), 0);
  EXPECT_EQ(found, (Handles{0}));
  const auto child = tree.Add(top, L"Child", L"#32770");
  EXPECT_EQ(FindDialogs(top), 1);
  EXPECT_EQ(found, (Handles{0, child}));
}

TEST_F(Finder, ASecondSearchDiscardsTheFirstEvenWhenItFindsNothing) {
  const auto top = tree.Add(kDesktop, L"Open", L"#32770");
  EXPECT_EQ(FindDialogs(), 1);
  tree.Destroy(top);
  EXPECT_EQ(FindDialogs(), 0);
  EXPECT_EQ(found, (Handles{0}));
  EXPECT_EQ(finder.FoundCount, 0);
}

TEST_F(Finder, ControlIdRules) {
  const auto top = tree.Add(kDesktop, L"Top", L"Edit", 1152);
  const auto child = tree.Add(top, L"Child", L"Edit", 1152);
  const auto high = tree.Add(top, L"High", L"Edit", 0xFFFF);
  tree.Add(top, L"Other", L"Edit", 1148);
  // With no id every titled window qualifies, top-level ones included.
  EXPECT_EQ(finder.FindWindowsByPattern(found, 0, L"*", L"Edit", std::nullopt), 4);
  // With an id, windows without a parent never match, whatever GetWindowWord would say.
  EXPECT_EQ(finder.FindWindowsByPattern(found, 0, L"*", L"Edit", 1152), 1);
  EXPECT_EQ(found, (Handles{0, child}));
  // Identifiers are the unsigned 16-bit word.
  EXPECT_EQ(finder.FindWindowsByPattern(found, 0, L"*", L"*", 65535), 1);
  EXPECT_EQ(found, (Handles{0, high}));
  EXPECT_EQ(finder.FindWindowsByPattern(found, 0, L"*", L"*", -1), 0);
}

TEST_F(Finder, TextsAreCutAt254Characters) {
  const std::wstring head(254, L'x');
  const auto longTitle = tree.Add(kDesktop, head + L"TAIL", L"#32770");
  EXPECT_EQ(finder.FindWindowsByPattern(found, 0, head, L"*", std::nullopt), 1);
  EXPECT_EQ(found, (Handles{0, longTitle}));
  EXPECT_EQ(finder.FindWindowsByPattern(found, 0, L"*TAIL", L"*", std::nullopt), 0);
  tree.Add(kDesktop, L"Long class", std::wstring(260, L'c') + L"#32770");
  EXPECT_EQ(FindDialogs(), 1);
}

TEST_F(Finder, EveryWindowIsVisitedOnceWithTheSameReads) {
  // 3 levels of 6: 258 windows; each costs title, class, parent, first child and next sibling.
  std::vector<WindowHandle> level{kDesktop};
  int windows = 0;
  for (int depth = 0; depth < 3; ++depth) {
    std::vector<WindowHandle> next;
    for (auto parent : level) {
      for (int i = 0; i < 6; ++i) {
        next.push_back(tree.Add(parent, i % 2 ? L"T" : L"", L"#32770", 5));
        ++windows;
      }
    }
    level = next;
  }
  tree.reads = 0;
  EXPECT_EQ(FindDialogs(), windows / 2);
  const int withParent = windows - 6;
  EXPECT_EQ(tree.reads, 1 + 1 + windows * 5 + withParent);
}

TEST_F(Finder, AWindowDestroyedMidWalkEndsItsLevelWithoutACrash) {
  // A tree whose second window vanishes as soon as its title is read.
  struct Vanishing : FakeWindowTree {
    WindowHandle victim = 0;
    std::wstring Title(WindowHandle window) override {
      auto title = FakeWindowTree::Title(window);
      if (window == victim) Destroy(victim);
      return title;
    }
  } vanishing;
  DialogFinder local(vanishing);
  const auto first = vanishing.Add(kDesktop, L"One", L"#32770");
  vanishing.victim = vanishing.Add(kDesktop, L"", L"#32770");
  vanishing.Add(kDesktop, L"Three", L"#32770");
  EXPECT_EQ(local.FindWindowsByPattern(found, 0, L"*", L"*32770", std::nullopt), 1);
  EXPECT_EQ(found, (Handles{0, first}));
  EXPECT_EQ(local.SearchDepth, 0);
}

}  // namespace
}  // namespace hop
