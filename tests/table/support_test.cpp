// File operations, the working folder, the print-style writer and keyboard editing of cells.
#include <gtest/gtest.h>

#include <regex>

#include "support/temp_folder.h"
#include "table/editing.h"
#include "table/error.h"
#include "table/file_ops.h"
#include "table/print_text.h"
#include "table/workspace.h"

namespace veltrix {
namespace {

using test::TempFolder;

TEST(FileOperations, QueriesNeverThrowWritersReplaceWholeFiles) {
    TempFolder dir;
    EXPECT_FALSE(fileExists(""));
    EXPECT_FALSE(fileExists(dir.path()));  // a folder is not a file
    dir.write("empty.tlf", "");
    EXPECT_TRUE(fileEmptyOrMissing(dir / "empty.tlf"));
    EXPECT_TRUE(fileEmptyOrMissing(dir / "none"));
    EXPECT_THROW(readExistingFile(dir / "none"), FileError);
    writeFileAtomic(dir / "f.tlf", "first");
    writeFileAtomic(dir / "f.tlf", "second");
    EXPECT_EQ(readExistingFile(dir / "f.tlf"), "second");
    EXPECT_FALSE(fileEmptyOrMissing(dir / "f.tlf"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);  // no temporary left
    EXPECT_THROW(writeFileAtomic(dir / "missing" / "f.tlf", "x"), FileError);
}

TEST(FileOperations, WildcardsIgnoreLetterCase) {
    TempFolder dir;
    for (const char* name : {"a.tlf", "B.TLF", "sheets.Adj", "tlf.txt"}) dir.write(name, "x");
    EXPECT_EQ(deleteMatching(dir.path(), "*.tlf"), 2);
    EXPECT_EQ(deleteMatching(dir.path(), "*.adj"), 1);
    EXPECT_TRUE(fileExists(dir / "tlf.txt"));
    EXPECT_EQ(deleteMatching(dir / "missing-folder", "*"), 0);
    EXPECT_TRUE(wildcardMatch("JOB*.OPT", "job[MAT=PB].opt"));
    EXPECT_FALSE(wildcardMatch("plan*.dxf", "plan.dxf.bak"));
    EXPECT_TRUE(wildcardMatch("a?c", "abc"));
    EXPECT_FALSE(wildcardMatch("a?c", "ac"));
}

TEST(FileOperations, DatesAndNamesInAnyLetterCase) {
    TempFolder dir;
    dir.write("products.lst", "");
    EXPECT_TRUE(std::regex_match(dateText(), std::regex(R"(\d\d-\d\d-\d\d\d\d)")));
    // Names differing only in letter case find the file that exists.
    Workspace ws(dir.path());
    EXPECT_EQ(ws.file("LBl.def"), dir / "LBl.def");
    dir.write("lbl.def", "x");
    EXPECT_EQ(ws.file("LBl.def"), dir / "lbl.def");
    EXPECT_EQ(ws.file("PRODUCTS.LST"), dir / "products.lst");
}

TEST(PrintText, PlacesFieldsAtColumnsAndWrapsWhenTheColumnIsPassed) {
    PrintText p;
    p.put("Length").at(10, "Width").endLine();
    p.put("ab").at(5, "").endLine();          // an empty field still pads
    p.put("123456789").at(5, "X").endLine();  // past the column: the next line
    p.put("1234").at(5, "Y").endLine().line("z");
    EXPECT_EQ(p.str(), "Length   Width\r\nab  \r\n123456789\r\n    X\r\n1234Y\r\nz\r\n");
    EXPECT_EQ(p.position(), p.str().size());
}

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
