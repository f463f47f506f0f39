// The keyboard layout of the calling thread (the one the user types into Hopdirs' windows
// with), asked through ToUnicodeEx without disturbing its dead-key state.
#pragma once

#include "hotkey/key_acceptance.h"

namespace hop {

class Win32KeyLayout final : public KeyLayout {
 public:
  std::optional<wchar_t> Typed(std::uint16_t key, bool shift, bool ctrlAlt) override;
};

}  // namespace hop
