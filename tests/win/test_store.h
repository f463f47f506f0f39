// The Win32 tests' own settings store: HKEY_CURRENT_USER\Software\Quorvane\Hopdirs.Test.<pid>,
// so no test reads or writes the user's own list under Software\Quorvane\Hopdirs.
#pragma once

#include <string>

#include "settings/registry_store.h"

namespace hop::test {

// The store's base key under HKEY_CURRENT_USER, of this process alone.
std::wstring TestStoreBase();
// Where the store keeps the list: the base key followed by Quorvane\Hopdirs.
std::wstring TestStoreKey();
// A store rooted at the base key.
RegistryStore& TestStore();
// Removes the base key and everything in it. It is removed at the end of the run as well.
void ClearTestStore();

// The single-instance name of this process's main windows, so that they never meet a running
// Hopdirs' claim.
std::wstring TestInstanceName();

}  // namespace hop::test
