// The settings read and write of a full list of 255 paths against the real registry, in
// milliseconds. The write is what runs in the few seconds the system grants at session end.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "settings/path_list_settings.h"
#include "settings/registry_store.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

}  // namespace

int wmain() {
  constexpr int kRounds = 15;
  // A key of its own, so the bench never touches a user's stored list.
  const wchar_t* base = L"Software\\HopdirsBench";
  hop::RegistryStore store(HKEY_CURRENT_USER, base);
  hop::PathMenu full;
  for (int k = 1; k <= 255; ++k) {
    full.AddMenuItem(
        static_cast<std::uint8_t>(k),
        L"C:\\Users\\someone\\Documents\\Projects\\folder number " + std::to_wstring(k) + L"\\");
  }
  std::vector<double> writes, shortened, reads;
  for (int round = 0; round < kRounds; ++round) {
    auto start = Clock::now();
    hop::WritePathListSettings(store, full, true, nullptr);
    writes.push_back(MillisecondsSince(start));

    hop::PathMenu paths;
    bool clipboard = false;
    start = Clock::now();
    hop::ReadPathListSettings(store, paths, clipboard);
    reads.push_back(MillisecondsSince(start));
    if (paths.PathCount() != 255) {
      std::printf("read back %d paths instead of 255\n", paths.PathCount());
      return 1;
    }

    start = Clock::now();  // 255 stored, emptied: 255 deletes and two saves
    hop::WritePathListSettings(store, hop::PathMenu(), true, nullptr);
    shortened.push_back(MillisecondsSince(start));
  }
  ::RegDeleteTreeW(HKEY_CURRENT_USER, base);
  std::printf("settings write, 255 paths:        median %.2f ms, worst %.2f ms (%d rounds)\n",
              Median(writes), *std::max_element(writes.begin(), writes.end()), kRounds);
  std::printf("settings write, 255 -> 0 paths:   median %.2f ms, worst %.2f ms\n",
              Median(shortened), *std::max_element(shortened.begin(), shortened.end()));
  std::printf("settings read, 255 paths:         median %.2f ms, worst %.2f ms\n", Median(reads),
              *std::max_element(reads.begin(), reads.end()));
  return 0;
}
