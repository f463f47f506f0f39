// The hotkey's rules: its text and setting, the keys it may be on every layout, when it is
// registered, how the foreground is followed, the menu's captions and where the menu goes.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "hotkey/hotkey_arming.h"
#include "hotkey/hotkey_menu.h"
#include "hotkey/hotkey_setting.h"
#include "memory_store.h"
#include "model/menu_model.h"
#include "model/path_menu.h"
#include "path_lists.h"

namespace hop {
namespace {

// Keyboard layouts as plain tables: what a key types bare, with Shift, with AltGr ('.': none).
namespace layouts {
struct TableLayout final : KeyLayout {
  explicit TableLayout(std::map<std::uint16_t, std::wstring> table) : keys(std::move(table)) {}
  std::map<std::uint16_t, std::wstring> keys;
  std::optional<wchar_t> Typed(std::uint16_t key, bool shift, bool ctrlAlt) override {
    const auto found = keys.find(key);
    const std::size_t level = (shift ? 1 : 0) + (ctrlAlt ? 2 : 0);
    if (found == keys.end() || level >= found->second.size() || found->second[level] == L'.')
      return std::nullopt;
    return found->second[level];
  }
};

// Ctrl+Alt+Q gives a control character on US keyboards; AltGr+Q is @ on German ones; AZERTY's
// digit row types é " ' ( bare and the digits with Shift, and AltGr+2 is the ~ dead key.
inline TableLayout Us() {
  return TableLayout({{'Q', L"qQ\x11"}, {'J', L"jJ"}, {'2', L"2@"}, {0x20, L" "}});
}
inline TableLayout German() {
  return TableLayout({{'Q', L"qQ@."}, {'J', L"jJ"}, {'2', L"2\""}});
}
inline TableLayout French() {
  return TableLayout({{'Q', L"aA"}, {'J', L"jJ"}, {'2', L"\u00e92~"}});
}

}  // namespace layouts

TEST(HotkeyText, ReadsWhatItWritesAndRefusesWhatCannotBeAHotkey) {
  struct Case {
    std::wstring_view text;
    std::optional<Hotkey> hotkey;
    std::wstring_view printed;  // empty: printed as given
  };
  const Case cases[] = {
      {L"Ctrl+G", Hotkey{kHotkeyCtrl, 'G'}, L""},
      {L"Ctrl+Alt+J", Hotkey{kHotkeyCtrl | kHotkeyAlt, 'J'}, L""},
      {L" alt + ctrl + j ", Hotkey{kHotkeyCtrl | kHotkeyAlt, 'J'}, L"Ctrl+Alt+J"},
      {L"Ctrl+Shift+Win+F12", Hotkey{kHotkeyCtrl | kHotkeyShift | kHotkeyWin, 0x7B}, L""},
      {L"F9", Hotkey{0, 0x78}, L""},  // function keys type nothing: no modifier needed
      {L"Shift+PageDown", Hotkey{kHotkeyShift, 0x22}, L""},
      {L"Ctrl+7", Hotkey{kHotkeyCtrl, '7'}, L""},
      {L"Ctrl+Num5", Hotkey{kHotkeyCtrl, 0x65}, L""},
      {L"Alt+;", Hotkey{kHotkeyAlt, 0xBA}, L""},
      {L"Ctrl+#233", Hotkey{kHotkeyCtrl, 233}, L""},  // a key without a name keeps its code
      {L"Ctrl+g", Hotkey{kHotkeyCtrl, 'G'}, L"Ctrl+G"},
      // Keys that would be typed into the field need Ctrl, Alt or Win.
      {L"G", std::nullopt, L""},
      {L"Shift+G", std::nullopt, L""},
      {L"Space", std::nullopt, L""},
      // Garbage.
      {L"", std::nullopt, L""},
      {L"Ctrl+", std::nullopt, L""},
      {L"Ctrl", std::nullopt, L""},
      {L"Ctrl+Ctrl+G", std::nullopt, L""},
      {L"Hyper+G", std::nullopt, L""},
      {L"Ctrl+GG", std::nullopt, L""},
      {L"Ctrl+F25", std::nullopt, L""},
      {L"Ctrl+F0", std::nullopt, L""},
      {L"Ctrl+#0", std::nullopt, L""},
      {L"Ctrl+#255", std::nullopt, L""},
      {L"Ctrl+#16", std::nullopt, L""},  // Shift is no key of its own
      {L"Ctrl+G+H", std::nullopt, L""},
      {L"Ctrl+\u00e9", std::nullopt, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(c.text).c_str());
    const auto parsed = ParseHotkey(c.text);
    ASSERT_EQ(parsed, c.hotkey);
    if (!parsed) continue;
    const std::wstring printed = HotkeyText(*parsed);
    EXPECT_EQ(printed, c.printed.empty() ? c.text : c.printed);
    EXPECT_EQ(ParseHotkey(printed), parsed);
  }
}

TEST(HotkeyText, EveryUsableKeyPrintsToTextThatReadsBack) {
  for (std::uint16_t key = 1; key < 255; ++key) {
    for (std::uint8_t modifiers = 0; modifiers < 16; ++modifiers) {
      const Hotkey hotkey{modifiers, key};
      if (!IsUsableHotkey(hotkey)) continue;
      EXPECT_EQ(ParseHotkey(HotkeyText(hotkey)), hotkey) << key << " " << int(modifiers);
    }
  }
}

TEST(HotkeySetting, AbsentOrUnreadableIsCtrlGAndEmptyIsNone) {
  test::MemoryStore store;
  layouts::TableLayout us = layouts::Us(), de = layouts::German();
  EXPECT_EQ(ReadHotkeySetting(store, us), kDefaultHotkey);
  const std::pair<std::wstring, std::optional<Hotkey>> stored[] = {
      {L"Ctrl+Alt+J", Hotkey{kHotkeyCtrl | kHotkeyAlt, 'J'}},
      {L"", std::nullopt},
      {L"  ", std::nullopt},
      {L"Ctrl+", kDefaultHotkey},
      {L"\xfffd\xfffd", kDefaultHotkey},
      {L"G", kDefaultHotkey},
  };
  for (const auto& [text, hotkey] : stored) {
    store.values[L"Hotkey"] = text;
    EXPECT_EQ(ReadHotkeySetting(store, us), hotkey) << text;
  }
  // Typing a character on the layout is as unreadable as garbage: AltGr+Q is @ on de.
  store.values[L"Hotkey"] = L"Ctrl+Alt+Q";
  EXPECT_EQ(ReadHotkeySetting(store, de), kDefaultHotkey);
  EXPECT_EQ(ReadHotkeySetting(store, us), (Hotkey{kHotkeyCtrl | kHotkeyAlt, 'Q'}));
  for (const auto& chosen : {std::optional<Hotkey>{}, std::optional(Hotkey{kHotkeyAlt, 0x70})}) {
    ASSERT_TRUE(WriteHotkeySetting(store, chosen));
    EXPECT_EQ(ReadHotkeySetting(store, us), chosen);
  }
  EXPECT_EQ(store.values[L"Hotkey"], L"Alt+F1");
}

// A keyboard that logs what the rule asks of it and refuses the keys it is told to.
class LoggingKeyboard final : public HotkeyArming::Keyboard {
 public:
  std::vector<std::wstring> log;
  std::vector<Hotkey> taken;
  bool Register(const Hotkey& hotkey) override {
    const bool refused = std::find(taken.begin(), taken.end(), hotkey) != taken.end();
    log.push_back((refused ? L"refused " : L"register ") + HotkeyText(hotkey));
    return !refused;
  }
  void Release() override { log.push_back(L"release"); }
  void TellRefused(const Hotkey& hotkey) override { log.push_back(L"tell " + HotkeyText(hotkey)); }
  std::vector<std::wstring> Take() { return std::exchange(log, {}); }
};

using Log = std::vector<std::wstring>;
constexpr WindowHandle kDialog = 10, kEditor = 20, kOtherDialog = 30, kMessageBox = 40;
constexpr Hotkey kCtrlAltJ{kHotkeyCtrl | kHotkeyAlt, 'J'};

TEST(HotkeyArming, RegisteredExactlyWhileAUsableDialogIsInFront) {
  LoggingKeyboard keyboard;
  HotkeyArming arming(keyboard);
  arming.SetKey(kDefaultHotkey);
  EXPECT_EQ(keyboard.Take(), Log{});  // nothing in front yet
  arming.OnForeground(kEditor, false);
  EXPECT_EQ(keyboard.Take(), Log{});
  arming.OnForeground(kDialog, true);
  EXPECT_EQ(keyboard.Take(), Log{L"register Ctrl+G"});
  EXPECT_EQ(arming.Dialog(), kDialog);
  arming.OnForeground(kOtherDialog, true);  // dialog to dialog: stays registered
  EXPECT_EQ(keyboard.Take(), Log{});
  EXPECT_EQ(arming.Dialog(), kOtherDialog);
  arming.OnForeground(kMessageBox, false);  // a box over it: the box's Ctrl+G is its own
  EXPECT_EQ(keyboard.Take(), Log{L"release"});
  EXPECT_EQ(arming.Dialog(), 0u);
  arming.OnForeground(kDialog, true);
  // Held by two of Hopdirs' windows (the editor, then a modal box): free until both let go.
  arming.Hold();
  arming.Hold();
  arming.OnForeground(kOtherDialog, true);
  arming.LetGo();
  EXPECT_EQ(keyboard.Take(), (Log{L"register Ctrl+G", L"release"}));
  arming.LetGo();
  arming.SetKey(kCtrlAltJ);  // a new key while in a dialog: swapped at once
  EXPECT_EQ(keyboard.Take(), (Log{L"register Ctrl+G", L"release", L"register Ctrl+Alt+J"}));
  arming.SetKey(std::nullopt);
  EXPECT_EQ(keyboard.Take(), Log{L"release"});
  arming.OnForeground(kOtherDialog, true);
  arming.OnForeground(kEditor, false);
  EXPECT_EQ(keyboard.Take(), Log{});
  EXPECT_FALSE(arming.Registered());
}

TEST(HotkeyArming, ARefusedKeyIsToldOncePerKeyAndTriedAgainLater) {
  LoggingKeyboard keyboard;
  keyboard.taken = {kDefaultHotkey};
  HotkeyArming arming(keyboard);
  arming.SetKey(kDefaultHotkey);
  arming.OnForeground(kDialog, true);
  arming.OnForeground(kEditor, false);
  arming.OnForeground(kDialog, true);
  EXPECT_EQ(keyboard.Take(), (Log{L"refused Ctrl+G", L"tell Ctrl+G", L"refused Ctrl+G"}));
  EXPECT_FALSE(arming.Registered());
  arming.SetKey(kCtrlAltJ);
  EXPECT_EQ(keyboard.Take(), Log{L"register Ctrl+Alt+J"});
  keyboard.taken = {};  // the other program let it go
  arming.SetKey(kDefaultHotkey);
  EXPECT_EQ(keyboard.Take(), (Log{L"release", L"register Ctrl+G"}));
}

TEST(ForegroundWatch, PollsOnlyWhileADialogIsShownAndUntilTheEventsProveThemselves) {
  std::vector<WindowHandle> heard;
  std::vector<WindowHandle> building;  // dialogs whose field is not there yet
  ForegroundWatch watch([&](WindowHandle window) {
    heard.push_back(window);
    return std::find(building.begin(), building.end(), window) == building.end();
  });
  watch.OnPoll(kEditor, false);  // start-up: no dialog anywhere, nothing to poll for
  EXPECT_FALSE(watch.Polling());
  watch.OnWindowCreated(false);
  EXPECT_FALSE(watch.Polling());
  watch.OnWindowCreated(true);  // a dialog appears: no foreground event here, so poll
  EXPECT_TRUE(watch.Polling());
  building = {kDialog};
  watch.OnPoll(kDialog, true);
  watch.OnPoll(kDialog, true);  // still being built: asked again
  building = {};
  watch.OnPoll(kDialog, true);
  watch.OnPoll(kDialog, true);  // settled: no change, no call
  watch.OnPoll(kEditor, true);
  EXPECT_EQ(heard, (std::vector<WindowHandle>{kEditor, kDialog, kDialog, kDialog, kEditor}));
  watch.OnPoll(kEditor, false);  // the last dialog went
  EXPECT_FALSE(watch.Polling());

  // A platform that raises the foreground event needs no poll once it has been heard.
  heard.clear();
  watch.OnWindowCreated(true);
  EXPECT_TRUE(watch.Polling());
  watch.OnForegroundEvent(kDialog);
  EXPECT_FALSE(watch.Polling());
  watch.OnWindowCreated(true);
  EXPECT_FALSE(watch.Polling());
  building = {kOtherDialog};
  watch.OnForegroundEvent(kOtherDialog);
  EXPECT_TRUE(watch.Polling());  // until its field is there
  building = {};
  watch.OnPoll(kOtherDialog, true);
  EXPECT_FALSE(watch.Polling());
  EXPECT_EQ(heard, (std::vector<WindowHandle>{kDialog, kOtherDialog, kOtherDialog}));

  // A dialog-class window that never becomes usable (a message box) is given up on.
  heard.clear();
  building = {kMessageBox};
  watch.OnForegroundEvent(kMessageBox);
  for (int poll = 0; poll < 100; ++poll) watch.OnPoll(kMessageBox, true);
  EXPECT_EQ(heard.size(), std::size_t(ForegroundWatch::kMaxAsks));
  EXPECT_FALSE(watch.Polling());
}

TEST(HotkeyMenu, DigitsForTheFirstTenPathsWithAmpersandsKept) {
  const PathMenu paths = test::MenuOf(test::NumberedPaths(PathMenu::kMaxPaths, L"C:\\R&D\\"));
  ASSERT_EQ(paths.PathCount(), 255);
  EXPECT_EQ(DigitCaption(1, paths.Caption(1)), L"&1 C:\\R&&D\\1");
  EXPECT_EQ(DigitCaption(9, paths.Caption(9)), L"&9 C:\\R&&D\\9");
  EXPECT_EQ(DigitCaption(10, paths.Caption(10)), L"&0 C:\\R&&D\\10");
  EXPECT_EQ(DigitCaption(11, paths.Caption(11)), L"C:\\R&&D\\11");
  EXPECT_EQ(DigitCaption(255, paths.Caption(255)), L"C:\\R&&D\\255");
  EXPECT_EQ(DigitCaption(3, L"&&"), L"&3 &&&&");
}

TEST(HotkeyMenu, BelowTheFieldInsideTheWorkArea) {
  const ScreenRect work{0, 0, 1024, 748};
  const ScreenRect field{100, 400, 400, 421};
  struct Case {
    ScreenRect field;
    int width, height;
    MenuAnchor anchor;
  };
  const Case cases[] = {
      {field, 200, 100, {100, 421, false, false}},                  // below, left-aligned
      {field, 200, 327, {100, 421, false, false}},                  // just fits: 421 + 327 = 748
      {field, 200, 328, {100, 400, false, true}},                   // above the field instead
      {{900, 400, 1000, 421}, 200, 100, {1024, 421, true, false}},  // against the right edge
      {{-50, 400, 100, 421}, 200, 100, {0, 421, false, false}},     // field partly off-screen
      {field, 200, 2000, {100, 0, false, false}},                   // taller than the screen
      {{100, -30, 400, -9}, 200, 100, {100, 0, false, false}},      // field above the work area
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HotkeyMenuAnchor(c.field, work, c.width, c.height), c.anchor)
        << c.field.left << "," << c.field.top << " " << c.width << "x" << c.height;
  }
}

constexpr std::uint8_t kCtrlAlt = kHotkeyCtrl | kHotkeyAlt;

TEST(KeyAcceptance, RefusesEveryCombinationThatTypesACharacterOnTheLayout) {
  layouts::TableLayout us = layouts::Us(), de = layouts::German(), fr = layouts::French();
  const struct {
    layouts::TableLayout& layout;
    Hotkey hotkey;
    KeyVerdict verdict;
    const char* row;
  } cases[] = {
      {us, {0, 'Q'}, KeyVerdict::TypesCharacter, "bare letter"},
      {fr, {kHotkeyShift, '2'}, KeyVerdict::TypesCharacter, "Shift+digit types the digit on fr"},
      {us, {kCtrlAlt, 'Q'}, KeyVerdict::Accepted, "Ctrl+Alt on us: a control character only"},
      {de, {kCtrlAlt, 'Q'}, KeyVerdict::TypesCharacter, "AltGr+Q is @ on de"},
      {de, {kCtrlAlt | kHotkeyShift, 'Q'}, KeyVerdict::Accepted, "Shift+AltGr+Q types none"},
      {de, {kCtrlAlt, 'J'}, KeyVerdict::Accepted, "AltGr+J types none on de"},
      {fr, {kCtrlAlt, '2'}, KeyVerdict::TypesCharacter, "AltGr+2 is the ~ dead key on fr"},
      {de, {kHotkeyCtrl, 'Q'}, KeyVerdict::Accepted, "Ctrl alone is no AltGr"},
      {fr, {kHotkeyAlt, '2'}, KeyVerdict::Accepted, "Alt alone is no AltGr"},
      {de, {kHotkeyWin | kCtrlAlt, 'Q'}, KeyVerdict::Reserved, "Win+ never types; Q is Search"},
      {fr, {0, 0x74}, KeyVerdict::Accepted, "bare F5"},
      {us, {0, 0x20}, KeyVerdict::TypesCharacter, "bare Space"},
      {us, {kHotkeyCtrl, 0x11}, KeyVerdict::NotAKey, "Ctrl alone"},
  };
  for (const auto& c : cases) EXPECT_EQ(JudgeHotkey(c.hotkey, c.layout), c.verdict) << c.row;
}

TEST(KeyAcceptance, RefusesWhatTypesOnAnyInstalledLayoutAndWhatWindowsKeeps) {
  const auto installed = [](std::initializer_list<layouts::TableLayout (*)()> makers) {
    std::vector<std::unique_ptr<KeyLayout>> list;
    for (const auto make : makers) list.push_back(std::make_unique<layouts::TableLayout>(make()));
    return AnyOfLayouts(std::move(list));
  };
  AnyOfLayouts usDe = installed({layouts::Us, layouts::German}),
               usFr = installed({layouts::Us, layouts::French}), us = installed({layouts::Us});
  const struct {
    AnyOfLayouts& layouts;
    Hotkey hotkey;
    KeyVerdict verdict;
    const char* row;
  } cases[] = {
      {usDe, {kCtrlAlt, 'Q'}, KeyVerdict::TypesCharacter, "US active, AltGr+Q is @ on German"},
      {usFr, {kCtrlAlt, '2'}, KeyVerdict::TypesCharacter, "the ~ dead key on the second layout"},
      {usDe, {kCtrlAlt, 'J'}, KeyVerdict::Accepted, "types on none of them"},
      {us, {kCtrlAlt, 'Q'}, KeyVerdict::Accepted, "a control character on the only layout"},
      {us, {0, 0x7B}, KeyVerdict::Reserved, "F12 alone is the debuggers'"},
      {us, {kHotkeyShift, 0x7B}, KeyVerdict::Accepted, "Shift+F12 is not"},
      {us, {kHotkeyWin, 'V'}, KeyVerdict::Reserved, "Win+V: the clipboard history"},
      {us, {kHotkeyWin | kHotkeyShift, 'S'}, KeyVerdict::Reserved, "Win+Shift+S: the snipping"},
      {us, {kHotkeyWin, 0xBE}, KeyVerdict::Reserved, "Win+.: the emoji panel"},
      {us, {kHotkeyWin, 'J'}, KeyVerdict::Accepted, "Win+J is left to programs"},
      {us, {kHotkeyWin, 0x74}, KeyVerdict::Accepted, "Win+F5"},
  };
  for (const auto& c : cases) {
    const KeyVerdict verdict = JudgeHotkey(c.hotkey, c.layouts);
    EXPECT_EQ(verdict, c.verdict) << c.row;
    if (verdict != KeyVerdict::Accepted) {
      EXPECT_NE(RefusedKeyText(c.hotkey, verdict).find(HotkeyText(c.hotkey)), std::wstring::npos)
          << c.row << ": the window names the key it refuses";
    }
  }
  EXPECT_NE(RefusedKeyText({kHotkeyWin, 'V'}, KeyVerdict::Reserved).find(L"Windows"),
            std::wstring::npos);
}

TEST(MenuDigits, TheDigitKeyFindsTheItemCaptionedWithItsDigit) {
  const std::vector<std::wstring> menu = {L"Available Hopdirs...", L"&1 C:\\a",   L"&2 C:\\b",
                                          L"&&3 drawn as &3",      L"&3 Desktop", L"&Add C:\\x\\"};
  const struct {
    std::uint16_t key;
    std::optional<std::size_t> item;
    const char* row;
  } cases[] = {
      {'2', 2, "digit row"},
      {0x62, 2, "number pad 2"},
      {'3', 4, "a doubled ampersand is no digit caption: the item after the paths is found"},
      {'0', std::nullopt, "no tenth item"},
      {'A', std::nullopt, "not a digit key: the menu's own mnemonics answer"},
  };
  for (const auto& c : cases) {
    const auto digit = DigitOfKey(c.key);
    EXPECT_EQ(digit ? ItemWithDigit(menu, *digit) : std::nullopt, c.item) << c.row;
  }
}

}  // namespace
}  // namespace hop
