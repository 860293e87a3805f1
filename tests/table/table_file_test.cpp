#include "table/table_file.h"

#include <gtest/gtest.h>

#include <string>

namespace veltrix {
namespace {

std::vector<std::string> allFields(std::string_view text) {
    FieldReader r(text);
    std::vector<std::string> out;
    while (!r.atEnd()) out.push_back(r.next());
    return out;
}

using Fields = std::vector<std::string>;

TEST(FieldReader, ReadsQuotedAndUnquotedFieldsInSequence) {
    EXPECT_EQ(allFields("\"A\",\"1\"\r\n\"B\",\"2\"\r\n"), (Fields{"A", "1", "B", "2"}));
    EXPECT_EQ(allFields("1,-6,1,0,600,2440,600,1,0\r\n"), (Fields{"1", "-6", "1", "0", "600", "2440", "600", "1", "0"}));
    // Blanks around unquoted fields are not part of them; inside quotes they are.
    EXPECT_EQ(allFields("  12  , \" x \"\r\n"), (Fields{"12", " x "}));
    EXPECT_EQ(allFields("\"\",\"\"\r\n"), (Fields{"", ""}));
    // A comma inside quotes belongs to the text.
    EXPECT_EQ(allFields("\"a,b\",c\r\n"), (Fields{"a,b", "c"}));
}

TEST(FieldReader, AcceptsEveryKindOfLineEnd) {
    EXPECT_EQ(allFields("a,b\nc\n"), (Fields{"a", "b", "c"}));
    EXPECT_EQ(allFields("a,b\rc"), (Fields{"a", "b", "c"}));
    EXPECT_EQ(allFields("a\r\n\r\nb"), (Fields{"a", "", "b"}));
    // A line ending in a comma has an empty last field.
    EXPECT_EQ(allFields("a,\r\nb"), (Fields{"a", "", "b"}));
}

TEST(FieldReader, SurvivesMalformedText) {
    // A quote left open ends at the line end; the next line reads normally.
    EXPECT_EQ(allFields("\"open,x\r\n\"b\"\r\n"), (Fields{"open,x", "b"}));
    // Text after a closing quote is passed over.
    EXPECT_EQ(allFields("\"a\"junk,\"b\"\r\n"), (Fields{"a", "b"}));
    // Past the end every field is empty.
    FieldReader r("\"only\"");
    EXPECT_EQ(r.next(3), (Fields{"only", "", ""}));
    EXPECT_TRUE(r.atEnd());
    // NUL bytes and binary garbage are ordinary characters.
    const std::string binary("a\0b,\xff\xfe\r\n", 8);
    const auto fields = allFields(binary);
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(fields[0], std::string("a\0b", 3));
    // A very long line is read whole.
    const std::string longText(200000, 'x');
    EXPECT_EQ(allFields(longText + ",y"), (Fields{longText, "y"}));
    EXPECT_TRUE(allFields("").empty());
}

TEST(SplitLines, CountsTheLinesOfAFile) {
    EXPECT_EQ(splitLines("a\r\nb\r\n"), (Fields{"a", "b"}));
    EXPECT_EQ(splitLines("a\r\nb"), (Fields{"a", "b"}));
    EXPECT_EQ(splitLines("a\nb\rc"), (Fields{"a", "b", "c"}));
    EXPECT_EQ(splitLines("\r\n"), (Fields{""}));
    EXPECT_TRUE(splitLines("").empty());
}

TEST(RecordWriter, WritesTextsQuotedAndNumbersBare) {
    EXPECT_EQ(RecordWriter().text("SIDE").number(0.5f).number(-6).text("").line(), "\"SIDE\",.5,-6,\"\"\r\n");
    EXPECT_EQ(quotedRecord({"A", "1"}), "\"A\",\"1\"\r\n");
    EXPECT_EQ(joinLines({"x", "y"}), "x\r\ny\r\n");
    EXPECT_EQ(joinLines({}), "");
}

}  // namespace
}  // namespace veltrix
