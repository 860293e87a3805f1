#include <gtest/gtest.h>

#include "job/job_tables.h"
#include "job/options.h"
#include "job/table_exchange.h"
#include "support/temp_folder.h"
#include "table/error.h"
#include "table/workspace.h"

namespace veltrix {
namespace {

TEST(JobTables, BasicDetailsKeepOnlyTheFirstRecord) {
    test::TempFolder dir;
    dir.write("basic.tlf",
              "\"PB\",\"\",\"18\",\"3100\",\"0\",\"3.2\",\"0\",\"ONE\"\r\n"
              "\"MDF\",\"YES\",\"16\",\"3100\",\"0\",\"3.2\",\"0\",\"TWO\"\r\n");
    JobTables tables;
    tables.bind(Workspace(dir.path()));
    tables.load();
    EXPECT_EQ(tables.basic.rowCount(), 2);
    EXPECT_EQ(tables.basic.cell(1, kMat), "PB");
    EXPECT_EQ(tables.basic.cell(1, kNote), "ONE");
    EXPECT_TRUE(tables.basic.isHidden(0));
    tables.save();
    EXPECT_EQ(dir.read("basic.tlf"), "\"PB\",\"\",\"18\",\"3100\",\"0\",\"3.2\",\"0\",\"ONE\"\r\n");
    // Missing sheet and cut files give empty grids, and saving them writes empty files.
    EXPECT_EQ(tables.sheets.rowCount(), 2);
    EXPECT_EQ(dir.read("sheet.tlf"), "");
}

TEST(JobTables, ColumnsAndVisibility) {
    EXPECT_EQ(basicKeys().size(), 8u);
    EXPECT_EQ(sheetKeys().size(), 8u);
    ASSERT_EQ(cutKeys().size(), 17u);
    EXPECT_EQ(cutKeys()[kWidEdge1 - 1], "EDGE-1");
    EXPECT_EQ(cutKeys()[kCutDxfFile - 1], "DXFFILE");

    GridTable sheets = makeSheetGrid();
    applySheetVisibility(sheets, StockMode::Coil);
    EXPECT_TRUE(sheets.isHidden(kSheetQty));
    applySheetVisibility(sheets, StockMode::Sheet);
    EXPECT_FALSE(sheets.isHidden(kSheetQty));

    GridTable cuts = makeCutGrid();
    applyCutVisibility(cuts, "Area");
    for (int c : {2, 3, 4, 5, 7, 8, 9, 10}) EXPECT_TRUE(cuts.isHidden(c)) << c;
    EXPECT_FALSE(cuts.isHidden(kCutWidth));
    applyCutVisibility(cuts, "Area With Edge Banding");
    for (int c : {2, 3, 4, 5, 7, 8, 9, 10}) EXPECT_FALSE(cuts.isHidden(c)) << c;
}

TEST(JobTables, TotalQuantityRoundsEachPartialSum) {
    GridTable cuts = makeCutGrid();
    cuts.loadText(
        "\"720\",\"\",\"\",\"\",\"\",\"560\",\"\",\"\",\"\",\"\",\"2\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
        "\"720\",\"\",\"\",\"\",\"\",\"560\",\"\",\"\",\"\",\"\",\"3\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
        "\"720\",\"\",\"\",\"\",\"\",\"560\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
    EXPECT_EQ(totalQuantity(cuts), 5.0);
    cuts.setCell(3, kCutQty, "ABC");
    EXPECT_EQ(totalQuantity(cuts), 5.0);
    // Hand-written halves: 5 + 0.5 = 5.5 rounds to 6; then 6 + 2.5 = 8.5 rounds to the even 8.
    cuts.setCell(3, kCutQty, "0.5");
    EXPECT_EQ(totalQuantity(cuts), 6.0);
    const int row = cuts.appendRow();
    cuts.setCell(row, kCutQty, "2.5");
    EXPECT_EQ(totalQuantity(cuts), 8.0);
}

TEST(JobTables, ImportLockFixesMaterialGrainAndThickness) {
    EXPECT_TRUE(basicCellLocked(true, kMat));
    EXPECT_TRUE(basicCellLocked(true, kThick));
    EXPECT_FALSE(basicCellLocked(true, kNote));
    EXPECT_FALSE(basicCellLocked(false, kMat));
}

TEST(Options, ReadWriteAndFlip) {
    Objective o = parseOptions("0,-1\r\n");
    EXPECT_FALSE(o.maximumYield);
    EXPECT_TRUE(o.minimumLayouts);
    EXPECT_EQ(o.mode(), 2);
    o.flip();
    EXPECT_TRUE(o.maximumYield);
    EXPECT_FALSE(o.minimumLayouts);
    EXPECT_EQ(o.mode(), 1);
    EXPECT_EQ(optionsText(o), "-1,0\r\n");
    EXPECT_EQ(parseOptions("").mode(), 0);
    EXPECT_EQ(parseOptions("-1,-1").mode(), 2);
    EXPECT_EQ(parseOptions("garbage\x01,\"x\"").mode(), 0);
}

TEST(TableExchange, ImportFiltersValuesByTheTypingRules) {
    GridTable sheets = makeSheetGrid();
    const ImportResult r = importCsv(
        "length,WIDTH,QTY,LOCATION\r\n2440,1220,5,\"RACK, B\"\r\n\r\n1e3,-1220,12345678,rack \"c\"\r\n", sheets);
    ASSERT_EQ(sheets.rowCount(), 4);
    EXPECT_EQ(sheets.cell(1, kSheetLength), "2440");
    EXPECT_EQ(sheets.cell(1, kSheetLocation), "RACK B");
    EXPECT_EQ(sheets.cell(1, kMarginLeft), "");
    EXPECT_EQ(sheets.cell(2, kSheetLength), "13");
    EXPECT_EQ(sheets.cell(2, kSheetWidth), "1220");
    EXPECT_EQ(sheets.cell(2, kSheetQty), "1234567");
    EXPECT_EQ(sheets.cell(2, kSheetLocation), "RACK C");
    EXPECT_EQ(r.notes.size(), 5u);
    // Nothing that a table file cannot hold reaches it.
    EXPECT_EQ(sheets.saveText().find(",\","), std::string::npos);
}

TEST(TableExchange, RepeatedKeysMatchInOrderAndPathsKeepTheirCase) {
    GridTable cuts = makeCutGrid();
    importCsv("LENGTH,EDGE-1,WIDTH,EDGE-1,ALIGN,DXFFILE\n720,0.4,560,2,yes,Outlines/Shelf.dxf\n", cuts);
    EXPECT_EQ(cuts.cell(1, kLenEdge1), "0.4");
    EXPECT_EQ(cuts.cell(1, kWidEdge1), "2");
    EXPECT_EQ(cuts.cell(1, kCutAlign), "YES");
    EXPECT_EQ(cuts.cell(1, kCutDxfFile), "Outlines/Shelf.dxf");
}

TEST(TableExchange, BadHeadersAndOptionValuesAreRefused) {
    GridTable cuts = makeCutGrid();
    EXPECT_THROW(importCsv("", cuts), InputError);
    EXPECT_THROW(importCsv("LENGTH,COLOUR\n1,2\n", cuts), InputError);
    EXPECT_THROW(importCsv("QTY,QTY\n1,2\n", cuts), InputError);
    EXPECT_THROW(importCsv("ALIGN\nMAYBE\n", cuts), InputError);
}

TEST(TableExchange, ExportWritesAHeaderAndTheRows) {
    GridTable sheets = makeSheetGrid();
    sheets.loadText("\"2440\",\"1220\",\"5\",\"\",\"\",\"\",\"\",\"RACK A\"\r\n");
    EXPECT_EQ(exportCsv(sheets), "LENGTH,WIDTH,QTY,M(L),M(T),M(R),M(B),LOCATION\r\n2440,1220,5,,,,,RACK A\r\n");
    GridTable back = makeSheetGrid();
    importCsv(exportCsv(sheets), back);
    EXPECT_EQ(back.saveText(), sheets.saveText());
}

}  // namespace
}  // namespace veltrix
