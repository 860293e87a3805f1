// Key strings become the key events a US keyboard would send.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keys/key_events.h"
#include "keys/key_names.h"

namespace veltrix::keys {
namespace {

// The events as text, one per entry, for readable comparisons.
std::vector<std::string> texts(std::string_view keyString) {
    std::vector<std::string> out;
    for (const KeyEvent& event : parseKeyString(keyString)) out.push_back(eventText(event));
    return out;
}

// A plain key press, optionally with Shift around it.
std::vector<std::string> press(int vk, bool shift = false) {
    std::vector<std::string> out;
    if (shift) out.push_back("KEY 16 DOWN");
    out.push_back("KEY " + std::to_string(vk) + " DOWN");
    out.push_back("KEY " + std::to_string(vk) + " UP");
    if (shift) out.push_back("KEY 16 UP");
    return out;
}

std::vector<std::string> concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> out;
    for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

TEST(KeyString, NamedKeysIgnoreLetterCaseAndTakeARepeatCount) {
    EXPECT_EQ(texts("{f11}"), press(122));
    EXPECT_EQ(texts("{F11}"), press(122));
    EXPECT_EQ(texts("{TAB 3}"), concat({press(9), press(9), press(9)}));
    EXPECT_EQ(texts("{F16}{bksp}{PGDN}"),
              concat({press(127), press(8), {"KEY 34 DOWN EXTENDED", "KEY 34 UP EXTENDED"}}));
    EXPECT_EQ(texts("{DEL}"), (std::vector<std::string>{"KEY 46 DOWN EXTENDED", "KEY 46 UP EXTENDED"}));
    EXPECT_EQ(texts("{BREAK}{PAUSE}"),
              concat({{"KEY 19 DOWN EXTENDED", "KEY 19 UP EXTENDED"}, press(19)}));
    EXPECT_FALSE(findKeyName("F17"));
    EXPECT_FALSE(findKeyName("RETURN"));
}

TEST(KeyString, ModifiersHoldForTheNextElementOrGroup) {
    EXPECT_EQ(texts("+{tab}"), (std::vector<std::string>{"KEY 16 DOWN", "KEY 9 DOWN", "KEY 9 UP", "KEY 16 UP"}));
    EXPECT_EQ(texts("^+a"), (std::vector<std::string>{"KEY 17 DOWN", "KEY 16 DOWN", "KEY 65 DOWN", "KEY 65 UP",
                                                      "KEY 16 UP", "KEY 17 UP"}));
    EXPECT_EQ(texts("+(ab)c"), concat({{"KEY 16 DOWN"}, press(65), press(66), {"KEY 16 UP"}, press(67)}));
    // A capital under Shift still brings its own Shift.
    EXPECT_EQ(texts("+A"), concat({{"KEY 16 DOWN"}, press(65, true), {"KEY 16 UP"}}));
    // A modifier with nothing after it, and one closing a group, only goes down and up.
    EXPECT_EQ(texts("^"), (std::vector<std::string>{"KEY 17 DOWN", "KEY 17 UP"}));
    EXPECT_EQ(texts("(a^)"), concat({press(65), {"KEY 17 DOWN", "KEY 17 UP"}}));
}

TEST(KeyString, CharactersArePlainKeysOfTheUsKeyboard) {
    // 602.5: digits 48-57, the point 190.
    EXPECT_EQ(texts("602.5"), concat({press(54), press(48), press(50), press(190), press(53)}));
    EXPECT_EQ(texts("aZ"), concat({press(65), press(90, true)}));
    EXPECT_EQ(texts(")!@#$"), concat({press(48, true), press(49, true), press(50, true), press(51, true),
                                      press(52, true)}));
    EXPECT_EQ(texts(";=,-./`"), concat({press(186), press(187), press(188), press(189), press(190), press(191),
                                        press(192)}));
    EXPECT_EQ(texts("[\\]'"), concat({press(219), press(220), press(221), press(222)}));
    // "~" is a character like any other, not Enter.
    EXPECT_EQ(texts("~"), press(192, true));
    EXPECT_EQ(texts(" \t\r\b\x1b"), concat({press(32), press(9), press(13), press(8), press(27)}));
}

TEST(KeyString, BracesAroundSpecialCharactersTypeThem) {
    EXPECT_EQ(texts("{}}"), press(221, true));
    EXPECT_EQ(texts("{{}"), press(219, true));
    EXPECT_EQ(texts("{+}{^}{%}{(}{)}{~}"), concat({press(187, true), press(54, true), press(53, true),
                                                   press(57, true), press(48, true), press(192, true)}));
    EXPECT_EQ(texts("{a 2}"), concat({press(65), press(65)}));
    // A name that is no key types its first character as written.
    EXPECT_EQ(texts("{abc}"), press(65));
    EXPECT_EQ(texts("{Xyz 2}"), concat({press(88, true), press(88, true)}));
    // An unclosed brace is typed, and so is a ")" outside any group.
    EXPECT_EQ(texts("{ab"), concat({press(219, true), press(65), press(66)}));
    EXPECT_EQ(texts("a)"), concat({press(65), press(48, true)}));
}

TEST(KeyString, OtherCharactersAreUnicodePairsPerUtf16Unit) {
    EXPECT_EQ(texts("\xC3\xA9"), (std::vector<std::string>{"CHAR 233 DOWN", "CHAR 233 UP"}));
    EXPECT_EQ(texts("\n"), (std::vector<std::string>{"CHAR 10 DOWN", "CHAR 10 UP"}));
    // U+1F600 is the UTF-16 pair D83D DE00.
    EXPECT_EQ(texts("\xF0\x9F\x98\x80"),
              (std::vector<std::string>{"CHAR 55357 DOWN", "CHAR 55357 UP", "CHAR 56832 DOWN", "CHAR 56832 UP"}));
    // A broken sequence is one replacement character and the rest goes on.
    EXPECT_EQ(texts("\xE2\x82z"), concat({{"CHAR 65533 DOWN", "CHAR 65533 UP"}, {"CHAR 65533 DOWN", "CHAR 65533 UP"},
                                          press(90)}));
    const auto events = parseKeyString("\xE2\x82\xAC");  // the euro sign
    ASSERT_EQ(events.size(), 2U);
    EXPECT_EQ(events[0], (KeyEvent{0, 0x20AC, kUnicodeChar}));
    EXPECT_EQ(events[1], (KeyEvent{0, 0x20AC, kUnicodeChar | kKeyUp}));
}

TEST(KeyString, LongStringsKeepEveryEvent) {
    std::string text(244, 'x');
    text += "{TAB 13}";
    const auto events = parseKeyString(text);
    ASSERT_EQ(events.size(), 244U * 2 + 13 * 2);
    EXPECT_EQ(events[487], (KeyEvent{88, 0, kKeyUp}));
    for (std::size_t i = 488; i < events.size(); i += 2) {
        EXPECT_EQ(events[i], (KeyEvent{9, 0, 0}));
        EXPECT_EQ(events[i + 1], (KeyEvent{9, 0, kKeyUp}));
    }
}

}  // namespace
}  // namespace veltrix::keys
