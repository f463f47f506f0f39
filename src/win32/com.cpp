#include "win32/com.h"

namespace hop::win32 {
namespace {

template <typename Function>
void Load(HMODULE module, const char* name, Function& function) {
  // Through the generic function pointer type, which converts to any other without a warning.
  function = reinterpret_cast<Function>(
      reinterpret_cast<void (*)()>(module ? ::GetProcAddress(module, name) : nullptr));
}

}  // namespace

const ComLibrary* Com() {
  static const ComLibrary library = [] {
    ComLibrary com;
    const HMODULE ole = ::LoadLibraryW(L"ole32.dll");
    Load(ole, "CoInitializeEx", com.initialize);
    Load(ole, "CoUninitialize", com.uninitialize);
    Load(ole, "CoCreateInstance", com.create);
    return com;
  }();
  return library.initialize && library.uninitialize && library.create ? &library : nullptr;
}

}  // namespace hop::win32
