#include "delivery/key_string.h"

#include <gtest/gtest.h>

namespace hop {
namespace {

using Chords = std::vector<KeyChord>;

KeyChord Char(wchar_t c, Modifiers m = {}) {
  return {m, NamedKey::None, c};
}
KeyChord Key(NamedKey k, Modifiers m = {}) {
  return {m, k, 0};
}
constexpr Modifiers kAlt{true, false, false};
constexpr Modifiers kCtrl{false, true, false};
constexpr Modifiers kShift{false, false, true};

TEST(KeyString, TheStringsTheDeliverySends) {
  EXPECT_EQ(ParseKeyString(L"%n"), (Chords{Char(L'n', kAlt)}));
  EXPECT_EQ(ParseKeyString(L"^v"), (Chords{Char(L'v', kCtrl)}));
  EXPECT_EQ(ParseKeyString(L"{ENTER}{BS}"),
            (Chords{Key(NamedKey::Enter), Key(NamedKey::Backspace)}));
}

TEST(KeyString, ModifiersHoldForOneKeyOrAGroupAndCombine) {
  EXPECT_EQ(ParseKeyString(L"+ab"), (Chords{Char(L'a', kShift), Char(L'b')}));
  EXPECT_EQ(ParseKeyString(L"^%x"), (Chords{Char(L'x', {true, true, false})}));
  EXPECT_EQ(ParseKeyString(L"+(ab)c"),
            (Chords{Char(L'a', kShift), Char(L'b', kShift), Char(L'c')}));
  EXPECT_EQ(ParseKeyString(L"%{F4}"), (Chords{Key(NamedKey::F4, kAlt)}));
  EXPECT_EQ(ParseKeyString(L"^(+(a)b)"),
            (Chords{Char(L'a', {false, true, true}), Char(L'b', kCtrl)}));
}

TEST(KeyString, NamedKeysTildeRepeatsAndBracedCharacters) {
  EXPECT_EQ(ParseKeyString(L"~"), (Chords{Key(NamedKey::Enter)}));
  EXPECT_EQ(ParseKeyString(L"{bksp}{Tab}{esc}{F12}"),
            (Chords{Key(NamedKey::Backspace), Key(NamedKey::Tab), Key(NamedKey::Escape),
                    Key(NamedKey::F12)}));
  EXPECT_EQ(ParseKeyString(L"{BS 3}"), (Chords(3, Key(NamedKey::Backspace))));
  EXPECT_EQ(ParseKeyString(L"{x 2}"), (Chords(2, Char(L'x'))));
  EXPECT_EQ(ParseKeyString(L"{+}{^}{%}{~}{(}{)}{[}{]}{{}{}}"),
            (Chords{Char(L'+'), Char(L'^'), Char(L'%'), Char(L'~'), Char(L'('), Char(L')'),
                    Char(L'['), Char(L']'), Char(L'{'), Char(L'}')}));
  EXPECT_EQ(ParseKeyString(L"{SPACE}"), (Chords{Char(L' ')}));
  EXPECT_EQ(ParseKeyString(L""), (Chords{}));
}

TEST(KeyString, MalformedStringsAreRejectedWhole) {
  for (const wchar_t* bad : {L"{ENTER", L"{}", L"{NOPE}", L"{F13}", L"(ab", L"ab)", L"%", L"a+",
                             L"}", L"{BS x}", L"^()"}) {
    EXPECT_EQ(ParseKeyString(bad), std::nullopt) << bad;
  }
}

TEST(KeyString, LiteralStringsTypeEveryCharacterAsItself) {
  for (std::wstring path :
       {L"C:\\Program Files (x86)\\", L"C:\\PROGRA~1\\", L"C:\\R&D\\", L"C:\\\u00dcberall\\",
        L"D:\\a+b\\50%\\x^y\\{id}\\[1]\\", L"E:\\\U0001F600 smile\\", L"%n^v{ENTER}"}) {
    const auto chords = ParseKeyString(LiteralKeyString(path));
    ASSERT_TRUE(chords) << path;
    std::wstring typed;
    for (const auto& chord : *chords) {
      EXPECT_EQ(chord.key, NamedKey::None);
      EXPECT_EQ(chord.modifiers, Modifiers{});
      typed += chord.character;
    }
    EXPECT_EQ(typed, path);
  }
}

}  // namespace
}  // namespace hop
