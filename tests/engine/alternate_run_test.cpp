#include "engine/alternate_run.h"

#include <gtest/gtest.h>

#include "engine/result_files.h"
#include "job/project_file.h"
#include "job_builder.h"
#include "plan_checker.h"
#include "support/temp_folder.h"
#include "table/workspace.h"

namespace veltrix::engine {
namespace {

BasicDetails basic(float kerf = 4, float blade = 3100) {
    BasicDetails b;
    b.blade = blade;
    b.kerf = kerf;
    return b;
}

std::vector<SheetVariety> oneSheet(float length = 2440, float width = 1220) {
    return {SheetVariety{length, width, 1, 0, 10, 10, 10, 10, "RACK A"}};
}

std::vector<CutVariety> pieces(std::initializer_list<std::array<float, 3>> list) {
    std::vector<CutVariety> cuts;
    for (const auto& p : list) {
        CutVariety c;
        c.length = p[0];
        c.width = p[1];
        c.quantity = p[2];
        cuts.push_back(c);
    }
    return cuts;
}

std::string sheetRows(const std::vector<SheetVariety>& sheets) {
    std::string text;
    for (const auto& s : sheets)
        text += "\"" + std::to_string(s.length) + "\",\"" + std::to_string(s.width) + "\",\"1\",\"10\",\"10\",\"10\",\"10\",\"\"\r\n";
    return text;
}

TEST(AlternateRun, NestsThePiecesOfOneLayoutOnOneSheet) {
    const auto cuts = pieces({{700, 350, 2}, {900, 200, 1}, {500, 300, 4}});
    for (int strategy = 1; strategy <= 8; ++strategy) {
        const auto plan = alternateArrangement(basic(), 1, StockMode::Sheet, oneSheet(), cuts, strategy, 10);
        ASSERT_TRUE(plan.has_value());
        ASSERT_FALSE(plan->empty()) << strategy;
        EXPECT_EQ(plan->back().layout, 1);
        for (const auto& item : *plan) EXPECT_EQ(item.quantity, 1.0f);
        // The lists are not sorted: cut-piece numbers are the positions in c.tlf. The rows are given
        // in decreasing area (with the kerf: 704 x 354, 904 x 204, 504 x 304), so the checker's own
        // numbering of the same rows is the same.
        const std::string cutsText =
            "\"700\",\"\",\"\",\"\",\"\",\"350\",\"\",\"\",\"\",\"\",\"2\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
            "\"900\",\"\",\"\",\"\",\"\",\"200\",\"\",\"\",\"\",\"\",\"1\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
            "\"500\",\"\",\"\",\"\",\"\",\"300\",\"\",\"\",\"\",\"\",\"4\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
        const auto check = test::checkPlan("\"PB\",\"\",\"18\",\"3100\",\"0\",\"4\",\"0\",\"\"\r\n",
                                           sheetRows(oneSheet()), cutsText, false, layoutItemsText(*plan));
        EXPECT_TRUE(check.ok()) << "strategy " << strategy << "\n" << check.summary();
    }
}

TEST(AlternateRun, SameCallSameResult) {
    const auto cuts = pieces({{600, 400, 3}, {400, 300, 5}});
    const auto a = alternateArrangement(basic(), 1, StockMode::Sheet, oneSheet(), cuts, 6, 10);
    const auto b = alternateArrangement(basic(), 1, StockMode::Sheet, oneSheet(), cuts, 6, 10);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(*a, *b);
}

TEST(AlternateRun, NoArrangementGivesAnEmptyPlan) {
    // The sheet's usable length (2420) exceeds a 2000 blade: strategies 3, 4, 7, 8 do not apply.
    const auto cuts = pieces({{600, 400, 2}});
    const auto notApplicable = alternateArrangement(basic(4, 2000), 1, StockMode::Sheet, oneSheet(), cuts, 3, 10);
    ASSERT_TRUE(notApplicable.has_value());
    EXPECT_TRUE(notApplicable->empty());
    // More than one sheet can hold.
    const auto tooMany =
        alternateArrangement(basic(), 1, StockMode::Sheet, oneSheet(), pieces({{1200, 1200, 3}}), 1, 2);
    ASSERT_TRUE(tooMany.has_value());
    EXPECT_TRUE(tooMany->empty());
}

TEST(AlternateRun, ValidationFailureWritesNothing) {
    EXPECT_FALSE(alternateArrangement(basic(0, 0), 1, StockMode::Sheet, oneSheet(), pieces({{100, 100, 1}}), 1, 10));
    EXPECT_FALSE(alternateArrangement(basic(), 1, StockMode::Sheet, {}, pieces({{100, 100, 1}}), 1, 10));
    EXPECT_FALSE(alternateArrangement(basic(), 1, StockMode::Sheet, oneSheet(), {}, 1, 10));

    test::TempFolder folder;
    folder.write("dia.tlf", "previous");
    folder.write("basic.tlf", "\"PB\",\"\",\"18\",\"3100\",\"0\",\"4\",\"0\",\"\"\r\n");
    folder.write("s.tlf", "");
    folder.write("c.tlf", "100,100,1,0,\"A\",\"\",\"\"\r\n");
    EXPECT_FALSE(runAlternateArrangement(Workspace(folder.path()), StockMode::Sheet, 1));
    EXPECT_EQ(folder.read("dia.tlf"), "previous");
}

TEST(AlternateRun, WorkingFolderFilesInAndDiaTlfOut) {
    test::TempFolder folder;
    const Workspace workspace(folder.path());
    folder.write("basic.tlf", "\"PB\",\"\",\"18\",\"3100\",\"0\",\"4\",\"0\",\"\"\r\n");
    folder.write("options.tlf", "-1,0\r\n");
    // The layout's sheet has quantity 1, the other 0 (it is not used).
    writeSheetVarieties(folder / "s.tlf", {SheetVariety{1830, 1220, 0, 0, 5, 5, 5, 5, ""}, oneSheet()[0]});
    writeCutVarieties(folder / "c.tlf", pieces({{800, 400, 2}, {600, 300, 0}, {300, 200, 3}}));
    ASSERT_TRUE(runAlternateArrangement(workspace, StockMode::Sheet, 2));
    const auto items = readLayoutItems(folder / "dia.tlf");
    ASSERT_FALSE(items.empty());
    int pieces800 = 0, pieces300 = 0;
    for (const auto& item : items) {
        EXPECT_EQ(item.sheet, 2);
        if (item.kind == 1) ++pieces800;
        if (item.kind == 3) ++pieces300;
        EXPECT_NE(item.kind, 2);
    }
    EXPECT_EQ(pieces800, 2);
    EXPECT_EQ(pieces300, 3);
    // Coil mode: the sheet quantities become endless, so the first coil is usable too.
    writeSheetVarieties(folder / "s.tlf", {SheetVariety{6000, 1250, 0, 0, 0, 0, 0, 10, ""}});
    ASSERT_TRUE(runAlternateArrangement(workspace, StockMode::Coil, 1));
    EXPECT_FALSE(readLayoutItems(folder / "dia.tlf").empty());
}

}  // namespace
}  // namespace veltrix::engine
