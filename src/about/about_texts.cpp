#include "about/about_texts.h"

namespace hop {

std::wstring AboutTextFor(std::uint8_t pathCount) {
  return std::to_wstring(pathCount) + L" Hopdirs are available";
}

std::wstring AboutCaption(std::wstring_view title) {
  return L"About " + std::wstring(title);
}

std::wstring ProgramLine(std::wstring_view description, unsigned major, unsigned minor) {
  return std::wstring(description) + L", " + std::to_wstring(major) + L"." + std::to_wstring(minor);
}

std::wstring MemoryText(std::uint64_t totalBytes, std::wstring_view thousandsSeparator) {
  // Integer arithmetic keeps the half exact: the remainder 512 of 1024 is exactly .5.
  const std::uint64_t kilobytes = totalBytes / 1024 + (totalBytes % 1024 >= 512 ? 1 : 0);
  const std::wstring digits = std::to_wstring(kilobytes);
  std::wstring text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += thousandsSeparator;
    text += digits[i];
  }
  return text + L" KB";
}

CentredPosition CentreOnScreen(double screenWidth, double screenHeight, double windowWidth,
                               double windowHeight) {
  return {(screenWidth - windowWidth) / 2, (screenHeight - windowHeight) / 2};
}

}  // namespace hop
