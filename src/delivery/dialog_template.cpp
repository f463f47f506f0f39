#include "delivery/dialog_template.h"

namespace hop {
namespace {

constexpr std::uint32_t kSetFont = 0x40;    // DS_SETFONT
constexpr std::uint32_t kShellFont = 0x48;  // DS_SHELLFONT
constexpr std::uint16_t kOrdinal = 0xFFFF;  // a number follows instead of a string

// A cursor over the template that fails, rather than reads past the end.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool ok() const { return ok_; }
  std::uint16_t Word() { return static_cast<std::uint16_t>(Take(2)); }
  std::uint32_t Dword() { return static_cast<std::uint32_t>(Take(4)); }
  void Skip(std::size_t count) {
    if (at_ + count > bytes_.size()) ok_ = false;
    at_ = ok_ ? at_ + count : bytes_.size();
  }
  void AlignDword() { Skip((4 - at_ % 4) % 4); }
  // A nul-terminated UTF-16 string.
  std::wstring String() {
    std::wstring text;
    for (std::uint16_t c = Word(); ok_ && c != 0; c = Word()) text += static_cast<wchar_t>(c);
    return text;
  }
  // A string or an ordinal (the ordinal as no text).
  std::wstring StringOrOrdinal() {
    const std::uint16_t first = Word();
    if (first == 0) return {};
    if (first == kOrdinal) {
      Word();
      return {};
    }
    std::wstring text(1, static_cast<wchar_t>(first));
    return text + String();
  }

 private:
  std::uint64_t Take(std::size_t count) {
    std::uint64_t value = 0;
    if (at_ + count > bytes_.size()) ok_ = false;
    for (std::size_t i = 0; ok_ && i < count; ++i) value |= std::uint64_t{bytes_[at_ + i]} << 8 * i;
    Skip(count);
    return value;
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
  bool ok_ = true;
};

}  // namespace

std::optional<std::wstring> TemplateControlText(std::span<const std::uint8_t> dialog, int id) {
  Reader in(dialog);
  const bool extended = dialog.size() >= 4 && in.Word() == 1 && in.Word() == kOrdinal;
  if (!extended) in = Reader(dialog);
  std::uint32_t style = 0;
  if (extended) {
    in.Skip(8);  // help id, extended style
    style = in.Dword();
  } else {
    style = in.Dword();
    in.Skip(4);  // extended style
  }
  const std::uint16_t count = in.Word();
  in.Skip(8);            // x, y, cx, cy
  in.StringOrOrdinal();  // menu
  in.StringOrOrdinal();  // class
  in.String();           // title
  if (style & kSetFont || (style & kShellFont) == kShellFont) {
    in.Skip(extended ? 6 : 2);  // point size; weight, italic, charset
    in.String();
  }
  for (std::uint16_t item = 0; item < count && in.ok(); ++item) {
    in.AlignDword();
    in.Skip(extended ? 20 : 16);  // help id; styles; x, y, cx, cy
    const int itemId = extended ? static_cast<std::int32_t>(in.Dword()) : in.Word();
    in.StringOrOrdinal();  // class
    const std::wstring text = in.StringOrOrdinal();
    // Creation data: its size counts itself in a classic template, not in an extended one.
    const std::uint16_t extra = in.Word();
    in.Skip(extended ? extra : (extra >= 2 ? extra - 2u : 0u));
    if (in.ok() && itemId == id) return text;
  }
  return std::nullopt;
}

std::optional<std::wstring> BlockString(std::span<const std::uint8_t> block, unsigned id) {
  Reader in(block);
  for (unsigned entry = 0; entry < id % 16; ++entry) in.Skip(2u * in.Word());
  const std::uint16_t length = in.Word();
  std::wstring text;
  for (std::uint16_t k = 0; k < length && in.ok(); ++k) text += static_cast<wchar_t>(in.Word());
  if (!in.ok() || text.empty()) return std::nullopt;
  return text;
}

}  // namespace hop
