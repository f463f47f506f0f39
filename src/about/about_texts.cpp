#include "about/about_texts.h"

namespace hop {

std::wstring AboutTextFor(std::uint8_t pathCount) {
  return std::to_wstring(pathCount) + L" Hopdirs are available";
}

}  // namespace hop
