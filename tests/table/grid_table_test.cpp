#include "table/grid_table.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "support/temp_folder.h"
#include "table/error.h"

namespace veltrix {
namespace {

using test::TempFolder;

GridTable twoColumns() { return GridTable({"DESCRIPTION", "QTY"}); }

TEST(GridTable, StartsWithAHeaderAndOneBlankNumberedRow) {
    GridTable g({"LENGTH", "QTY"});
    EXPECT_EQ(g.rowCount(), 2);
    EXPECT_EQ(g.columnCount(), 3);
    EXPECT_EQ(g.cell(0, 0), "Sr No");
    EXPECT_EQ(g.cell(0, 1), "LENGTH ");  // padded to the display width 7
    EXPECT_EQ(g.cell(0, 2), "QTY    ");
    EXPECT_EQ(g.cell(1, 0), "1");
    EXPECT_TRUE(g.rowEmpty(1));
    // Out-of-range cells read as empty and ignore writes.
    EXPECT_EQ(g.cell(9, 9), "");
    g.setCell(9, 9, "x");
    EXPECT_EQ(g.rowCount(), 2);
}

TEST(GridTable, SavesOnlyNonEmptyRowsWithTrimmedQuotedCells) {
    GridTable g = twoColumns();
    g.setRowCount(5);
    g.setCell(1, 1, "A");
    g.setCell(1, 2, "1");
    g.setCell(2, 1, "   ");
    g.setCell(3, 1, "B");
    g.setCell(3, 2, "  12  ");
    EXPECT_EQ(g.saveText(), "\"A\",\"1\"\r\n\"B\",\"12\"\r\n");
    GridTable empty = twoColumns();
    EXPECT_EQ(empty.saveText(), "");
}

TEST(GridTable, LoadingGivesOneBlankRowAfterTheRecords) {
    GridTable g = twoColumns();
    g.loadText("\"A\",\"1\"\r\n\"B\",\"2\"\r\n\"C\",\"3\"\r\n");
    ASSERT_EQ(g.rowCount(), 5);
    EXPECT_EQ(g.cell(1, 1), "A");
    EXPECT_EQ(g.cell(3, 2), "3");
    EXPECT_TRUE(g.rowEmpty(4));
    for (int r = 1; r <= 4; ++r) EXPECT_EQ(g.cell(r, 0), std::to_string(r));
}

TEST(GridTable, FieldsRunOnAcrossLinesOfAShortRecord) {
    GridTable g = twoColumns();
    // The first line is one field short: records take their fields in sequence.
    g.loadText("\"A\"\r\n\"B\",\"2\"\r\n");
    ASSERT_EQ(g.rowCount(), 4);
    EXPECT_EQ(g.cell(1, 1), "A");
    EXPECT_EQ(g.cell(1, 2), "B");
    EXPECT_EQ(g.cell(2, 1), "2");
    EXPECT_EQ(g.cell(2, 2), "");
}

TEST(GridTable, MissingFileLoadsAsOneBlankRow) {
    TempFolder dir;
    GridTable g = twoColumns();
    g.setCell(1, 1, "stale");
    g.setBoundFile(dir / "missing.tlf");
    g.load();
    EXPECT_EQ(g.rowCount(), 2);
    EXPECT_TRUE(g.rowEmpty(1));
}

TEST(GridTable, SaveAndLoadThroughTheBoundFile) {
    TempFolder dir;
    GridTable g = twoColumns();
    g.setBoundFile(dir / "t.tlf");
    g.setCell(1, 1, "SHELF");
    g.setCell(1, 2, "4");
    g.save();
    EXPECT_EQ(dir.read("t.tlf"), "\"SHELF\",\"4\"\r\n");
    GridTable h = twoColumns();
    h.setBoundFile(dir / "t.tlf");
    h.load();
    EXPECT_EQ(h.cell(1, 1), "SHELF");
    EXPECT_EQ(h.rowCount(), 3);
}

TEST(GridTable, SaveIntoAnUnwritableFolderThrowsAndKeepsTheOldFile) {
    TempFolder dir;
    dir.write("t.tlf", "\"OLD\",\"1\"\r\n");
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    GridTable g = twoColumns();
    g.setBoundFile(dir / "t.tlf");
    g.setCell(1, 1, "NEW");
    if (::geteuid() != 0) {  // root writes anyway
        EXPECT_THROW(g.save(), FileError);
        EXPECT_EQ(dir.read("t.tlf"), "\"OLD\",\"1\"\r\n");
    }
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    GridTable h = twoColumns();
    h.setBoundFile(dir / "no-such-folder" / "t.tlf");
    EXPECT_THROW(h.save(), FileError);
}

TEST(GridTable, ClearRenumberAndKeepBlankRow) {
    GridTable g = twoColumns();
    g.loadText("\"A\",\"1\"\r\n");
    g.clear();
    EXPECT_EQ(g.rowCount(), 3);
    EXPECT_TRUE(g.rowEmpty(1));
    EXPECT_EQ(g.cell(1, 0), "1");
    g.keepBlankRow();
    EXPECT_EQ(g.rowCount(), 3);  // the last row is blank already
    g.setCell(2, 1, "X");
    g.keepBlankRow();
    EXPECT_EQ(g.rowCount(), 4);
    EXPECT_EQ(g.cell(3, 0), "3");
    g.setCell(1, 0, "99");
    g.renumber();
    EXPECT_EQ(g.cell(1, 0), "1");
}

TEST(GridTable, SortsRealColumnsNumerically) {
    GridTable g({"LENGTH", "DESCRIPTION"});
    g.loadText("\"800\",\"A\"\r\n\"1200\",\"B\"\r\n\"95.5\",\"C\"\r\n");
    g.sort(1, SortDirection::Descending);
    EXPECT_EQ(g.cell(1, 1), "1200");
    EXPECT_EQ(g.cell(2, 1), "800");
    EXPECT_EQ(g.cell(3, 1), "95.5");
    EXPECT_TRUE(g.rowEmpty(4));
    EXPECT_EQ(g.rowCount(), 5);
    g.sort(1, SortDirection::Ascending);
    EXPECT_EQ(g.cell(1, 1), "95.5");
}

TEST(GridTable, SortsTextIgnoringCaseWithLaterColumnsBreakingTies) {
    GridTable g({"QTY", "DESCRIPTION", "CLIENT"});
    g.setRowCount(6);
    g.setCell(1, 2, "shelf");
    g.setCell(1, 3, "B");
    g.setCell(3, 2, "DOOR");
    g.setCell(3, 3, "Z");
    g.setCell(4, 2, "Shelf");
    g.setCell(4, 3, "A");
    g.sort(2, SortDirection::Ascending);
    // The empty rows are gone and one blank row stands at the end.
    ASSERT_EQ(g.rowCount(), 5);
    EXPECT_EQ(g.cell(1, 2), "DOOR");
    EXPECT_EQ(g.cell(2, 3), "A");
    EXPECT_EQ(g.cell(3, 3), "B");
    EXPECT_TRUE(g.rowEmpty(4));
    EXPECT_EQ(g.cell(4, 0), "4");
}

TEST(GridTable, SortRewritesTheBoundFile) {
    TempFolder dir;
    GridTable g({"LENGTH"});
    g.setBoundFile(dir / "s.tlf");
    g.loadText("\"5\"\r\n\"10\"\r\n");
    g.sort(1, SortDirection::Descending);
    EXPECT_EQ(dir.read("s.tlf"), "\"10\"\r\n\"5\"\r\n");
}

TEST(GridTable, HiddenColumnsAndColumnLookup) {
    GridTable g({"LENGTH", "EDGE-1", "WIDTH", "EDGE-1"});
    EXPECT_EQ(g.columnOf("EDGE-1"), 2);
    EXPECT_EQ(g.columnOf("NOPE"), 0);
    g.setHidden(2, true);
    EXPECT_TRUE(g.isHidden(2));
    EXPECT_FALSE(g.isHidden(4));
    EXPECT_EQ(g.rowTexts(1).size(), 4u);
}

}  // namespace
}  // namespace veltrix
