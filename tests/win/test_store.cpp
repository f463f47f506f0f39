#include "test_store.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace hop::test {
namespace {

constexpr const wchar_t* kCompanyKey = L"Software\\Quorvane";

bool KeyExists(const wchar_t* path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

// Removes the store at the end of the run, and the company key when the run created it and left
// it empty (RegDeleteKeyW refuses a key that has subkeys).
class StoreCleanup : public ::testing::Environment {
 public:
  void SetUp() override { companyKeyExisted_ = KeyExists(kCompanyKey); }
  void TearDown() override {
    ClearTestStore();
    if (!companyKeyExisted_) ::RegDeleteKeyW(HKEY_CURRENT_USER, kCompanyKey);
  }

 private:
  bool companyKeyExisted_ = true;
};

[[maybe_unused]] ::testing::Environment* const cleanup =
    ::testing::AddGlobalTestEnvironment(new StoreCleanup);

}  // namespace

std::wstring TestStoreBase() {
  return std::wstring(kCompanyKey) + L"\\Hopdirs.Test." + std::to_wstring(::GetCurrentProcessId());
}

std::wstring TestStoreKey() {
  return TestStoreBase() + L"\\Quorvane\\Hopdirs";
}

RegistryStore& TestStore() {
  static RegistryStore store(HKEY_CURRENT_USER, TestStoreBase());
  return store;
}

void ClearTestStore() {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, TestStoreBase().c_str());
  ::RegDeleteKeyW(HKEY_CURRENT_USER, TestStoreBase().c_str());
}

std::wstring TestInstanceName() {
  return L"Local\\Quorvane.Hopdirs.Test." + std::to_wstring(::GetCurrentProcessId());
}

}  // namespace hop::test
