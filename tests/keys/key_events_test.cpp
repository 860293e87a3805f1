// Key strings become the key events a US keyboard would send.
#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
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

// Expected events written short: "65" a press of virtual key 65, "+65" the same inside Shift,
// "x46" an extended press, "d16"/"u16" a key down/up alone, "c233" a Unicode character's pair.
std::vector<std::string> events(const std::string& shorthand) {
    std::vector<std::string> out;
    std::istringstream in(shorthand);
    for (std::string t; in >> t;) {
        const std::string n = std::isdigit(static_cast<unsigned char>(t[0])) ? t : t.substr(1);
        const std::string key = "KEY " + n;
        if (t[0] == 'd') out.push_back(key + " DOWN");
        else if (t[0] == 'u') out.push_back(key + " UP");
        else if (t[0] == 'x') out.insert(out.end(), {key + " DOWN EXTENDED", key + " UP EXTENDED"});
        else if (t[0] == 'c') out.insert(out.end(), {"CHAR " + n + " DOWN", "CHAR " + n + " UP"});
        else if (t[0] == '+') out.insert(out.end(), {"KEY 16 DOWN", key + " DOWN", key + " UP", "KEY 16 UP"});
        else out.insert(out.end(), {key + " DOWN", key + " UP"});
    }
    return out;
}

TEST(KeyString, EventsOfEveryKindOfElement) {
    const std::pair<std::string, std::string> cases[] = {
        // Named keys ignore letter case and take a repeat count; some are extended.
        {"{f11}", "122"}, {"{F11}", "122"}, {"{TAB 3}", "9 9 9"}, {"{F16}{bksp}{PGDN}", "127 8 x34"},
        {"{TAB 10}", "9 9 9 9 9 9 9 9 9 9"}, {"{DEL}", "x46"}, {"{BREAK}{PAUSE}", "x19 19"},
        // Modifiers hold for the next element or group; a capital under Shift brings its own Shift;
        // a modifier with nothing after it, or closing a group, only goes down and up.
        {"+{tab}", "d16 9 u16"}, {"^+a", "d17 d16 65 u16 u17"}, {"+(ab)c", "d16 65 66 u16 67"},
        {"+A", "d16 +65 u16"}, {"^", "d17 u17"}, {"(a^)", "65 d17 u17"},
        // Characters are plain keys of the US keyboard; "~" is a character like any other, not Enter.
        {"602.5", "54 48 50 190 53"}, {"aZ", "65 +90"}, {")!@#$", "+48 +49 +50 +51 +52"},
        {";=,-./`", "186 187 188 189 190 191 192"}, {"[\\]'", "219 220 221 222"}, {"~", "+192"},
        {" \t\r\b\x1b", "32 9 13 8 27"},
        // Braces around special characters type them; a name that is no key types its first
        // character as written; an unclosed brace is typed, and so is a ")" outside any group.
        {"{}}", "+221"}, {"{{}", "+219"}, {"{+}{^}{%}{(}{)}{~}", "+187 +54 +53 +57 +48 +192"}, {"{a 2}", "65 65"},
        {"{abc}", "65"}, {"{Xyz 2}", "+88 +88"}, {"{ab", "+219 65 66"}, {"a)", "65 +48"},
        // Other characters are Unicode pairs per UTF-16 unit (U+1F600 is D83D DE00); a broken
        // sequence is one replacement character and the rest goes on.
        {"\xC3\xA9", "c233"}, {"\n", "c10"}, {"\xF0\x9F\x98\x80", "c55357 c56832"}, {"\xE2\x82z", "c65533 c65533 90"}};
    for (const auto& [keys, expected] : cases) EXPECT_EQ(texts(keys), events(expected)) << keys;
    EXPECT_FALSE(findKeyName("F17"));
    EXPECT_FALSE(findKeyName("RETURN"));
    const auto euro = parseKeyString("\xE2\x82\xAC");
    EXPECT_EQ(euro, (std::vector<KeyEvent>{{0, 0x20AC, kUnicodeChar}, {0, 0x20AC, kUnicodeChar | kKeyUp}}));
}

}  // namespace
}  // namespace veltrix::keys
