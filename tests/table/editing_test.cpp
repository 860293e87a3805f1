// Keyboard editing of cells.
#include "table/editing.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

// Types the characters one by one into a cell as a grid window does, returning the cell's text.
std::string type(std::string_view key, std::string text, std::string_view keys) {
    for (char c : keys) {
        const KeyResult r = acceptCharacter(key, text, static_cast<unsigned char>(c));
        if (r.action == KeyAction::Append) text += r.character;
        else if (r.action == KeyAction::Replace) text = r.text;
    }
    return text;
}

TEST(Editing, TypedKeysFollowTheColumnsKindWidthAndToggles) {
    struct Case { const char* key; const char* start; const char* typed; const char* result; };
    const std::vector<Case> cases{
        {"LENGTH", "", "12.5.3", "12.53"}, {"LENGTH", "", "-7a,", "7"},   {"QTY", "", "3.5", "35"},
        {"DESCRIPTION", "", "side, l\"t", "SIDE LT"}, {"NOTE", "", "\tx\x7f~", "X~"}, {"REPORT", "", "abc", ""},
        {"QTY", "", "12345678", "1234567"}, {"REM-1", "", "abcdefg", "ABCDE"},  // widths 7 and 5
        {"LENGTH", "720", "\b", "72"},     {"LENGTH", "", "\b\b", ""},
        {"GRAIN", "", "x", "YES"},        {"GRAIN", "", "xy", ""},     {"ALIGN", "", "\b", "YES"},
        {"GRAIN", "NO", "x", "NO"},       {"CRITERIA", "", "aa", "AND"}, {"CRITERIA", "AND", "a", "OR"},
        {"CRITERIA", "XOR", "a", "XOR"},  {"ORN", "", "3", ""},        {"ORN", "", "21", "2"},
        {"length", "", "12", ""}};  // keys are matched exactly
    for (const Case& c : cases) EXPECT_EQ(type(c.key, c.start, c.typed), c.result) << c.key << " " << c.typed;
    EXPECT_FALSE(acceptCharacter("QTY", "1234567", '8').changed);
    EXPECT_TRUE(acceptCharacter("QTY", "12", '8').changed);
    const KeyResult dxf = acceptCharacter("DXFFILE", "", 'a');
    EXPECT_EQ(dxf.action, KeyAction::OpenDxfDialog);
    EXPECT_TRUE(dxf.beep);
    EXPECT_EQ(acceptCharacter("LABELFILE", "", 'a').action, KeyAction::OpenPictureDialog);
    EXPECT_EQ(acceptCharacter("PRODUCTS", "", 'a').action, KeyAction::OpenProductChoice);
    EXPECT_EQ(acceptCharacter("NOT A KEY", "", 'a').action, KeyAction::Discard);
    EXPECT_TRUE(deleteKeyClears("DXFFILE"));
    EXPECT_FALSE(deleteKeyClears("REPORT"));
    EXPECT_FALSE(deleteKeyClears("UNKNOWN"));
}

}  // namespace
}  // namespace veltrix
