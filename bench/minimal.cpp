// The yardstick for Hopdirs' start-up time and memory: the least a Win32 tray program can be,
// one hidden window and one notification icon, built and run the same way.
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = Proc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"MinimalMain";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"MinimalMain", L"", WS_POPUP, 0, 0, 0, 0,
                                nullptr, nullptr, instance, nullptr);
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window;
  data.uID = 1;
  data.uFlags = NIF_ICON | NIF_TIP;
  data.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0));
  lstrcpyW(data.szTip, L"minimal");
  Shell_NotifyIconW(NIM_ADD, &data);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  Shell_NotifyIconW(NIM_DELETE, &data);
  return 0;
}
