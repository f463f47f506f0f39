// COM as the program uses it: its library, loaded at the first use rather than with the program
// and never unloaded (a worker given up on may still be inside it); an apartment joined for as
// long as its owner lives; and an owner for a reference.
#pragma once

#include <windows.h>
// After windows.h:
#include <objbase.h>

#include <utility>

namespace hop::win32 {

struct ComLibrary {
  decltype(&::CoInitializeEx) initialize = nullptr;
  decltype(&::CoUninitialize) uninitialize = nullptr;
  decltype(&::CoCreateInstance) create = nullptr;
};

// Nothing when the library cannot be loaded.
const ComLibrary* Com();

// The calling thread in an apartment of `model` while the owner lives. A call that COM marks
// input-synchronized (asking a window of another process for its handle) needs a
// single-threaded apartment: COINIT_APARTMENTTHREADED.
class ComApartment {
 public:
  explicit ComApartment(DWORD model)
      : com_(Com()), joined_(com_ && SUCCEEDED(com_->initialize(nullptr, model))) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (joined_) com_->uninitialize();
  }
  // False when the library is missing or the thread is in another kind of apartment already.
  bool joined() const { return joined_; }

 private:
  const ComLibrary* com_;
  bool joined_;
};

template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ComRef(ComRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComRef& operator=(ComRef&&) = delete;
  ~ComRef() {
    if (p_) p_->Release();
  }
  T* operator->() const { return p_; }
  T* get() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  T** put() { return &p_; }
  void** putVoid() { return reinterpret_cast<void**>(&p_); }

 private:
  T* p_ = nullptr;
};

template <typename T, typename From>
ComRef<T> As(From* from) {
  ComRef<T> to;
  if (FAILED(from->QueryInterface(__uuidof(T), to.putVoid()))) *to.put() = nullptr;
  return to;
}

}  // namespace hop::win32
