#include "model/path_menu.h"

#include <gtest/gtest.h>

#include "path_lists.h"

namespace hop {
namespace {

PathMenu MenuWith(std::size_t count) {
  return test::MenuOf(test::NumberedPaths(count, L"C:\\p"));
}

TEST(PathMenu, StartsWithOnlyTheDisabledHeading) {
  PathMenu menu;
  EXPECT_EQ(menu.PathCount(), 0);
  EXPECT_EQ(menu.Caption(0), L"Available Hopdirs...");
  EXPECT_FALSE(menu.IsEnabled(0));
  EXPECT_TRUE(menu.Paths().empty());
}

TEST(PathMenu, AddedItemIsEnabledLastAndCarriesTheTextUnchanged) {
  PathMenu menu = MenuWith(2);
  const std::wstring path = L"  C:\\R&D\\Ünïcode (x86) ";
  EXPECT_TRUE(menu.AddMenuItem(3, path));
  EXPECT_EQ(menu.PathCount(), 3);
  EXPECT_TRUE(menu.IsEnabled(3));
  EXPECT_EQ(menu.Caption(3), path);
  EXPECT_EQ(menu.Paths().back(), path);
  EXPECT_EQ(menu.Caption(1), L"C:\\p1");
}

TEST(PathMenu, HoldsExactly255PathsAndRefusesA256th) {
  PathMenu menu = MenuWith(255);
  EXPECT_EQ(menu.PathCount(), 255);
  EXPECT_EQ(menu.Caption(255), L"C:\\p255");
  const std::uint8_t wrapped = 0;  // 256 does not fit the 8-bit index
  EXPECT_FALSE(menu.AddMenuItem(wrapped, L"x"));
  EXPECT_EQ(menu.PathCount(), 255);
  EXPECT_EQ(menu.Paths().size(), 255u);
}

TEST(PathMenu, RefusesTheHeadingAndGapsAndRecaptionsAnExistingIndex) {
  PathMenu menu = MenuWith(2);
  EXPECT_FALSE(menu.AddMenuItem(0, L"x"));
  EXPECT_EQ(menu.Caption(0), L"Available Hopdirs...");
  EXPECT_FALSE(menu.AddMenuItem(5, L"gap"));
  EXPECT_EQ(menu.PathCount(), 2);
  EXPECT_TRUE(menu.AddMenuItem(2, L"again"));
  EXPECT_EQ(menu.PathCount(), 2);
  EXPECT_EQ(menu.Caption(2), L"again");
}

TEST(PathMenu, DeleteRemovesTheGivenItemAndNeverTheHeading) {
  PathMenu menu = MenuWith(3);
  EXPECT_TRUE(menu.DeleteMenuItem(3));
  EXPECT_EQ(menu.Paths(), (std::vector<std::wstring>{L"C:\\p1", L"C:\\p2"}));
  EXPECT_FALSE(menu.DeleteMenuItem(0));
  EXPECT_FALSE(menu.DeleteMenuItem(7));
  EXPECT_EQ(menu.PathCount(), 2);
  EXPECT_EQ(menu.Caption(0), L"Available Hopdirs...");
  EXPECT_TRUE(menu.DeleteMenuItem(2));
  EXPECT_TRUE(menu.DeleteMenuItem(1));
  EXPECT_EQ(menu.PathCount(), 0);
}

TEST(PathMenu, SetCaptionTouchesOnlyExistingPathItems) {
  PathMenu menu = MenuWith(1);
  menu.SetCaption(1, L"new");
  menu.SetCaption(0, L"not the heading");
  menu.SetCaption(2, L"not past the end");
  EXPECT_EQ(menu.Caption(1), L"new");
  EXPECT_EQ(menu.Caption(0), L"Available Hopdirs...");
  EXPECT_EQ(menu.Caption(2), L"");
}

TEST(MenuDisplayText, ShowsAmpersandsLiterally) {
  EXPECT_EQ(MenuDisplayText(L"C:\\R&D\\"), L"C:\\R&&D\\");
  EXPECT_EQ(MenuDisplayText(L"&&&"), L"&&&&&&");
  EXPECT_EQ(MenuDisplayText(L"C:\\plain"), L"C:\\plain");
  EXPECT_EQ(MenuDisplayText(L""), L"");
}

}  // namespace
}  // namespace hop
