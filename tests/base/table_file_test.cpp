// Table files and CSV: the readers on hand-made text, and the writers.
#include "base/table_file.h"

#include <gtest/gtest.h>

#include "base/csv.h"

namespace veltrix {
namespace {

using Fields = std::vector<std::string>;

Fields allFields(std::string_view text) {
    FieldReader r(text);
    Fields out;
    while (!r.atEnd()) out.push_back(r.next());
    return out;
}

TEST(FieldReader, ReadsFieldsInSequenceWhateverTheLineEnds) {
    const std::string longText(200000, 'x');
    const std::vector<std::pair<std::string, Fields>> cases{
        {"\"A\",\"1\"\r\n\"B\",\"2\"\r\n", {"A", "1", "B", "2"}},
        {"1,-6,1,0\r\n", {"1", "-6", "1", "0"}},
        {"  12  , \" x \"\r\n", {"12", " x "}},  // blanks trimmed outside quotes only
        {"\"a,b\",c\r\n", {"a,b", "c"}},
        {"a,b\nc\n", {"a", "b", "c"}},
        {"a,b\rc", {"a", "b", "c"}},
        {"a\r\n\r\nb", {"a", "b"}},  // a blank line holds no field
        {"a\n\rb\r\n  \t \r\n\r\n", {"a", "b"}},  // nor do line ends mixed up (LF CR) and blanks alone
        {"a,\r\nb", {"a", "", "b"}},
        {"\"open,x\r\n\"b\"\r\n", {"open,x", "b"}},  // an open quote ends at the line end
        {"\"a\"junk,\"b\"\r\n", {"a", "b"}},          // text after the closing quote passed over
        {std::string("a\0b,\xff\r\n", 7), {std::string("a\0b", 3), "\xff"}},
        {longText + ",y", {longText, "y"}},
        {"", {}}};
    for (const auto& [text, fields] : cases) EXPECT_EQ(allFields(text), fields) << text.substr(0, 30);
    FieldReader r("\"only\"");
    EXPECT_EQ(r.next(3), (Fields{"only", "", ""}));  // past the end every field is empty
}

TEST(TableFile, ARecordLineHoldsItsFieldsWellFormed) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"\"A\",\"\", 12 ,\"x,y\"", ""},
        {"1,-6,1,0", ""},
        {"\"A\",\"B\",\"C\"", "3 fields where 4 belong"},
        {"\"A\",\"B\",\"C\",\"D\",\"E\"", "5 fields where 4 belong"},
        {"", "1 field where 4 belong"},
        {"\"PB\",\"2070,\"5\",\"RACK A\"", "text follows the closing quote of field 2"},
        {"\"A\",\"B\",\"C\",\"D", "a quote is left open in field 4"},
        {"\"A\",B\"x,\"C\",\"D\"", "a quote stands inside the unquoted field 2"}};
    for (const auto& [line, problem] : cases) EXPECT_EQ(recordProblem(line, 4), problem) << line;
}

TEST(TableFile, LinesAndRecords) {
    EXPECT_EQ(splitLines("a\r\nb\r\n"), (Fields{"a", "b"}));
    EXPECT_EQ(splitLines("a\nb\rc"), (Fields{"a", "b", "c"}));
    EXPECT_EQ(splitLines("\r\n"), (Fields{""}));
    EXPECT_TRUE(splitLines("").empty());
    EXPECT_EQ(RecordWriter().text("SIDE").number(0.5f).number(-6).text("").line(), "\"SIDE\",.5,-6,\"\"\r\n");
}

TEST(Csv, ReadsWhatSpreadsheetsWriteAndQuotesWhatNeedsIt) {
    using Rows = std::vector<Fields>;
    EXPECT_EQ(parseCsv("a,b\r\n1,2\r\n"), (Rows{{"a", "b"}, {"1", "2"}}));
    EXPECT_EQ(parseCsv("\xEF\xBB\xBFLENGTH\n720\n\n"), (Rows{{"LENGTH"}, {"720"}}));
    EXPECT_EQ(parseCsv("\"x, y\",\"say \"\"hi\"\"\"\n"), (Rows{{"x, y", "say \"hi\""}}));
    EXPECT_EQ(parseCsv("\"two\nlines\",z"), (Rows{{"two\nlines", "z"}}));
    EXPECT_EQ(parseCsv("a,,\n"), (Rows{{"a", "", ""}}));
    EXPECT_EQ(parseCsv("\"open,x\n"), (Rows{{"open,x\n"}}));
    EXPECT_EQ(csvLine({"a", "b,c", "d\"e", ""}), "a,\"b,c\",\"d\"\"e\",\r\n");
    EXPECT_EQ(parseCsv(csvLine({"a", "b,c", " pad"})), (Rows{{"a", "b,c", " pad"}}));
}

}  // namespace
}  // namespace veltrix
