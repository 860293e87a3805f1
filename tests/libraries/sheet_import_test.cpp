#include "libraries/sheet_import.h"

#include <gtest/gtest.h>

#include "job/job_tables.h"
#include "platform/prompt.h"
#include "support/temp_folder.h"
#include "table/editing.h"
#include "table/grid_table.h"
#include "table/workspace.h"

namespace veltrix {
namespace {

using test::TempFolder;

// Library in MAT order except for a second PB block after MDF, which the import must not reach.
constexpr const char* kLibrary =
    "\"MDF\",\"\",\"18\",\"2440\",\"1220\",\"9\",\"R0\"\r\n"
    "\"PB\",\"\",\"18\",\"2440\",\"1220\",\"5\",\"R1\"\r\n"
    "\"PB\",\"\",\"18.0\",\"1830\",\"1220\",\"2\",\"R2\"\r\n"
    "\"PB\",\"\",\"18\",\"600\",\"300\",\"1\",\"SCRAP\"\r\n"
    "\"PB\",\"YES\",\"18\",\"2800\",\"2070\",\"4\",\"R3\"\r\n"
    "\"PB\",\"\",\"16\",\"2800\",\"2070\",\"4\",\"R4\"\r\n"
    "\"MDF\",\"\",\"18\",\"2440\",\"1220\",\"1\",\"R5\"\r\n"
    "\"PB\",\"\",\"18\",\"3050\",\"1830\",\"7\",\"R6\"\r\n";

GridTable basicRow(const std::string& mat, const std::string& grain, const std::string& thick) {
    GridTable basic = makeBasicGrid();
    basic.setCell(1, kMat, mat);
    basic.setCell(1, kGrain, grain);
    basic.setCell(1, kThick, thick);
    return basic;
}

TEST(SheetImport, TakesTheFirstBlockOfTheMaterialWithoutScrap) {
    const auto taken = stockForMaterial(parseStock(kLibrary), "PB", "", 18.0f);
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0][kStockLocation], "R1");
    EXPECT_EQ(taken[1][kStockLocation], "R2");  // THICK 18.0 matches 18
    EXPECT_EQ(importedSheetText(taken),
              "\"2440\",\"1220\",\"5\",\"\",\"\",\"\",\"\",\"R1\"\r\n\"1830\",\"1220\",\"2\",\"\",\"\",\"\",\"\",\"R2\"\r\n");
    EXPECT_EQ(stockForMaterial(parseStock(kLibrary), "PB", "YES", 18.0f).size(), 1u);
    EXPECT_TRUE(stockForMaterial(parseStock(kLibrary), "pb", "", 18.0f).empty());
}

TEST(SheetImport, ImportReplacesTheSheetTableAndTellsTheCount) {
    TempFolder work;
    const Workspace ws(work.path());
    work.write("mlm.dat", kLibrary);
    work.write("sheet.tlf", "\"1\",\"1\",\"1\",\"\",\"\",\"\",\"\",\"OLD\"\r\n");
    GridTable sheets = makeSheetGrid();
    sheets.loadText(work.read("sheet.tlf"));
    ScriptedPrompt prompt;
    const auto result = importSheets(ws, basicRow("PB", "", "18"), sheets, prompt);
    EXPECT_EQ(result.outcome, SheetImportResult::Outcome::Imported);
    EXPECT_EQ(result.count, 2);
    EXPECT_FALSE(result.resultDiscarded);
    ASSERT_EQ(prompt.messages.size(), 1u);  // no result, so no change question
    EXPECT_EQ(prompt.messages[0].text, "2 size(s) imported from MLM");
    EXPECT_EQ(prompt.messages[0].title, "Attention!");
    EXPECT_EQ(prompt.messages[0].icon, Icon::Information);
    EXPECT_EQ(sheets.rowCount(), 4);  // header, two sizes, the blank row
    EXPECT_EQ(sheets.cell(2, kSheetLocation), "R2");
    EXPECT_EQ(work.read("sheet.tlf"), importedSheetText(stockForMaterial(parseStock(kLibrary), "PB", "", 18.0f)));
}

TEST(SheetImport, ExistingResultAsksAndRefusalChangesNothing) {
    TempFolder work;
    const Workspace ws(work.path());
    work.write("mlm.dat", kLibrary);
    const std::string oldSheets = "\"1\",\"1\",\"1\",\"\",\"\",\"\",\"\",\"OLD\"\r\n";
    work.write("sheet.tlf", oldSheets);
    work.write("dia.tlf", "1,-1,1,0,0,10,10,1,0\r\n");
    GridTable sheets = makeSheetGrid();
    sheets.loadText(oldSheets);

    ScriptedPrompt no({Answer::No});
    auto result = importSheets(ws, basicRow("PB", "", "18"), sheets, no);
    EXPECT_EQ(result.outcome, SheetImportResult::Outcome::Refused);
    ASSERT_EQ(no.messages.size(), 1u);
    EXPECT_EQ(no.messages[0].text, kChangeQuestion);
    EXPECT_EQ(work.read("sheet.tlf"), oldSheets);
    EXPECT_EQ(sheets.cell(1, kSheetLocation), "OLD");
    EXPECT_FALSE(work.read("dia.tlf").empty());

    ScriptedPrompt yes({Answer::Yes});
    result = importSheets(ws, basicRow("PB", "", "18"), sheets, yes);
    EXPECT_EQ(result.outcome, SheetImportResult::Outcome::Imported);
    EXPECT_TRUE(result.resultDiscarded);
    EXPECT_TRUE(work.read("dia.tlf").empty());
    EXPECT_EQ(sheets.cell(1, kSheetLocation), "R1");
}

TEST(SheetImport, NothingFoundAsksWhetherToOpenTheLibrary) {
    TempFolder work;
    const Workspace ws(work.path());
    GridTable sheets = makeSheetGrid();
    sheets.setCell(1, kSheetLength, "100");
    for (const bool withLibrary : {false, true}) {
        if (withLibrary) work.write("mlm.dat", kLibrary);
        ScriptedPrompt prompt({Answer::No});
        const auto result = importSheets(ws, basicRow("ASH", "", "18"), sheets, prompt);
        EXPECT_EQ(result.outcome, SheetImportResult::Outcome::NotFound);
        EXPECT_EQ(result.count, 0);
        EXPECT_FALSE(result.openLibrary);
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].text, kNotInLibraryQuestion);
        EXPECT_EQ(prompt.messages[0].buttons, Buttons::YesNo);
        EXPECT_EQ(sheets.cell(1, kSheetLength), "100");
        EXPECT_FALSE(std::filesystem::exists(work / "sheet.tlf"));
    }
    ScriptedPrompt yes({Answer::Yes});
    EXPECT_TRUE(importSheets(ws, basicRow("PB", "", "19"), sheets, yes).openLibrary);
}

}  // namespace
}  // namespace veltrix
