#include "table/editing.h"

#include <gtest/gtest.h>

#include "platform/prompt.h"
#include "support/temp_folder.h"
#include "table/columns.h"

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

TEST(AcceptCharacter, FiltersByValueKind) {
    EXPECT_EQ(type("LENGTH", "", "12.5.3"), "12.53");
    EXPECT_EQ(type("LENGTH", "", "-7a,"), "7");
    EXPECT_EQ(type("QTY", "", "3.5"), "35");
    EXPECT_EQ(type("DESCRIPTION", "", "side, left"), "SIDE LEFT");
    EXPECT_EQ(type("DESCRIPTION", "", "a\"b"), "AB");
    EXPECT_EQ(type("NOTE", "", "\tx\x7f~"), "X~");
    EXPECT_EQ(type("REPORT", "", "abc"), "");
}

TEST(AcceptCharacter, StopsAtTheColumnWidth) {
    EXPECT_EQ(type("QTY", "", "12345678"), "1234567");
    EXPECT_EQ(type("REM-1", "", "abcdefg"), "ABCDE");
    const KeyResult full = acceptCharacter("QTY", "1234567", '8');
    EXPECT_EQ(full.action, KeyAction::Discard);
    EXPECT_FALSE(full.changed);
    EXPECT_TRUE(acceptCharacter("QTY", "12", '8').changed);
}

TEST(AcceptCharacter, BackspaceTakesOffTheLastCharacter) {
    const KeyResult r = acceptCharacter("LENGTH", "720", kBackspace);
    EXPECT_EQ(r.action, KeyAction::Replace);
    EXPECT_EQ(r.text, "72");
    EXPECT_EQ(acceptCharacter("LENGTH", "", kBackspace).action, KeyAction::Discard);
}

TEST(AcceptCharacter, OptionColumnsToggle) {
    EXPECT_EQ(type("GRAIN", "", "x"), "YES");
    EXPECT_EQ(type("GRAIN", "", "xy"), "");
    // Any key toggles, even Backspace.
    EXPECT_EQ(type("ALIGN", "", "\b"), "YES");
    EXPECT_EQ(type("SHOW LOGO", "YES", " "), "");
    // Other content refuses the key.
    EXPECT_EQ(type("GRAIN", "NO", "x"), "NO");
    EXPECT_EQ(type("CRITERIA", "", "a"), "OR");
    EXPECT_EQ(type("CRITERIA", "OR", "a"), "AND");
    EXPECT_EQ(type("CRITERIA", "AND", "a"), "OR");
    EXPECT_EQ(type("CRITERIA", "XOR", "a"), "XOR");
    EXPECT_EQ(type("ORN", "", "3"), "");
    EXPECT_EQ(type("ORN", "", "2"), "2");
    EXPECT_EQ(type("ORN", "2", "1"), "2");
}

TEST(AcceptCharacter, DialogEntriesOpenTheirChooser) {
    KeyResult r = acceptCharacter("DXFFILE", "", 'a');
    EXPECT_EQ(r.action, KeyAction::OpenDxfDialog);
    EXPECT_TRUE(r.beep);
    EXPECT_EQ(acceptCharacter("LABELFILE", "", 'a').action, KeyAction::OpenPictureDialog);
    EXPECT_EQ(acceptCharacter("PRODUCTS", "", 'a').action, KeyAction::OpenProductChoice);
    EXPECT_EQ(acceptCharacter("CODE", "", 'a').action, KeyAction::Discard);
    EXPECT_EQ(acceptCharacter("NOT A KEY", "", 'a').action, KeyAction::Discard);
}

TEST(DeleteKey, ClearsEditableColumnsOnly) {
    EXPECT_TRUE(deleteKeyClears("LENGTH"));
    EXPECT_TRUE(deleteKeyClears("DXFFILE"));
    EXPECT_TRUE(deleteKeyClears("PRODUCTS"));
    EXPECT_FALSE(deleteKeyClears("REPORT"));
    EXPECT_FALSE(deleteKeyClears("UNKNOWN"));
}

TEST(Columns, VocabularyAndHeader) {
    EXPECT_EQ(lookupColumn("LENGTH").width, 7);
    EXPECT_EQ(lookupColumn("LENGTH").kind, ValueKind::Real);
    EXPECT_EQ(lookupColumn("LABELFILE").entry, EntryMethod::PictureDialog);
    EXPECT_EQ(lookupColumn("length").width, 0);  // keys are matched exactly
    EXPECT_EQ(displayWidth("ORN"), 3);
    EXPECT_EQ(displayWidth("SHOW DESCRIPTION"), 16);
    EXPECT_EQ(displayWidth("NOTE"), 30);
    EXPECT_EQ(headerTexts({"ORN", "MAT"}), (std::vector<std::string>{"Sr No", "ORN", "MAT             "}));
}

TEST(ChangeConfirmation, AsksOnlyWhenAResultExists) {
    test::TempFolder dir;
    const auto dia = dir / "dia.tlf";
    ScriptedPrompt prompt;
    // No result: go on without asking.
    EXPECT_EQ(confirmChange('A', dia, prompt), ChangeAnswer::GoOn);
    dir.write("dia.tlf", "");
    EXPECT_EQ(confirmChange('A', dia, prompt), ChangeAnswer::GoOn);
    EXPECT_TRUE(prompt.messages.empty());
    // A control character is no edit.
    dir.write("dia.tlf", "1,-1,1,0,0,10,10,1,0\r\n");
    EXPECT_EQ(confirmChange(3, dia, prompt), ChangeAnswer::Refuse);
    EXPECT_TRUE(prompt.messages.empty());
    // No keeps the result.
    prompt.push(Answer::No);
    EXPECT_EQ(confirmChange('A', dia, prompt), ChangeAnswer::Refuse);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, kChangeQuestion);
    EXPECT_EQ(prompt.messages[0].title, "Attention!");
    EXPECT_FALSE(dir.read("dia.tlf").empty());
    // Yes empties it.
    prompt.push(Answer::Yes);
    EXPECT_EQ(confirmChange(kBackspace, dia, prompt), ChangeAnswer::GoOnDiscarded);
    EXPECT_TRUE(std::filesystem::exists(dia));
    EXPECT_EQ(dir.read("dia.tlf"), "");
}

}  // namespace
}  // namespace veltrix
