// Delivery benchmarks under Wine; each prints numbers.
//
//   delivery_bench walk
//       the finder's walk over a desktop of about 2,000 windows against a plain walk making the
//       same reads (ratio; goal at most 1.1)
//   delivery_bench latency HOSTLOG FOLDER_A FOLDER_B
//       from the delivery call to the dialog host's logged folder change, median of 40 in each
//       mode (the dialogs looked for beforehand, as the tray menu does), beside each mode's
//       floor: the same keys in one batch, sent with no checks into
//       the focused field (the path and Enter; Ctrl+V and Enter with the clipboard already set)
//   delivery_bench soak HOSTLOG FOLDER_A FOLDER_B COUNT
//       COUNT deliveries in a row, alternating modes and folders, each checked against the
//       host's log and the clipboard
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "delivery/path_delivery.h"
#include "delivery/win32_desktop.h"
#include "delivery/win32_window_tree.h"
#include "win32/unique_handle.h"

namespace hop {
namespace {

using Clock = std::chrono::steady_clock;

long long Microseconds() {
  LARGE_INTEGER now, frequency;
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return now.QuadPart / frequency.QuadPart * 1000000 +
         now.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
}

// ---- walk

int PlainWalk(WindowTree& tree, WindowHandle start, int& reads) {
  int titled = 0;
  for (WindowHandle w = tree.FirstChild(start); w; w = tree.NextSibling(w)) {
    titled += PlainWalk(tree, w, reads);
    const auto title = tree.Title(w);
    const auto className = tree.ClassName(w);
    if (tree.HasParent(w)) reads += tree.ControlId(w);
    titled += !title.empty() && !className.empty();
  }
  return titled;
}

double Seconds(const std::function<void()>& run, int rounds) {
  const auto begin = Clock::now();
  for (int i = 0; i < rounds; ++i) run();
  return std::chrono::duration<double>(Clock::now() - begin).count() / rounds;
}

int Walk() {
  std::vector<win32::UniqueWindow> tops;
  int windows = 0;
  for (int t = 0; t < 40; ++t) {
    tops.emplace_back(::CreateWindowExW(0, L"Static", L"Bench frame", WS_OVERLAPPED, 0, 0, 50, 50,
                                        nullptr, nullptr, nullptr, nullptr));
    ++windows;
    for (int c = 0; c < 49; ++c, ++windows) {
      ::CreateWindowExW(0, c % 7 ? L"Static" : L"#32770", c % 3 ? L"child" : L"", WS_CHILD, 0, 0, 5,
                        5, tops.back().get(), reinterpret_cast<HMENU>(INT_PTR{c + 1}), nullptr,
                        nullptr);
    }
  }
  Win32WindowTree tree;
  DialogFinder finder(tree);
  std::vector<WindowHandle> found;
  int reads = 0;
  const int rounds = 20;
  // Interleaved, so a drift of the machine's speed weighs on both alike.
  double plain = 0, finding = 0;
  for (int i = 0; i < 5; ++i) {
    plain += Seconds([&] { PlainWalk(tree, tree.DesktopWindow(), reads); }, rounds);
    finding += Seconds(
        [&] { finder.FindWindowsByPattern(found, 0, L"*", L"*32770", std::nullopt); }, rounds);
  }
  std::printf(
      "finder walk over %d windows of ours (+ the desktop's own): %.2f ms; plain walk "
      "with the same reads: %.2f ms; ratio %.3f (goal <= 1.1); found %d\n",
      windows, finding / 5 * 1000, plain / 5 * 1000, finding / plain,
      static_cast<int>(found.size()) - 1);
  return 0;
}

// ---- the host log

struct FolderLine {
  long long time = 0;
  std::string folder;
};

class HostLog {
 public:
  explicit HostLog(std::string path) : path_(std::move(path)) {}
  // Waits for the next folder line after those already seen.
  bool NextFolder(FolderLine& out, int timeoutMs = 3000) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
      std::ifstream in(path_, std::ios::binary);
      std::string line;
      std::size_t index = 0;
      while (std::getline(in, line)) {
        if (line.rfind("folder ", 0) != 0) continue;
        if (index++ < seen_) continue;
        ++seen_;
        const auto space = line.find(' ', 7);
        out.time = std::stoll(line.substr(7, space - 7));
        out.folder = line.substr(space + 1);
        return true;
      }
      if (Clock::now() >= end) return false;
      ::Sleep(1);
    }
  }
  void SkipExisting() {
    FolderLine ignored;
    while (NextFolder(ignored, 0)) {
    }
  }
  HWND Dialog() {
    std::ifstream in(path_, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
      if (line.rfind("ready ", 0) == 0) {
        return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::stoull(line.substr(6))));
      }
    }
    return nullptr;
  }

 private:
  std::string path_;
  std::size_t seen_ = 0;
};

std::string Utf8(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += static_cast<char>(c);  // the bench folders are ASCII
  return out;
}

std::wstring Wide(const char* text) {
  std::wstring out;
  for (; *text; ++text) out += static_cast<wchar_t>(*text);
  return out;
}

bool SameFolder(const std::string& logged, const std::wstring& delivered) {
  std::string want = Utf8(delivered);
  while (!want.empty() && want.back() == '\\') want.pop_back();
  auto lower = [](std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  };
  return lower(logged) == lower(want);
}

std::wstring ClipboardText() {
  win32::ClipboardScope clipboard(nullptr);
  HANDLE data = clipboard ? ::GetClipboardData(CF_UNICODETEXT) : nullptr;
  if (!data) return L"<none>";
  const win32::LockedGlobal locked(data);
  if (!locked.get()) return L"<none>";
  return static_cast<const wchar_t*>(locked.get());
}

void SetClipboard(const std::wstring& text) {
  Win32Desktop desktop(nullptr);
  desktop.SetClipboardText(text);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The floor of a mode: its keys in one batch, with nothing checked before or after.
bool SendFloorKeys(const std::wstring& path, bool clipboard) {
  std::vector<INPUT> inputs;
  const auto key = [&](WORD vk, WORD scan, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = scan;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  if (clipboard) {
    key(VK_CONTROL, 0, 0);
    key('V', 0, 0);
    key('V', 0, KEYEVENTF_KEYUP);
    key(VK_CONTROL, 0, KEYEVENTF_KEYUP);
  } else {
    for (wchar_t c : path) {
      key(0, c, KEYEVENTF_UNICODE);
      key(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
    }
  }
  key(VK_RETURN, 0, 0);
  key(VK_RETURN, 0, KEYEVENTF_KEYUP);
  return ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) ==
         inputs.size();
}

// The real desktop, timing each of its steps: where a delivery's time goes.
class TimedDesktop : public Win32Desktop {
 public:
  TimedDesktop() : Win32Desktop(nullptr) {}
  std::map<std::string, double> spent;  // step -> total ms
  bool timing = true;

// clang-format off
#define HOP_TIMED(name, call)                                                             \
  const auto begin = Clock::now();                                                        \
  auto result = call;                                                                     \
  if (timing) spent[name] += std::chrono::duration<double, std::milli>(Clock::now() - begin).count(); \
  return result;
  Candidate Inspect(WindowHandle m) override { HOP_TIMED("inspect", Win32Desktop::Inspect(m)) }
  DialogSigns SignsOf(WindowHandle d) override { HOP_TIMED("signs", Win32Desktop::SignsOf(d)) }
  std::optional<std::uint32_t> IntegrityOf(WindowHandle w) override {
    HOP_TIMED("integrity", Win32Desktop::IntegrityOf(w))
  }
  PathKind KindOfPath(std::wstring_view p) override {
    HOP_TIMED("path check", Win32Desktop::KindOfPath(p))
  }
  WindowHandle Activate(WindowHandle t) override { HOP_TIMED("activate", Win32Desktop::Activate(t)) }
  bool FocusField(WindowHandle d, WindowHandle f) override {
    HOP_TIMED("focus", Win32Desktop::FocusField(d, f))
  }
  std::optional<std::wstring> FieldText(WindowHandle f) override {
    HOP_TIMED("field text", Win32Desktop::FieldText(f))
  }
  bool WaitForText(WindowHandle f, std::wstring_view t) override {
    HOP_TIMED("wait text", Win32Desktop::WaitForText(f, t))
  }
  bool SendKeys(std::span<const KeyChord> k) override { HOP_TIMED("keys", Win32Desktop::SendKeys(k)) }
  bool PasteInto(WindowHandle f) override { HOP_TIMED("paste", Win32Desktop::PasteInto(f)) }
  ClipboardSave SaveClipboard() override { HOP_TIMED("clip save", Win32Desktop::SaveClipboard()) }
  bool SetClipboardText(std::wstring_view t) override {
    HOP_TIMED("clip set", Win32Desktop::SetClipboardText(t))
  }
  bool RestoreClipboard() override { HOP_TIMED("clip restore", Win32Desktop::RestoreClipboard()) }
#undef HOP_TIMED
  // clang-format on
};

// The real window tree, timing the finder's walk.
class TimedTree : public Win32WindowTree {
 public:
  double spent = 0;  // ms
  WindowHandle DesktopWindow() override {
    started_ = Clock::now();
    return Win32WindowTree::DesktopWindow();
  }
  WindowHandle NextSibling(WindowHandle w) override {
    const auto next = Win32WindowTree::NextSibling(w);
    if (next == 0 && HasParent(w) == false) {
      spent += std::chrono::duration<double, std::milli>(Clock::now() - started_).count();
    }
    return next;
  }

 private:
  Clock::time_point started_;
};

int Latency(const char* log, const wchar_t* a, const wchar_t* b) {
  HostLog host(log);
  host.SkipExisting();
  TimedTree tree;
  PathDelivery delivery(tree);
  TimedDesktop timed[2];          // typing, clipboard
  Win32Desktop untimed(nullptr);  // readies the floor
  // typing, clipboard; each by Hopdirs and as its floor
  std::vector<double> times[2][2];
  constexpr int kEach = 40;  // deliveries in each mode, by Hopdirs and as its floor
  for (int i = 0; i < 4 * kEach; ++i) {
    const std::wstring path = i % 2 ? a : b;
    const bool clipboard = i % 4 >= 2;
    const bool floor = (i / 4) % 2 == 1;
    if (floor) {
      // Untimed: the dialog in front, the field focused with its text selected, the clipboard
      // set.
      const WindowHandle dialog = AsWindowHandle(host.Dialog());
      untimed.Activate(dialog);
      untimed.FocusField(dialog, untimed.FileNameField(dialog));
      if (clipboard) SetClipboard(path);
    } else {
      // Untimed: the tray menu does it while the user chooses.
      timed[clipboard].timing = false;
      delivery.Prepare(timed[clipboard]);
      timed[clipboard].timing = true;
    }
    const long long start = Microseconds();
    if (floor ? !SendFloorKeys(path, clipboard)
              : delivery.Deliver(timed[clipboard], path, clipboard) != DeliveryOutcome::Delivered) {
      std::printf("delivery %d failed\n", i);
      return 1;
    }
    FolderLine line;
    if (!host.NextFolder(line) || !SameFolder(line.folder, path)) {
      std::printf("delivery %d: no folder change to the path\n", i);
      return 1;
    }
    times[clipboard][floor].push_back(static_cast<double>(line.time - start) / 1000.0);
    ::Sleep(30);  // let the dialog settle (and the next change be a change)
  }
  std::printf("finder walk as the menu opens, mean: %.1f ms\n", tree.spent / (2 * kEach));
  for (const bool clipboard : {false, true}) {
    std::printf("%-9s steps, mean ms:", clipboard ? "clipboard" : "typing");
    for (const auto& [step, total] : timed[clipboard].spent)
      std::printf(" %s %.1f;", step.c_str(), total / kEach);
    std::printf("\n");
  }
  for (const bool clipboard : {false, true}) {
    const double hopdirs = Median(times[clipboard][0]);
    const double floor = Median(times[clipboard][1]);
    std::printf(
        "%-9s delivery to folder change, median of %zu: %.1f ms (goal < 100 ms); floor (same "
        "keys, one batch, no checks) %.1f ms; ratio %.2f (goal <= 1.3)\n",
        clipboard ? "clipboard" : "typing", times[clipboard][0].size(), hopdirs, floor,
        hopdirs / floor);
  }
  return 0;
}

int Soak(const char* log, const wchar_t* a, const wchar_t* b, int count) {
  HostLog host(log);
  host.SkipExisting();
  Win32WindowTree tree;
  PathDelivery delivery(tree);
  Win32Desktop desktop(nullptr);
  int good = 0;
  for (int i = 0; i < count; ++i) {
    const std::wstring path = i % 2 ? a : b;
    const std::wstring before = L"soak clipboard " + std::to_wstring(i);
    SetClipboard(before);
    const bool clipboardMode = (i / 2) % 2 == 1;
    const auto outcome = delivery.Deliver(desktop, path, clipboardMode);
    FolderLine line;
    const bool moved = host.NextFolder(line) && SameFolder(line.folder, path);
    const bool kept = ClipboardText() == before;
    if (outcome == DeliveryOutcome::Delivered && moved && kept) {
      ++good;
    } else {
      std::printf("soak %d (%s): outcome %d, folder %s, clipboard %s\n", i,
                  clipboardMode ? "clipboard" : "typing", static_cast<int>(outcome),
                  moved ? "ok" : line.folder.c_str(), kept ? "kept" : "changed");
    }
  }
  std::printf("soak: %d of %d deliveries correct with the clipboard intact\n", good, count);
  return good == count ? 0 : 1;
}

}  // namespace
}  // namespace hop

int main(int argc, char** argv) {
  const std::string what = argc > 1 ? argv[1] : "";
  if (what == "walk") return hop::Walk();
  if (what == "latency" && argc == 5) {
    return hop::Latency(argv[2], hop::Wide(argv[3]).c_str(), hop::Wide(argv[4]).c_str());
  }
  if (what == "soak" && argc == 6) {
    return hop::Soak(argv[2], hop::Wide(argv[3]).c_str(), hop::Wide(argv[4]).c_str(),
                     std::atoi(argv[5]));
  }
  std::fprintf(stderr, "usage: delivery_bench walk | latency LOG A B | soak LOG A B COUNT\n");
  return 2;
}
