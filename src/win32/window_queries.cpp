#include "win32/window_queries.h"

#include "win32/unique_handle.h"

namespace hop::win32 {

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};  // class names are at most 256 characters long
  const int length = window ? ::GetClassNameW(window, name, 256) : 0;
  return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::wstring WindowText(HWND window) {
  const int length = window ? ::GetWindowTextLengthW(window) : 0;
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

std::wstring Title(HWND window) {
  wchar_t title[255] = {};
  const int length = window ? ::GetWindowTextW(window, title, 255) : 0;
  return std::wstring(title, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::wstring ProgramOf(HWND window) {
  DWORD processId = 0;
  if (!window || !::GetWindowThreadProcessId(window, &processId) || processId == 0) return {};
  const UniqueKernelHandle process(
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  std::wstring image(32768, L'\0');
  auto length = static_cast<DWORD>(image.size());
  if (!process || !::QueryFullProcessImageNameW(process.get(), 0, image.data(), &length)) return {};
  image.resize(length);
  return image.substr(image.find_last_of(L"\\/") + 1);  // npos + 1 is 0: the whole name
}

int TextWidth(HWND window, HFONT font, bool mnemonics) {
  std::wstring text = WindowText(window);
  if (mnemonics) std::erase(text, L'&');
  const WindowDC dc(window);
  if (!dc.get()) return 0;
  const SelectedObject selected(dc.get(), font);
  SIZE size{};
  ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

namespace {

MonitorAreas AreasOf(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetMonitorInfoW(monitor, &info)) {
    info.rcMonitor = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    info.rcWork = info.rcMonitor;
  }
  return {info.rcMonitor, info.rcWork};
}

}  // namespace

RECT WorkAreaOf(HWND window) {
  return AreasOf(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)).work;
}

RECT WorkAreaAt(POINT point) {
  return MonitorAreasAt(point).work;
}

MonitorAreas MonitorAreasAt(POINT point) {
  return AreasOf(::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST));
}

UINT DropAlignment() {
  return ::GetSystemMetrics(SM_MENUDROPALIGNMENT) ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
}

UINT TrackMenu(HWND owner, HMENU menu, POINT at, UINT placement, const RECT* keepClear) {
  TPMPARAMS exclude{};
  exclude.cbSize = sizeof(exclude);
  if (keepClear) exclude.rcExclude = *keepClear;
  ::SetForegroundWindow(owner);
  // TPM_RETURNCMD alone keeps WM_COMMAND away; TPM_NONOTIFY would also keep WM_MENUCHAR, which
  // reads the digit keys on layouts that type other characters there.
  const UINT flags = placement | TPM_LEFTBUTTON | TPM_RETURNCMD;
  const auto chosen = static_cast<UINT>(
      ::TrackPopupMenuEx(menu, flags, at.x, at.y, owner, keepClear ? &exclude : nullptr));
  ::PostMessageW(owner, WM_NULL, 0, 0);
  return chosen;
}

}  // namespace hop::win32
