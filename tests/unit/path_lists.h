// Path lists for the tests, built one way.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "model/path_menu.h"

namespace hop::test {

// prefix1suffix, prefix2suffix, ... up to `count`.
inline std::vector<std::wstring> NumberedPaths(std::size_t count, std::wstring_view prefix,
                                               std::wstring_view suffix = L"") {
  std::vector<std::wstring> paths;
  for (std::size_t k = 1; k <= count; ++k)
    paths.push_back(std::wstring(prefix) + std::to_wstring(k) + std::wstring(suffix));
  return paths;
}

// The path list holding `paths` in order.
inline PathMenu MenuOf(const std::vector<std::wstring>& paths) {
  PathMenu menu;
  for (std::size_t k = 0; k < paths.size(); ++k)
    EXPECT_TRUE(menu.AddMenuItem(static_cast<std::uint8_t>(k + 1), paths[k])) << k + 1;
  return menu;
}

}  // namespace hop::test
