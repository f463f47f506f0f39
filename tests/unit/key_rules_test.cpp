// Keys on every keyboard: which combinations may be the hotkey on a layout, and which menu row
// a digit key chooses.
#include <gtest/gtest.h>

#include "fake_layouts.h"
#include "hotkey/hotkey_menu.h"

namespace hop {
namespace {

constexpr std::uint8_t kCtrlAlt = kHotkeyCtrl | kHotkeyAlt;

TEST(KeyAcceptance, RefusesEveryCombinationThatTypesACharacterOnTheLayout) {
  test::TableLayout us = test::Us(), de = test::German(), fr = test::French();
  const struct {
    test::TableLayout& layout;
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
      {de, {kHotkeyWin | kCtrlAlt, 'Q'}, KeyVerdict::Accepted, "Win+ never types"},
      {fr, {0, 0x74}, KeyVerdict::Accepted, "bare F5"},
      {us, {0, 0x20}, KeyVerdict::TypesCharacter, "bare Space"},
      {us, {kHotkeyCtrl, 0x11}, KeyVerdict::NotAKey, "Ctrl alone"},
  };
  for (const auto& c : cases) EXPECT_EQ(JudgeHotkey(c.hotkey, c.layout), c.verdict) << c.row;
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
