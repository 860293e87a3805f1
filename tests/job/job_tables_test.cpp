// The job tables, their typed reading, the objective and the CSV exchange.
#include <gtest/gtest.h>

#include "job/document.h"
#include "job/table_exchange.h"
#include "base/error.h"

namespace veltrix {
namespace {

// (The sheet quantity hidden in coil mode is checked with the documents read in either mode.)
TEST(JobTables, ImportLockAndBandingShownOnlyForAreaWithEdgeBanding) {
    EXPECT_TRUE(basicCellLocked(true, kThick) && !basicCellLocked(true, kNote) && !basicCellLocked(false, kMat));
    GridTable cuts = makeCutGrid();
    for (const bool banding : {false, true}) {
        applyCutVisibility(cuts, banding ? "Area With Edge Banding" : "Area");
        for (int c = 1; c <= 17; ++c)  // EDGE-1 to REM-2 of the length (2-5) and of the width (7-10)
            EXPECT_EQ(cuts.isHidden(c), !banding && ((c >= 2 && c <= 5) || (c >= 7 && c <= 10))) << c;
    }
    // 2 + 3 = 5; "ABC" counts 0; 5 + 0.5 = 5.5 rounds to 6; then 6 + 2.5 = 8.5 rounds to the even 8.
    for (const char* qty : {"2", "3", "ABC", "0.5", "2.5"}) cuts.setCell(cuts.appendRow(), kCutQty, qty);
    EXPECT_EQ(totalQuantity(cuts), 8.0);
}

// Values no run can use are named by table, row and column; the first one found is told.
TEST(JobTables, ImpossibleValuesAreNamedByTableRowAndColumn) {
    const std::string basic = "\"PB\",\"\",\"18\",\"3000\",\"0\",\"KERF\",\"0\",\"1E99 NOTE\"";
    const std::string sheet = "\"2440\",\"1220\",\"SQTY\",\"10\",\"\",\"\",\"\",\"\"\r\n";
    const std::string cut = "\"600\",\"\",\"\",\"BAND\",\"\",\"400\",\"\",\"\",\"\",\"\",\"CQTY\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
    struct Case { const char* kerf; const char* sheetQty; const char* band; const char* cutQty; StockMode mode; const char* message; };
    const std::vector<Case> cases{
        {"4", "5", "1", "2", StockMode::Sheet, ""},
        {"0", "2.5", "0", "7", StockMode::Coil, ""},  // a coil's quantity is never read
        {"-146", "5", "1", "2", StockMode::Sheet, "Basic details: KERF -146 is negative."},
        {"4", "2.5", "1", "2", StockMode::Sheet, "Sheet row 1: QTY 2.5 is not a whole number."},
        {"4", "5", "-1", "2", StockMode::Coil, "Cut-piece row 2: EDGE-2 -1 is negative."},
        {"4", "5", "1", "1.5", StockMode::Sheet, "Cut-piece row 1: QTY 1.5 is not a whole number."},
        {"4", "5", "1", "10000000", StockMode::Sheet, "Cut-piece row 1: QTY 10000000 is larger than 9999999."},
        {"4", "5", "1", "1e39", StockMode::Sheet, "Cut-piece row 1: QTY 1e39 is larger than 9999999."},
        {"4", "1E39", "1", "2", StockMode::Sheet, "Sheet row 1: QTY 1E39 is larger than 9999999."},
        {"4", "5", "1", "600000", StockMode::Sheet,
         "The cut-pieces add up to 1200000 pieces; a job may ask for at most 1000000."}};
    for (const Case& c : cases) {
        JobTables tables;
        auto fill = [](std::string text, const char* key, const char* value) {
            return text.replace(text.find(key), std::string(key).size(), value);
        };
        tables.basic.loadText(fill(basic, "KERF", c.kerf));
        tables.sheets.loadText(fill(sheet, "SQTY", c.sheetQty) + fill(sheet, "SQTY", "1"));
        tables.cuts.loadText(fill(fill(cut, "CQTY", c.cutQty), "BAND", "") + fill(fill(cut, "CQTY", c.cutQty), "BAND", c.band));
        EXPECT_EQ(impossibleValue(tables, c.mode).value_or(""), c.message) << c.kerf << " " << c.sheetQty;
    }
}

TEST(Options, TwoNumbersCheckTheItemsMinimumLayoutsWins) {
    const std::vector<std::pair<const char*, OptimizationMode>> cases{
        {"-1,0\r\n", OptimizationMode::MaximumYield}, {"0,-1", OptimizationMode::MinimumLayouts},
        {"-1,-1", OptimizationMode::MinimumLayouts}, {"", OptimizationMode::FirstComplete},
        {"garbage\x01,\"x\"", OptimizationMode::FirstComplete}, {"2,0", OptimizationMode::MaximumYield}};
    for (const auto& [text, mode] : cases) EXPECT_EQ(parseOptions(text).mode(), mode) << text;
    Objective o = parseOptions("0,-1");
    o.flip();
    EXPECT_EQ(optionsText(o), "-1,0\r\n");
}

TEST(TableExchange, ImportFiltersValuesByTheTypingRulesAndExportReadsBack) {
    GridTable sheets = makeSheetGrid();
    const ImportResult r = importCsv(
        "length,WIDTH,QTY,LOCATION\r\n2440,1220,5,\"RACK, B\"\r\n\r\n 1000.5 ,1220,1234567,rack \"c\"\r\n", sheets);
    EXPECT_EQ(sheets.saveText(), "\"2440\",\"1220\",\"5\",\"\",\"\",\"\",\"\",\"RACK B\"\r\n"
                                 "\"1000.5\",\"1220\",\"1234567\",\"\",\"\",\"\",\"\",\"RACK C\"\r\n");
    EXPECT_EQ(r.notes.size(), 2u);  // the two locations
    EXPECT_EQ(exportCsv(sheets), "LENGTH,WIDTH,QTY,M(L),M(T),M(R),M(B),LOCATION\r\n"
                                 "2440,1220,5,,,,,RACK B\r\n1000.5,1220,1234567,,,,,RACK C\r\n");
    // A number the typing would turn into another is refused, naming its row and column.
    for (const auto& [value, column] : std::vector<std::pair<std::string, std::string>>{
             {"1e39,1220,5", "LENGTH '1e39'"}, {"2440,-1220,5", "WIDTH '-1220'"}, {"2440,1220,12345678", "QTY '12345678'"},
             {"2440,1220,2.5", "QTY '2.5'"}, {"2440,1.2.3,5", "WIDTH '1.2.3'"}}) {
        GridTable refused = makeSheetGrid();
        try {
            importCsv("LENGTH,WIDTH,QTY\r\n2440,1220,1\r\n" + value + "\r\n", refused);
            ADD_FAILURE() << value << " was imported";
        } catch (const InputError& e) {
            EXPECT_NE(std::string(e.what()).find("row 2: the " + column + " is not a number"), std::string::npos) << e.what();
        }
    }
    GridTable back = makeSheetGrid();
    importCsv(exportCsv(sheets), back);
    EXPECT_EQ(back.saveText(), sheets.saveText());
    // A key the table holds twice is matched in order; paths keep their letter case.
    GridTable cuts = makeCutGrid();
    importCsv("LENGTH,EDGE-1,WIDTH,EDGE-1,ALIGN,DXFFILE\n720,0.4,560,2,yes,Outlines/Shelf.dxf\n", cuts);
    EXPECT_EQ(cuts.rowTexts(1), (std::vector<std::string>{"720", "0.4", "", "", "", "560", "2", "", "", "", "", "YES",
                                                          "", "", "", "", "Outlines/Shelf.dxf"}));
    for (const char* bad : {"", "LENGTH,COLOUR\n1,2\n", "QTY,QTY\n1,2\n", "ALIGN\nMAYBE\n"})
        EXPECT_THROW(importCsv(bad, cuts), InputError) << bad;
}

}  // namespace
}  // namespace veltrix
