// Owners for Win32 handles: one type per resource kind, so cleanup is never written by hand.
#pragma once

#include <windows.h>

#include <chrono>

#include <utility>

namespace hop::win32 {

template <typename Handle, auto Close, Handle Invalid = Handle{}>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid; }
  Handle release() { return std::exchange(handle_, Invalid); }
  void reset(Handle handle = Invalid) {
    if (handle_ != Invalid) Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Invalid;
};

inline void CloseKernelHandle(HANDLE h) {
  ::CloseHandle(h);
}
inline void DestroyIconHandle(HICON h) {
  ::DestroyIcon(h);
}
inline void DestroyMenuHandle(HMENU h) {
  ::DestroyMenu(h);
}
inline void DestroyWindowHandle(HWND h) {
  ::DestroyWindow(h);
}
// Fonts, pens and bitmaps alike.
template <typename GdiObject>
void DeleteGdiObject(GdiObject h) {
  ::DeleteObject(h);
}
inline void CloseRegistryKey(HKEY h) {
  ::RegCloseKey(h);
}
inline void FreeGlobal(HGLOBAL h) {
  ::GlobalFree(h);
}
inline void DeleteEnhMetaFileHandle(HENHMETAFILE h) {
  ::DeleteEnhMetaFile(h);
}
inline void UnhookWinEventHandle(HWINEVENTHOOK h) {
  ::UnhookWinEvent(h);
}

using UniqueKernelHandle = UniqueHandle<HANDLE, &CloseKernelHandle>;
using UniqueIcon = UniqueHandle<HICON, &DestroyIconHandle>;
using UniqueMenu = UniqueHandle<HMENU, &DestroyMenuHandle>;
using UniqueWindow = UniqueHandle<HWND, &DestroyWindowHandle>;
using UniqueFont = UniqueHandle<HFONT, &DeleteGdiObject<HFONT>>;
using UniquePen = UniqueHandle<HPEN, &DeleteGdiObject<HPEN>>;
using UniqueRegistryKey = UniqueHandle<HKEY, &CloseRegistryKey>;
using UniqueGlobal = UniqueHandle<HGLOBAL, &FreeGlobal>;
using UniqueEnhMetaFile = UniqueHandle<HENHMETAFILE, &DeleteEnhMetaFileHandle>;
using UniqueBitmap = UniqueHandle<HBITMAP, &DeleteGdiObject<HBITMAP>>;
using UniqueWinEventHook = UniqueHandle<HWINEVENTHOOK, &UnhookWinEventHandle>;

// A timer of a window, killed when its owner goes (or is stopped).
class UniqueTimer {
 public:
  UniqueTimer() = default;
  UniqueTimer(const UniqueTimer&) = delete;
  UniqueTimer& operator=(const UniqueTimer&) = delete;
  ~UniqueTimer() { Stop(); }

  // `procedure` receives `id` as its event identifier. Only a window's timer keeps the
  // identifier it is given, so without a window nothing starts.
  void Start(HWND window, UINT_PTR id, UINT milliseconds, TIMERPROC procedure) {
    Stop();
    if (window && ::SetTimer(window, id, milliseconds, procedure)) window_ = window, id_ = id;
  }
  void Stop() {
    if (window_) ::KillTimer(std::exchange(window_, nullptr), id_);
  }
  explicit operator bool() const { return window_ != nullptr; }

 private:
  HWND window_ = nullptr;
  UINT_PTR id_ = 0;
};

// The clipboard held open for one scope. Opening retries up to `bound`, since another program
// (a clipboard manager, a remote-desktop session) may hold it for a while.
class ClipboardScope {
 public:
  explicit ClipboardScope(HWND owner,
                          std::chrono::milliseconds bound = std::chrono::milliseconds(100)) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!(open_ = ::OpenClipboard(owner) != FALSE) &&
           std::chrono::steady_clock::now() < deadline) {
      ::Sleep(2);
    }
  }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
  ~ClipboardScope() {
    if (open_) ::CloseClipboard();
  }
  explicit operator bool() const { return open_; }

 private:
  bool open_ = false;
};

// Keeps a GDI object selected into a DC for one scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() { ::SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// BeginPaint/EndPaint pair for WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  ~PaintScope() { ::EndPaint(window_, &paint_); }
  HDC dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

// GetDC/ReleaseDC pair: the device context of a window (no window: the screen) for one scope.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// GlobalLock/GlobalUnlock pair: the memory of a global block for one scope (null when the block
// cannot be locked).
class LockedGlobal {
 public:
  explicit LockedGlobal(HGLOBAL memory)
      : memory_(memory), data_(memory ? ::GlobalLock(memory) : nullptr) {}
  LockedGlobal(const LockedGlobal&) = delete;
  LockedGlobal& operator=(const LockedGlobal&) = delete;
  ~LockedGlobal() {
    if (data_) ::GlobalUnlock(memory_);
  }
  void* get() const { return data_; }

 private:
  HGLOBAL memory_;
  void* data_;
};

}  // namespace hop::win32
