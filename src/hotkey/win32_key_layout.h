// A keyboard layout (by default the calling thread's), asked through ToUnicodeEx without
// disturbing its dead-key state; and every layout the user has installed.
#pragma once

#include <windows.h>

#include <memory>

#include "hotkey/key_acceptance.h"

namespace hop {

class Win32KeyLayout final : public KeyLayout {
 public:
  explicit Win32KeyLayout(HKL layout = ::GetKeyboardLayout(0)) : layout_(layout) {}
  std::optional<wchar_t> Typed(std::uint16_t key, bool shift, bool ctrlAlt) override;

 private:
  HKL layout_;
};

// The layouts of the user's input languages (the calling thread's when they cannot be listed).
std::unique_ptr<KeyLayout> InstalledKeyLayouts();

}  // namespace hop
