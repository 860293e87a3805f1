// Grid tables: loading, saving, sorting, the clipboard and printing.
#include "table/grid_table.h"

#include <gtest/gtest.h>

#include "support/fakes.h"
#include "support/temp_folder.h"
#include "table/grid_clipboard.h"
#include "table/grid_print.h"

namespace veltrix {
namespace {

using test::TempFolder;

// The cells of column c, rows 1 to the last.
std::vector<std::string> column(const GridTable& g, int c) {
    std::vector<std::string> cells;
    for (int r = 1; r < g.rowCount(); ++r) cells.push_back(g.cell(r, c));
    return cells;
}

TEST(GridTable, LoadNumbersRowsAndSaveKeepsNonEmptyRowsTrimmed) {
    GridTable g({"DESCRIPTION", "QTY", "EDGE-1", "EDGE-1"});
    EXPECT_EQ(g.rowTexts(0), (std::vector<std::string>{"DESCRIPTION ", "QTY    ", "EDGE-1", "EDGE-1"}));
    EXPECT_EQ(g.columnOf("EDGE-1"), 3);
    // The first record is two fields short: records take their fields in sequence.
    g.loadText("\"A\",\"1\"\r\n\"B\",\"2\",\"\",\"3\"\r\n\" C \",\"  \"\r\n");
    ASSERT_EQ(g.rowCount(), 5);
    EXPECT_EQ(column(g, 3), (std::vector<std::string>{"B", " C ", "", ""}));
    EXPECT_EQ(column(g, 0), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(g.saveText(), "\"A\",\"1\",\"B\",\"2\"\r\n\"\",\"3\",\"C\",\"\"\r\n");  // row 3 is blank
    g.setCell(9, 9, "x");  // out of range: ignored
    g.setCell(4, 2, "X");
    g.keepBlankRow();
    EXPECT_EQ(g.cell(5, 0), "5");
    EXPECT_EQ(g.cell(9, 9), "");
    g.clear();
    EXPECT_EQ(g.saveText(), "");
    EXPECT_EQ(g.rowCount(), 6);
}

TEST(GridTable, BlankLinesAndMixedLineEndsShiftNoField) {
    GridTable g({"LENGTH", "WIDTH", "QTY"});
    g.loadText("\"720\",\"560\",\"2\"\r\n\r\n  \r\n\"300\",\"200\",\"4\"\n\r\"100\",\"50\",\"6\"\r\n\r\n");
    ASSERT_EQ(g.rowCount(), 5);  // three records and the blank row
    EXPECT_EQ(column(g, 1), (std::vector<std::string>{"720", "300", "100", ""}));
    EXPECT_EQ(column(g, 3), (std::vector<std::string>{"2", "4", "6", ""}));
}

// A save that fails half-way is checked on the project file: both write through the same file writer.
TEST(GridTable, BoundFileSaveAndLoad) {
    TempFolder dir;
    GridTable g({"DESCRIPTION", "QTY"});
    g.setBoundFile(dir / "t.tlf");
    g.setCell(1, 1, "SHELF");
    g.save();
    EXPECT_EQ(dir.read("t.tlf"), "\"SHELF\",\"\"\r\n");
    g.setCell(1, 1, "CHANGED");
    g.load();
    EXPECT_EQ(g.cell(1, 1), "SHELF");
    g.setBoundFile(dir / "missing.tlf");
    g.load();  // a missing file is one blank row
    EXPECT_EQ(g.rowCount(), 2);
    EXPECT_TRUE(g.rowEmpty(1));
}

TEST(GridTable, SortsNumbersByValueTextIgnoringCaseAndRewritesTheBoundFile) {
    TempFolder dir;
    GridTable g({"LENGTH", "DESCRIPTION"});
    g.setBoundFile(dir / "s.tlf");
    g.loadText("\"800\",\"A\"\r\n\"\",\"\"\r\n\"1200\",\"B\"\r\n\"95.5\",\"C\"\r\n");
    g.sort(1, SortDirection::Descending);
    EXPECT_EQ(column(g, 1), (std::vector<std::string>{"1200", "800", "95.5", ""}));  // empty rows gone
    EXPECT_EQ(dir.read("s.tlf"), "\"1200\",\"B\"\r\n\"800\",\"A\"\r\n\"95.5\",\"C\"\r\n");
    g.sort(1, SortDirection::Ascending);
    EXPECT_EQ(g.cell(1, 1), "95.5");
    // Text ignores case; the columns to the right break ties.
    GridTable t({"QTY", "DESCRIPTION", "CLIENT"});
    t.loadText("\"\",\"shelf\",\"B\"\r\n\"\",\"DOOR\",\"Z\"\r\n\"\",\"Shelf\",\"A\"\r\n");
    t.sort(2, SortDirection::Ascending);
    EXPECT_EQ(column(t, 3), (std::vector<std::string>{"Z", "A", "B", ""}));
    EXPECT_EQ(t.cell(2, 2), "Shelf");
    EXPECT_EQ(t.cell(4, 0), "4");
}

GridTable sheetGrid() {
    GridTable g({"LENGTH", "WIDTH", "QTY", "M(L)", "M(T)", "M(R)", "M(B)", "LOCATION"});
    g.loadText("\"2440\",\"1220\",\"5\",\"10\",\"\",\"\",\"\",\"A\"\r\n\"2800\",\"2070\",\"2\",\"\",\"\",\"\",\"\",\"B\"\r\n");
    return g;
}

TEST(GridClipboard, CopiesAndPastesVisibleCells) {
    GridTable g = sheetGrid();
    EXPECT_EQ(copySelection(g, {1, 1, 2, 3}), "2440\t1220\t5\r\n2800\t2070\t2\r\n");
    EXPECT_EQ(copySelection(g, {2, 2, 1, 3}), "");  // ends above the current cell
    g.setHidden(2, true);
    EXPECT_EQ(copySelection(g, {1, 1, 2, 3}), "2440\t5\r\n2800\t2\r\n");
    // Pasting skips the hidden column and drops what a table file cannot hold.
    pasteText(g, 1, 1, "9\t8\t7\r\n\r\nRACK \"1\", LEFT\x01");
    EXPECT_EQ(g.rowTexts(1), (std::vector<std::string>{"9", "1220", "8", "7", "", "", "", "A"}));
    EXPECT_EQ(g.cell(3, 1), "RACK 1 LEFT");  // into the blank row 3
    // Lines beyond the blank row append numbered rows; a trailing line end adds at most one.
    GridTable h = sheetGrid();
    pasteText(h, 3, 1, "1\t2\r\n3\t4\r\n");
    ASSERT_EQ(h.rowCount(), 6);
    EXPECT_EQ(h.cell(4, 2), "4");
    EXPECT_EQ(h.cell(5, 0), "5");
    EXPECT_TRUE(h.rowEmpty(5));
}

TEST(GridPrint, ColumnsAtKeyWidthsEmptyRowsSkippedExtraColumnRightOfTheLast) {
    GridTable g = sheetGrid();
    // LENGTH at 1; each next column after the previous key's width (7, 7, 7, 6) and two blanks.
    EXPECT_EQ(printPositions(g), (std::vector<int>{0, 1, 10, 19, 28, 36, 44, 52, 60}));
    g.setHidden(3, true);
    EXPECT_EQ(printPositions(g)[3], 0);
    EXPECT_EQ(printPositions(g)[4], 19);  // a hidden column takes no room

    GridTable q({"LENGTH", "QTY"});
    q.loadText("\"1\",\"1\"\r\n\"\",\"\"\r\n\"3\",\"3\"\r\n\"4\",\"4\"\r\n");
    GridPrintRequest request;
    request.caption = "Sheet Specifications";
    request.projectPath = "C:\\jobs\\kitchen.opt";
    request.date = "06-12-2026";
    request.firstRow = 4;  // rows in either order
    request.extraHeading = "AREA";
    request.extraText = [](int row) { return std::to_string(row * 10); };
    GridPrintout out = formatGridPrintout(q, request);
    // QTY stands at 10, so the extra column at 24.
    const std::string gap(11, ' ');
    EXPECT_EQ(out.header, "\r\nFile: kitchen.opt\r\nDate: 06-12-2026\r\n\r\nSheet Specifications\r\n\r\nLENGTH   QTY" + gap + "AREA\r\n");
    EXPECT_EQ(out.body, "1        1  " + gap + "10\r\n3        3  " + gap + "30\r\n4        4  " + gap + "40\r\n");
    // The report grid prints every row, empty ones too, and no headings.
    GridTable report({"REPORT"});
    report.loadText("\"Total Layouts=3\"\r\n\"\"\r\n\"x\"\r\n");
    request = GridPrintRequest();
    request.caption = "Report";
    request.lastRow = 3;
    request.reportGrid = true;
    out = formatGridPrintout(report, request);
    EXPECT_EQ(out.header, "\r\nDate: \r\n\r\nReport\r\n\r\n");
    EXPECT_EQ(out.body, "Total Layouts=3\r\n\r\nx\r\n");
}

TEST(GridPrint, EveryPageRepeatsTheBoldHeader) {
    // 1000 units high, 4% margins, lines of 12 x 11 / 10 = 13.2 units at 11 points: body lines from
    // 40 + 3 x 13.2 = 79.6 while y + 13.2 <= 960, so 66 a page; 150 lines take three pages.
    RecordingSurface surface(800, 1000, 6, 12);
    std::string body;
    for (int i = 0; i < 150; ++i) body += "line " + std::to_string(i) + "\r\n";
    printPages(surface, "H1\r\nH2\r\n", body);
    EXPECT_EQ(surface.all<RecordingSurface::NewPage>().size(), 2u);
    int headers = 0;
    for (const auto& t : surface.all<RecordingSurface::Text>()) {
        if (t.text == "H1") ++headers;
        EXPECT_EQ(t.font.bold, t.text[0] == 'H');
        if (t.text == "line 66") {
            EXPECT_NEAR(t.y, 79.6, 1e-9);  // the first line of page 2
        }
    }
    EXPECT_EQ(headers, 3);
    EXPECT_EQ(surface.all<RecordingSurface::Text>().back().font.name, "Courier New");
}

}  // namespace
}  // namespace veltrix
