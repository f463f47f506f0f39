#include "delivery/deliver_path.h"

#include "delivery/delivery_notice.h"
#include "delivery/win32_desktop.h"
#include "shell/main_window.h"

namespace hop {

void DeliverPath(MainWindow& frmMain, int Index) {
  if (Index < 1 || Index > frmMain.PathCount()) return;
  // Read at click time: the caption as it stands now is what is delivered.
  const std::wstring path = frmMain.Paths().Caption(static_cast<std::size_t>(Index));
  Win32Desktop desktop(frmMain.hwnd());
  const auto outcome =
      frmMain.Delivery().delivery.Deliver(desktop, path, frmMain.ClipboardChecked());
  if (const auto notice = DeliveryNotice(outcome, path)) {
    frmMain.TrayNotify().ShowBalloon(kNoticeTitle, *notice);
  }
}

}  // namespace hop
