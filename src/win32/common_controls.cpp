#include "win32/common_controls.h"

namespace hop::win32 {
namespace {

// The library the program's manifest binds (version 6); it stays loaded once loaded.
HMODULE Library() {
  static const HMODULE library = ::LoadLibraryW(L"comctl32.dll");
  return library;
}

template <typename Function>
Function Export(const char* name) {
  const HMODULE library = Library();
  const FARPROC found = library ? ::GetProcAddress(library, name) : nullptr;
  // Through the generic function pointer type, which converts to any other without a warning.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

#pragma pack(push, 2)
struct GroupIconHeader {
  WORD reserved, type, count;
};
struct GroupIconEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

// Whether the icon resource holds an image of exactly `size` pixels (its directory says 0 for 256).
bool HasImageOfSize(HINSTANCE instance, int id, int size) {
  const HRSRC found = ::FindResourceW(instance, MAKEINTRESOURCEW(id), RT_GROUP_ICON);
  const HGLOBAL loaded = found ? ::LoadResource(instance, found) : nullptr;
  const auto* header =
      loaded ? static_cast<const GroupIconHeader*>(::LockResource(loaded)) : nullptr;
  if (!header || ::SizeofResource(instance, found) <
                     sizeof(GroupIconHeader) + header->count * sizeof(GroupIconEntry)) {
    return false;
  }
  const auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
  for (WORD i = 0; i < header->count; ++i) {
    if ((entries[i].width ? entries[i].width : 256) == size) return true;
  }
  return false;
}

}  // namespace

bool InitCommonControls(DWORD classes) {
  const auto init = Export<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>("InitCommonControlsEx");
  const INITCOMMONCONTROLSEX controls{sizeof(controls), classes};
  return init && init(&controls);
}

HICON LoadIconAtSize(HINSTANCE instance, int id, int size) {
  const auto image = [&] {
    return static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
  };
  if (HasImageOfSize(instance, id, size)) return image();
  // LoadIconWithScaleDown: LoadIconMetric's scaling at any size.
  using ScaleDown = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
  HICON icon = nullptr;
  if (const auto scale = Export<ScaleDown>("LoadIconWithScaleDown");
      scale && SUCCEEDED(scale(instance, MAKEINTRESOURCEW(id), size, size, &icon))) {
    return icon;
  }
  return image();
}

}  // namespace hop::win32
