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

// The real desktop, except that the window about to be activated closes first.
class VanishingDesktop : public hop::Desktop {
 public:
  explicit VanishingDesktop(hop::Desktop& real) : real_(real) {}
  void SetBusyPointer(bool busy) override { real_.SetBusyPointer(busy); }
  hop::WindowHandle Activate(hop::WindowHandle window) override {
    const HWND found = reinterpret_cast<HWND>(window);
    ::PostMessageW(::GetAncestor(found, GA_ROOT), WM_CLOSE, 0, 0);
    for (int i = 0; i < 500 && ::IsWindow(found); ++i) ::Sleep(10);
    return real_.Activate(window);
  }
  bool IsForeground(hop::WindowHandle w) override { return real_.IsForeground(w); }
  hop::WindowHandle FileNameField(hop::WindowHandle d) override { return real_.FileNameField(d); }
  bool WaitForFocus(hop::WindowHandle d, hop::WindowHandle f) override {
    return real_.WaitForFocus(d, f);
  }
  hop::WindowHandle FocusedEdit(hop::WindowHandle d) override { return real_.FocusedEdit(d); }
  void FocusField(hop::WindowHandle d, hop::WindowHandle f) override { real_.FocusField(d, f); }
  void SelectAll(hop::WindowHandle f) override { real_.SelectAll(f); }
  bool WaitForText(hop::WindowHandle f, std::wstring_view t) override {
    return real_.WaitForText(f, t);
  }
  void WaitForEnterTaken(hop::WindowHandle d, hop::WindowHandle f, std::wstring_view t) override {
    real_.WaitForEnterTaken(d, f, t);
  }
  bool SendKeys(std::span<const hop::KeyChord> keys) override { return real_.SendKeys(keys); }
  bool SaveClipboard() override { return real_.SaveClipboard(); }
  bool SetClipboardText(std::wstring_view t) override { return real_.SetClipboardText(t); }
  bool RestoreClipboard() override { return real_.RestoreClipboard(); }

 private:
  hop::Desktop& real_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3 && argc != 4) return 2;
  hop::Win32WindowTree tree;
  hop::PathDelivery delivery(tree);
  hop::Win32Desktop real(nullptr);
  VanishingDesktop vanishing(real);
  const bool vanish = argc == 4 && std::wstring(argv[3]) == L"vanish";
  hop::Desktop& desktop = vanish ? static_cast<hop::Desktop&>(vanishing) : real;
  const auto outcome =
      delivery.Deliver(desktop, FromHex(argv[2]), std::wstring(argv[1]) == L"clipboard");
  std::printf("%s\n", Name(outcome));
  return 0;
}
