#include "libraries/offcut_export.h"

#include <gtest/gtest.h>

#include "job/job_tables.h"
#include "platform/prompt.h"
#include "support/temp_folder.h"
#include "table/grid_table.h"
#include "table/workspace.h"

namespace veltrix {
namespace {

using test::TempFolder;

GridTable offcutTable(std::string_view text) {
    GridTable grid(offcutKeys());
    grid.loadText(text);
    return grid;
}

GridTable basicRow() {
    GridTable basic = makeBasicGrid();
    basic.setCell(1, kMat, "PB");
    basic.setCell(1, kThick, "18");
    return basic;
}

TEST(OffcutExport, OnlyAfterAnImportAndNeverInCoilMode) {
    EXPECT_TRUE(exportAllowed(true, StockMode::Sheet));
    EXPECT_FALSE(exportAllowed(false, StockMode::Sheet));
    EXPECT_FALSE(exportAllowed(true, StockMode::Coil));
}

TEST(OffcutExport, RecordsOfOffcutsThenNegativeConsumption) {
    const GridTable offcuts = offcutTable("1,602.5,300,2,\"\"\r\n3,80,250,1,\"SCRAP\"\r\n");
    const auto records = exportRecords("PB", "", "18", offcuts, "\"2440\",\"1220\",\"3\",\"RACK A\"\r\n");
    ASSERT_EQ(records.size(), 3u);  // the grid's blank row is no off-cut
    EXPECT_EQ(records[0], (StockRecord{"PB", "", "18", "602.5", "300", "2", ""}));
    EXPECT_EQ(records[1], (StockRecord{"PB", "", "18", "80", "250", "1", "SCRAP"}));
    EXPECT_EQ(records[2], (StockRecord{"PB", "", "18", "2440", "1220", "-3", "RACK A"}));
}

TEST(OffcutExport, ExportThenMergeGivesTheStockLeft) {
    TempFolder work;
    const Workspace ws(work.path());
    work.write("mlm.dat",
               "\"PB\",\"\",\"18\",\"2440\",\"1220\",\"5\",\"RACK A\"\r\n"
               "\"PB\",\"\",\"18\",\"602.5\",\"300\",\"1\",\"\"\r\n"
               "\"PB\",\"\",\"18\",\"1830\",\"1220\",\"1\",\"RACK B\"\r\n");
    work.write("sheets.Adj", "\"2440\",\"1220\",\"3\",\"RACK A\"\r\n\"1830\",\"1220\",\"1\",\"RACK B\"\r\n");
    const GridTable offcuts = offcutTable("1,602.5,300,2,\"\"\r\n2,500,90,1,\"SCRAP\"\r\n");
    ScriptedPrompt prompt({Answer::Yes});
    EXPECT_EQ(exportToMaterialLibrary(ws, basicRow(), offcuts, prompt), ExportOutcome::Exported);
    // 5 - 3 sheets left in RACK A; RACK B used up (empty QTY); the kept off-cut 1 + 2; scrap kept
    // apart by its location. Sorted on MAT and the columns after it, as text.
    EXPECT_EQ(work.read("mlm.dat"),
              "\"PB\",\"\",\"18\",\"1830\",\"1220\",\"\",\"RACK B\"\r\n"
              "\"PB\",\"\",\"18\",\"2440\",\"1220\",\"2\",\"RACK A\"\r\n"
              "\"PB\",\"\",\"18\",\"500\",\"90\",\"1\",\"SCRAP\"\r\n"
              "\"PB\",\"\",\"18\",\"602.5\",\"300\",\"3\",\"\"\r\n");
    ASSERT_EQ(prompt.messages.size(), 2u);
    EXPECT_EQ(prompt.messages[0].text, "Update Material Library?");
    EXPECT_EQ(prompt.messages[1].text, "Material Library Updated!");
    EXPECT_EQ(prompt.messages[1].icon, Icon::Information);
}

TEST(OffcutExport, NoLeavesTheLibraryUntouched) {
    TempFolder work;
    const Workspace ws(work.path());
    const std::string library = "\"PB\",\"\",\"18\",\"2440\",\"1220\",\"5\",\"RACK A\"\r\n";
    work.write("mlm.dat", library);
    work.write("sheets.Adj", "\"2440\",\"1220\",\"3\",\"RACK A\"\r\n");
    ScriptedPrompt prompt({Answer::No});
    EXPECT_EQ(exportToMaterialLibrary(ws, basicRow(), offcutTable(""), prompt), ExportOutcome::Cancelled);
    EXPECT_EQ(work.read("mlm.dat"), library);
    EXPECT_EQ(prompt.messages.size(), 1u);
}

}  // namespace
}  // namespace veltrix
