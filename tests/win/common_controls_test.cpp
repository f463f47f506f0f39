// Icons loaded without the common controls library where the resource holds the size, and with
// its scaling where it does not.
#include "win32/common_controls.h"

#include <gtest/gtest.h>

#include "shell/resource_ids.h"
#include "win32/unique_handle.h"

namespace hop {
namespace {

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!::GetIconInfo(icon, &info)) return 0;
  const win32::UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
  BITMAP bitmap{};
  ::GetObjectW(info.hbmMask, sizeof(bitmap), &bitmap);
  return bitmap.bmWidth;
}

TEST(CommonControls, IconsComeAtTheAskedSizeWhetherTheResourceHoldsItOrNot) {
  const struct {
    int size;
    const char* row;
  } cases[] = {
      {16, "an image of its own (100 %)"},
      {40, "an image of its own (250 %)"},
      {28, "none that size (175 %): a larger one scaled down"},
      {64, "larger than every image"},
  };
  for (const auto& c : cases) {
    const win32::UniqueIcon icon(
        win32::LoadIconAtSize(::GetModuleHandleW(nullptr), IDI_HOPDIRS, c.size));
    ASSERT_TRUE(icon) << c.row;
    EXPECT_EQ(IconWidth(icon.get()), c.size) << c.row;
  }
  EXPECT_FALSE(win32::UniqueIcon(win32::LoadIconAtSize(::GetModuleHandleW(nullptr), 999, 16)));
}

}  // namespace
}  // namespace hop
