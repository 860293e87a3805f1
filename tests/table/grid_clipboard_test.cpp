// Copy, paste and printing of grids.
#include <gtest/gtest.h>

#include "platform/prompt.h"
#include "platform/surface.h"
#include "table/grid_clipboard.h"
#include "table/grid_print.h"
#include "table/grid_table.h"

namespace veltrix {
namespace {

GridTable sheetGrid() {
    GridTable g({"LENGTH", "WIDTH", "QTY", "M(L)", "M(T)", "M(R)", "M(B)", "LOCATION"});
    g.loadText(
        "\"2440\",\"1220\",\"5\",\"10\",\"\",\"\",\"\",\"A\"\r\n"
        "\"2800\",\"2070\",\"2\",\"\",\"\",\"\",\"\",\"B\"\r\n"
        "\"3050\",\"1300\",\"1\",\"\",\"\",\"\",\"\",\"C\"\r\n");
    return g;
}

TEST(GridClipboard, CopiesTheVisibleCellsOfTheSelection) {
    GridTable g = sheetGrid();
    EXPECT_EQ(copySelection(g, {1, 1, 2, 3}), "2440\t1220\t5\r\n2800\t2070\t2\r\n");
    g.setHidden(2, true);
    EXPECT_EQ(copySelection(g, {1, 1, 2, 3}), "2440\t5\r\n2800\t2\r\n");
    // A selection ending above or left of the current cell is empty.
    EXPECT_EQ(copySelection(g, {2, 2, 1, 3}), "");
    EXPECT_EQ(copySelection(g, {1, 3, 1, 1}), "\r\n");
}

TEST(GridClipboard, PasteAddsRowsAndSkipsHiddenColumns) {
    GridTable g = sheetGrid();  // rows 1-3 and the blank row 4
    pasteText(g, 4, 1, "1\t2\r\n3\t4\r\n5\t6");
    ASSERT_EQ(g.rowCount(), 7);
    EXPECT_EQ(g.cell(4, 1), "1");
    EXPECT_EQ(g.cell(6, 2), "6");
    EXPECT_EQ(g.cell(6, 0), "6");
    // A trailing line break adds at most one empty row.
    GridTable h = sheetGrid();
    pasteText(h, 4, 1, "7\t8\r\n");
    EXPECT_EQ(h.rowCount(), 6);
    EXPECT_TRUE(h.rowEmpty(5));
    // A hidden column between two visible ones takes nothing.
    GridTable k = sheetGrid();
    k.setHidden(3, true);
    pasteText(k, 1, 2, "9\t8\t7\t6");
    EXPECT_EQ(k.cell(1, 2), "9");
    EXPECT_EQ(k.cell(1, 3), "5");
    EXPECT_EQ(k.cell(1, 4), "8");
    EXPECT_EQ(k.cell(1, 5), "7");
    // What a table file cannot hold is dropped.
    pasteText(k, 1, 8, "RACK \"1\", LEFT\x01");
    EXPECT_EQ(k.cell(1, 8), "RACK 1 LEFT");
}

TEST(GridClipboard, PasteAsksFirst) {
    GridTable g = sheetGrid();
    ScriptedPrompt prompt({Answer::No, Answer::Yes, Answer::Yes});
    EXPECT_EQ(pasteFromClipboard(g, 1, 1, "9", prompt), PasteOutcome::Declined);
    EXPECT_EQ(g.cell(1, 1), "2440");
    EXPECT_EQ(prompt.messages[0].text, "Paste from clipboard ?");
    EXPECT_EQ(pasteFromClipboard(g, 1, 1, "9", prompt, [] { return false; }), PasteOutcome::Declined);
    EXPECT_EQ(g.cell(1, 1), "2440");
    EXPECT_EQ(pasteFromClipboard(g, 1, 1, "9", prompt, [] { return true; }), PasteOutcome::Pasted);
    EXPECT_EQ(g.cell(1, 1), "9");
}

TEST(GridPrint, PositionsFollowTheKeysAndWidthsBeforeEachColumn) {
    GridTable g = sheetGrid();
    const auto p = printPositions(g);
    // LENGTH at 1; WIDTH after LENGTH's 7 + 2; QTY after WIDTH's 7 + 2; M(L) after QTY's 7 + 2;
    // M(T) after M(L)'s 6 + 2.
    EXPECT_EQ(p[1], 1);
    EXPECT_EQ(p[2], 10);
    EXPECT_EQ(p[3], 19);
    EXPECT_EQ(p[4], 28);
    EXPECT_EQ(p[5], 36);
    // A hidden column has no position; the next one still advances by it.
    g.setHidden(3, true);
    const auto q = printPositions(g);
    EXPECT_EQ(q[3], 0);
    EXPECT_EQ(q[4], 19);
}

TEST(GridPrint, HeaderAndBodySkipEmptyRows) {
    GridTable g({"LENGTH", "QTY"});
    g.loadText("\"1\",\"1\"\r\n\"\",\"\"\r\n\"3\",\"3\"\r\n\"4\",\"4\"\r\n\"\",\"\"\r\n\"6\",\"6\"\r\n");
    GridPrintRequest request;
    request.caption = "Sheet Specifications";
    request.projectPath = "/jobs/kitchen.opt";
    request.date = "06-12-2026";
    request.firstRow = 1;
    request.lastRow = g.rowCount() - 1;
    const GridPrintout out = formatGridPrintout(g, request);
    EXPECT_EQ(out.header,
              "\r\nFile: kitchen.opt\r\nDate: 06-12-2026\r\n\r\nSheet Specifications\r\n\r\nLENGTH   QTY\r\n");
    EXPECT_EQ(out.body, "1        1\r\n3        3\r\n4        4\r\n6        6\r\n");
    // A selection in either order; the weight-or-area column 14 places right of the last column.
    request.firstRow = 4;
    request.lastRow = 3;
    request.projectPath.clear();
    request.extraHeading = "AREA";
    request.extraText = [](int row) { return std::to_string(row * 10); };
    const GridPrintout sel = formatGridPrintout(g, request);
    // QTY stands at 10, so the extra column at 24: after "LENGTH   QTY" (12 characters) 11 blanks.
    EXPECT_EQ(sel.header, "\r\nDate: 06-12-2026\r\n\r\nSheet Specifications\r\n\r\nLENGTH   QTY" + std::string(11, ' ') +
                              "AREA\r\n");
    EXPECT_EQ(sel.body, "3        3" + std::string(13, ' ') + "30\r\n4        4" + std::string(13, ' ') + "40\r\n");
}

TEST(GridPrint, ReportGridPrintsEveryRowWithoutColumnHeadings) {
    GridTable g({"REPORT"});
    g.loadText("\"Overall Yield(%)=83.08\"\r\n\"\"\r\n\"Total Layouts=3\"\r\n");
    GridPrintRequest request;
    request.reportGrid = true;
    request.caption = "Report";
    request.date = "01-01-2027";
    request.firstRow = 1;
    request.lastRow = 3;
    const GridPrintout out = formatGridPrintout(g, request);
    EXPECT_EQ(out.header, "\r\nDate: 01-01-2027\r\n\r\nReport\r\n\r\n");
    EXPECT_EQ(out.body, "Overall Yield(%)=83.08\r\n\r\nTotal Layouts=3\r\n");
}

TEST(GridPrint, PagesRepeatTheHeader) {
    // A page of 1000 device units holds 83 lines of 12 units less 4% margins: 76 lines usable.
    RecordingSurface surface(800, 1000, 6, 12);
    std::string body;
    for (int i = 0; i < 150; ++i) body += "line " + std::to_string(i) + "\r\n";
    printPages(surface, "H1\r\nH2\r\n", body);
    const auto texts = surface.all<RecordingSurface::Text>();
    const auto pages = surface.all<RecordingSurface::NewPage>();
    // Each page: 2 header lines, a gap, then body lines while y + 12 <= 960 (y starts at 40 + 36).
    // Body lines per page: (960 - 76) / 12 = 73.67, so 73; 150 lines need 3 pages.
    EXPECT_EQ(pages.size(), 2u);
    int headers = 0;
    for (const auto& t : texts)
        if (t.text == "H1") {
            ++headers;
            EXPECT_TRUE(t.font.bold);
        }
    EXPECT_EQ(headers, 3);
    EXPECT_EQ(texts.back().text, "line 149");
    EXPECT_FALSE(texts.back().font.bold);
    EXPECT_EQ(texts.back().font.name, "Courier New");
}

}  // namespace
}  // namespace veltrix
