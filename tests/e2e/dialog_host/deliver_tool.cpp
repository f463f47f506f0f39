// Runs one delivery inside the Wine desktop, the way the path menu command does, and prints how
// it ended: deliver_tool typing|clipboard HEX_UTF16_PATH [vanish]
// With "vanish" the dialog the search found is closed before it is activated, as when the user
// closes it in that instant.
#include <windows.h>

#include <cstdio>
#include <string>

#include "delivery/path_delivery.h"
#include "delivery/win32_desktop.h"
#include "delivery/win32_window_tree.h"

namespace {

std::wstring FromHex(const wchar_t* hex) {
  std::wstring text;
  for (std::size_t i = 0; hex[i] && hex[i + 1] && hex[i + 2] && hex[i + 3]; i += 4) {
    const std::wstring unit{hex[i + 2], hex[i + 3], hex[i], hex[i + 1]};  // little-endian
    text += static_cast<wchar_t>(std::stoul(unit, nullptr, 16));
  }
  return text;
}

const char* Name(hop::DeliveryOutcome outcome) {
  using O = hop::DeliveryOutcome;
  switch (outcome) {
    case O::NoPath:
      return "NoPath";
    case O::NoDialog:
      return "NoDialog";
    case O::Busy:
      return "Busy";
    case O::HigherRights:
      return "HigherRights";
    case O::PathMissing:
      return "PathMissing";
    case O::NotActivated:
      return "NotActivated";
    case O::NoField:
      return "NoField";
    case O::NoClipboard:
      return "NoClipboard";
    case O::NotTaken:
      return "NotTaken";
    case O::NotInTree:
      return "NotInTree";
    case O::ClipboardLost:
      return "ClipboardLost";
    case O::KeysHeld:
      return "KeysHeld";
    case O::TypedInstead:
      return "TypedInstead";
    case O::Delivered:
      return "Delivered";
  }
  return "?";
}

// The real desktop, except that the window about to be activated closes first.
class VanishingDesktop : public hop::Win32Desktop {
 public:
  VanishingDesktop() : Win32Desktop(nullptr) {}
  hop::WindowHandle Activate(hop::WindowHandle window) override {
    const HWND found = reinterpret_cast<HWND>(window);
    ::PostMessageW(found, WM_CLOSE, 0, 0);
    for (int i = 0; i < 500 && ::IsWindow(found); ++i) ::Sleep(10);
    return Win32Desktop::Activate(window);
  }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3 && argc != 4) return 2;
  hop::Win32WindowTree tree;
  hop::PathDelivery delivery(tree);
  hop::Win32Desktop real(nullptr);
  VanishingDesktop vanishing;
  const bool vanish = argc == 4 && std::wstring(argv[3]) == L"vanish";
  hop::Desktop& desktop = vanish ? static_cast<hop::Desktop&>(vanishing) : real;
  const auto outcome =
      delivery.Deliver(desktop, FromHex(argv[2]), std::wstring(argv[1]) == L"clipboard");
  std::printf("%s\n", Name(outcome));
  return 0;
}
