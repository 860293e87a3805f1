// File operations, CSV, the print-style writer and the random sequence.
#include <gtest/gtest.h>

#include <regex>

#include "support/temp_folder.h"
#include "table/csv.h"
#include "table/error.h"
#include "table/file_ops.h"
#include "table/korvel.h"
#include "table/print_text.h"
#include "table/workspace.h"

namespace veltrix {
namespace {

using test::TempFolder;

TEST(FileOperations, QueriesNeverThrow) {
    TempFolder dir;
    EXPECT_FALSE(fileExists(""));
    EXPECT_FALSE(fileExists(dir / "none"));
    EXPECT_FALSE(fileExists(dir.path()));  // a folder is not a file
    EXPECT_FALSE(fileExists("/no/such/drive/x.tlf"));
    EXPECT_TRUE(fileEmptyOrMissing(dir / "none"));
    dir.write("empty.tlf", "");
    EXPECT_TRUE(fileEmptyOrMissing(dir / "empty.tlf"));
    dir.write("full.tlf", "x");
    EXPECT_FALSE(fileEmptyOrMissing(dir / "full.tlf"));
    EXPECT_EQ(readWholeFile(dir / "none"), "");
    EXPECT_EQ(readWholeFile(dir / "full.tlf"), "x");
    EXPECT_THROW(readExistingFile(dir / "none"), FileError);
}

TEST(FileOperations, DeleteByWildcardIgnoresLetterCase) {
    TempFolder dir;
    for (const char* name : {"a.tlf", "B.TLF", "sheets.Adj", "keep.opt", "tlf.txt"}) dir.write(name, "x");
    EXPECT_EQ(deleteMatching(dir.path(), "*.tlf"), 2);
    EXPECT_EQ(deleteMatching(dir.path(), "*.adj"), 1);
    EXPECT_TRUE(fileExists(dir / "keep.opt"));
    EXPECT_TRUE(fileExists(dir / "tlf.txt"));
    EXPECT_EQ(deleteMatching(dir.path(), "*.tlf"), 0);
    EXPECT_EQ(deleteMatching(dir / "missing-folder", "*"), 0);
    EXPECT_TRUE(wildcardMatch("plan*.dxf", "plan_1-3.DXF"));
    EXPECT_TRUE(wildcardMatch("JOB*.OPT", "JOB[MAT=PB].opt"));
    EXPECT_FALSE(wildcardMatch("plan*.dxf", "plan.dxf.bak"));
    EXPECT_TRUE(wildcardMatch("a?c", "abc"));
}

TEST(FileOperations, AtomicWriteReplacesWholeFiles) {
    TempFolder dir;
    writeFileAtomic(dir / "f.tlf", "first");
    writeFileAtomic(dir / "f.tlf", "second");
    EXPECT_EQ(dir.read("f.tlf"), "second");
    // No temporary file is left behind.
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
    EXPECT_EQ(files, 1);
    EXPECT_THROW(writeFileAtomic(dir / "missing" / "f.tlf", "x"), FileError);
}

TEST(FileOperations, NamesListsAndDates) {
    EXPECT_EQ(fileNameOfPath("C:\\jobs\\kitchen.opt"), "kitchen.opt");
    EXPECT_EQ(fileNameOfPath("/home/u/jobs/kitchen.opt"), "kitchen.opt");
    EXPECT_EQ(fileNameOfPath("kitchen.opt"), "kitchen.opt");
    TempFolder dir;
    dir.write("products.lst", "\"CHAIR\"\r\n\"TABLE\"\r\n");
    EXPECT_EQ(loadList(dir / "products.lst"), (std::vector<std::string>{"CHAIR", "TABLE"}));
    EXPECT_TRUE(loadList(dir / "none.lst").empty());
    EXPECT_TRUE(std::regex_match(dateText(), std::regex(R"(\d\d-\d\d-\d\d\d\d)")));
    EXPECT_EQ(toUpper("Side 1a"), "SIDE 1A");
    EXPECT_EQ(trimBlanks("  a b \t"), "a b");
}

TEST(Workspace, ResolvesNamesWithoutRegardToLetterCase) {
    TempFolder dir;
    Workspace ws(dir.path());
    EXPECT_EQ(ws.file("LBl.def"), dir / "LBl.def");
    dir.write("lbl.def", "x");
    EXPECT_EQ(ws.file("LBl.def"), dir / "lbl.def");
    dir.write("MLM.dat", "y");
    EXPECT_EQ(ws.file("mlm.dat"), dir / "MLM.dat");
}

TEST(Csv, ReadsWhatSpreadsheetsWrite) {
    using Rows = std::vector<std::vector<std::string>>;
    EXPECT_EQ(parseCsv("a,b\r\n1,2\r\n"), (Rows{{"a", "b"}, {"1", "2"}}));
    EXPECT_EQ(parseCsv("\xEF\xBB\xBFLENGTH\n720\n\n"), (Rows{{"LENGTH"}, {"720"}}));
    EXPECT_EQ(parseCsv("\"x, y\",\"say \"\"hi\"\"\"\n"), (Rows{{"x, y", "say \"hi\""}}));
    EXPECT_EQ(parseCsv("\"two\nlines\",z"), (Rows{{"two\nlines", "z"}}));
    EXPECT_EQ(parseCsv("a,,\n"), (Rows{{"a", "", ""}}));
    EXPECT_TRUE(parseCsv("").empty());
    // An unclosed quote runs to the end without harm.
    EXPECT_EQ(parseCsv("\"open,x\n"), (Rows{{"open,x\n"}}));
    EXPECT_EQ(csvLine({"a", "b,c", "d\"e", ""}), "a,\"b,c\",\"d\"\"e\",\r\n");
    EXPECT_EQ(parseCsv(csvLine({"a", "b,c", " pad"})), (Rows{{"a", "b,c", " pad"}}));
}

TEST(PrintText, PlacesFieldsAtColumns) {
    PrintText p;
    p.put("Length").at(10, "Width").at(19, "QtyUsed").endLine();
    EXPECT_EQ(p.str(), "Length   Width    QtyUsed\r\n");
    PrintText q;
    // An empty field still pads; a text reaching the column continues on the next line.
    q.put("ab").at(5, "").endLine();
    q.put("123456789").at(5, "X").endLine();
    q.put("1234").at(5, "Y").endLine();
    EXPECT_EQ(q.str(), "ab  \r\n123456789\r\n    X\r\n1234Y\r\n");
    EXPECT_EQ(q.position(), q.str().size());
    PrintText r;
    r.line("one").line();
    EXPECT_EQ(r.str(), "one\r\n\r\n");
}

TEST(Random, SequenceDependsOnlyOnTheSeed) {
    Random a, b;
    a.seed(7);
    b.seed(7);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(a.draw(1, 8), b.draw(1, 8));
    // The first output of the standard Mersenne Twister seeded with 5489 is 3499211612.
    Random c;
    c.seed(5489);
    EXPECT_DOUBLE_EQ(c.uniform(), 3499211612.0 / 4294967296.0);
    Random d;
    d.seed(1);
    for (int i = 0; i < 1000; ++i) {
        const long long v = d.draw(3, 5);
        EXPECT_GE(v, 3);
        EXPECT_LE(v, 5);
    }
}

}  // namespace
}  // namespace veltrix
