// The registry store against the real registry.
#include "settings/registry_store.h"

#include <gtest/gtest.h>

#include <string>

namespace hop {
namespace {

constexpr const wchar_t* kBase = L"Software\\HopdirsStoreTest";

class RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kBase); }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kBase); }

  // Writes a raw value beside the store, as a user with regedit would.
  static void WriteRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\HopdirsStoreTest\\App\\Sec", 0,
                                nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes),
              ERROR_SUCCESS);
    ::RegCloseKey(key);
  }

  static DWORD TypeOf(const wchar_t* name) {
    DWORD type = 0;
    ::RegGetValueW(HKEY_CURRENT_USER, L"Software\\HopdirsStoreTest\\App\\Sec", name, RRF_RT_ANY,
                   &type, nullptr, nullptr);
    return type;
  }

  RegistryStore store{HKEY_CURRENT_USER, kBase};
};

TEST_F(RegistryStoreTest, RoundTripsEmptyLongAndNonAsciiTextsAsStrings) {
  const std::wstring long_text(40000, L'x');
  const std::wstring texts[] = {L"", L"  C:\\R&D\\ ", L"C:\\Ünïcödé\\日本語\\😀", long_text};
  for (const std::wstring& text : texts) {
    ASSERT_TRUE(store.Save(L"App", L"Sec", L"Path1", text));
    EXPECT_EQ(store.Get(L"App", L"Sec", L"Path1"), text);
    EXPECT_EQ(TypeOf(L"Path1"), DWORD(REG_SZ));
  }
}

TEST_F(RegistryStoreTest, AbsentSectionOrKeyReadsAsNothing) {
  EXPECT_EQ(store.Get(L"App", L"Sec", L"Amount"), std::nullopt);
  ASSERT_TRUE(store.Save(L"App", L"Sec", L"Amount", L"2"));
  EXPECT_EQ(store.Get(L"App", L"Sec", L"Clipboard"), std::nullopt);
  EXPECT_EQ(store.Get(L"App", L"Other", L"Amount"), std::nullopt);
}

TEST_F(RegistryStoreTest, ValueThatIsNotAStringReadsAsAbsent) {
  const DWORD number = 3;
  WriteRaw(L"Amount", REG_DWORD, &number, sizeof(number));
  EXPECT_EQ(store.Get(L"App", L"Sec", L"Amount"), std::nullopt);
  const char bytes[] = {'4', 0, 0, 0};
  WriteRaw(L"Path1", REG_BINARY, bytes, sizeof(bytes));
  EXPECT_EQ(store.Get(L"App", L"Sec", L"Path1"), std::nullopt);
}

TEST_F(RegistryStoreTest, StringWithoutTerminatorIsReadWhole) {
  const wchar_t text[] = {L'C', L':', L'\\', L'a'};
  WriteRaw(L"Path1", REG_SZ, text, sizeof(text));
  EXPECT_EQ(store.Get(L"App", L"Sec", L"Path1"), L"C:\\a");
}

TEST_F(RegistryStoreTest, DeleteRemovesOneKeyAndToleratesAbsentOnes) {
  ASSERT_TRUE(store.Save(L"App", L"Sec", L"Path1", L"a"));
  ASSERT_TRUE(store.Save(L"App", L"Sec", L"Path2", L"b"));
  EXPECT_TRUE(store.Delete(L"App", L"Sec", L"Path2"));
  EXPECT_EQ(store.Get(L"App", L"Sec", L"Path2"), std::nullopt);
  EXPECT_EQ(store.Get(L"App", L"Sec", L"Path1"), L"a");
  EXPECT_FALSE(store.Delete(L"App", L"Sec", L"Path2"));      // already gone
  EXPECT_FALSE(store.Delete(L"App", L"Nowhere", L"Path1"));  // no section
  EXPECT_EQ(store.Get(L"App", L"Sec", L"Path1"), L"a");
}

TEST_F(RegistryStoreTest, SaveReplacesAnExistingValueOfAnotherType) {
  const DWORD number = 1;
  WriteRaw(L"Clipboard", REG_DWORD, &number, sizeof(number));
  ASSERT_TRUE(store.Save(L"App", L"Sec", L"Clipboard", L"False"));
  EXPECT_EQ(store.Get(L"App", L"Sec", L"Clipboard"), L"False");
  EXPECT_EQ(TypeOf(L"Clipboard"), DWORD(REG_SZ));
}

}  // namespace
}  // namespace hop
