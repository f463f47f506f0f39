#include "settings/setting_values.h"

#include <algorithm>

namespace hop {
namespace {

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t';
}
bool IsDigit(wchar_t c) {
  return c >= L'0' && c <= L'9';
}

std::wstring_view Trimmed(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool EqualsIgnoringCase(std::wstring_view text, std::wstring_view lowerWord) {
  return text.size() == lowerWord.size() &&
         std::equal(text.begin(), text.end(), lowerWord.begin(), [](wchar_t a, wchar_t b) {
           return (a >= L'A' && a <= L'Z' ? wchar_t(a - L'A' + L'a') : a) == b;
         });
}

// Consumes a run of digits; tells whether any of them is not zero.
bool TakeDigits(std::wstring_view& text, bool& anyNonZero, bool& any) {
  any = false;
  while (!text.empty() && IsDigit(text.front())) {
    any = true;
    anyNonZero = anyNonZero || text.front() != L'0';
    text.remove_prefix(1);
  }
  return any;
}

// A decimal number such as "-1", "0.0", "+2.5" or "1e3". Sets isZero to its value being zero.
bool ParseNumber(std::wstring_view text, bool& isZero) {
  if (!text.empty() && (text.front() == L'+' || text.front() == L'-')) text.remove_prefix(1);
  bool nonZero = false, intDigits = false, fracDigits = false;
  TakeDigits(text, nonZero, intDigits);
  if (!text.empty() && text.front() == L'.') {
    text.remove_prefix(1);
    TakeDigits(text, nonZero, fracDigits);
  }
  if (!intDigits && !fracDigits) return false;
  if (!text.empty() && (text.front() == L'e' || text.front() == L'E')) {
    text.remove_prefix(1);
    if (!text.empty() && (text.front() == L'+' || text.front() == L'-')) text.remove_prefix(1);
    bool ignored = false, expDigits = false;
    if (!TakeDigits(text, ignored, expDigits)) return false;
  }
  isZero = !nonZero;
  return text.empty();
}

}  // namespace

std::uint8_t ReadCount(std::wstring_view text) {
  text = Trimmed(text);
  if (text.empty() || !std::all_of(text.begin(), text.end(), IsDigit)) return 0;
  unsigned value = 0;
  for (wchar_t c : text) {
    value = std::min(value * 10 + unsigned(c - L'0'), 256u);  // saturates: no overflow
  }
  return static_cast<std::uint8_t>(std::min(value, 255u));
}

bool ReadBoolean(std::wstring_view text, bool fallback) {
  text = Trimmed(text);
  if (EqualsIgnoringCase(text, L"true")) return true;
  if (EqualsIgnoringCase(text, L"false")) return false;
  bool isZero = false;
  if (ParseNumber(text, isZero)) return !isZero;
  return fallback;
}

std::wstring CountText(std::uint8_t count) {
  return std::to_wstring(count);
}

std::wstring BooleanText(bool value) {
  return value ? L"True" : L"False";
}

std::wstring PathKey(std::size_t k) {
  return L"Path" + std::to_wstring(k);
}

}  // namespace hop
