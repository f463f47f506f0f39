#include "win32/managed_dialog.h"

namespace hop::win32 {
namespace {

void AppendString(std::vector<WORD>& words, const wchar_t* text) {
  do {
    words.push_back(static_cast<WORD>(*text));
  } while (*text++);
}

}  // namespace

WNDCLASSEXW ManagedDialogClass(HINSTANCE instance, const wchar_t* className, HICON icon,
                               HICON smallIcon) {
  WNDCLASSEXW windowClass{};
  windowClass.lpfnWndProc = ::DefDlgProcW;
  windowClass.cbWndExtra = DLGWINDOWEXTRA;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon;
  windowClass.hIconSm = smallIcon;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = className;
  return windowClass;
}

std::vector<WORD> EmptyDialogTemplate(DWORD style, DWORD exStyle, const wchar_t* className,
                                      const wchar_t* title) {
  std::vector<WORD> words;
  for (DWORD value : {style, exStyle}) {
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
  }
  words.insert(words.end(), {0, 0, 0, 0, 0});  // no items; x, y, cx, cy are set at load
  words.push_back(0);                          // no menu
  AppendString(words, className);
  AppendString(words, title);
  return words;
}

HFONT CreateDialogFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
    return nullptr;
  }
  return ::CreateFontIndirectW(&metrics.lfMessageFont);
}

}  // namespace hop::win32
