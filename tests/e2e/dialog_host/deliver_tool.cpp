// Runs one delivery inside the Wine desktop, the way the path menu command does, and prints how
// it ended: deliver_tool typing|clipboard HEX_UTF16_PATH
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
  switch (outcome) {
    case hop::DeliveryOutcome::NoPath:
      return "NoPath";
    case hop::DeliveryOutcome::NoDialog:
      return "NoDialog";
    case hop::DeliveryOutcome::NotActivated:
      return "NotActivated";
    case hop::DeliveryOutcome::NoField:
      return "NoField";
    case hop::DeliveryOutcome::NoClipboard:
      return "NoClipboard";
    case hop::DeliveryOutcome::NotTaken:
      return "NotTaken";
    case hop::DeliveryOutcome::Delivered:
      return "Delivered";
  }
  return "?";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  hop::Win32WindowTree tree;
  hop::PathDelivery delivery(tree);
  hop::Win32Desktop desktop(nullptr);
  const auto outcome =
      delivery.Deliver(desktop, FromHex(argv[2]), std::wstring(argv[1]) == L"clipboard");
  std::printf("%s\n", Name(outcome));
  return 0;
}
