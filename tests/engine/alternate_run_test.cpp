#include "engine/alternate_run.h"

#include <gtest/gtest.h>

#include "plan_checker.h"

namespace veltrix::engine {
namespace {

BasicDetails basic(float kerf = 4, float blade = 3100) {
    BasicDetails b;
    b.blade = blade;
    b.kerf = kerf;
    return b;
}

constexpr OptimizationMode kYield = OptimizationMode::MaximumYield;

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
        const auto plan = alternateArrangement(basic(), kYield, StockMode::Sheet, oneSheet(), cuts, strategyOfNumber(strategy), 10);
        ASSERT_TRUE(plan.has_value());
        ASSERT_FALSE(plan->empty()) << strategy;
        EXPECT_EQ(plan->layoutCount(), 1);
        for (const auto& item : plan->items) EXPECT_EQ(item.quantity, 1.0f);
        // The lists are not sorted: cut-piece numbers are the positions in c.tlf. The rows are given
        // in decreasing area (with the kerf: 704 x 354, 904 x 204, 504 x 304), so the checker's own
        // numbering of the same rows is the same.
        const std::string cutsText =
            "\"700\",\"\",\"\",\"\",\"\",\"350\",\"\",\"\",\"\",\"\",\"2\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
            "\"900\",\"\",\"\",\"\",\"\",\"200\",\"\",\"\",\"\",\"\",\"1\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
            "\"500\",\"\",\"\",\"\",\"\",\"300\",\"\",\"\",\"\",\"\",\"4\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
        const auto check = test::checkPlan("\"PB\",\"\",\"18\",\"3100\",\"0\",\"4\",\"0\",\"\"\r\n",
                                           sheetRows(oneSheet()), cutsText, false, planText(*plan));
        EXPECT_TRUE(check.ok()) << "strategy " << strategy << "\n" << check.summary();
    }
}

TEST(AlternateRun, SameCallSameResult) {
    const auto cuts = pieces({{600, 400, 3}, {400, 300, 5}});
    const auto a = alternateArrangement(basic(), kYield, StockMode::Sheet, oneSheet(), cuts, FillStrategy::AcrossRowsFirstTurned, 10);
    const auto b = alternateArrangement(basic(), kYield, StockMode::Sheet, oneSheet(), cuts, FillStrategy::AcrossRowsFirstTurned, 10);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(*a, *b);
}

TEST(AlternateRun, NoArrangementGivesAnEmptyPlan) {
    // The sheet's usable length (2420) exceeds a 2000 blade: strategies 3, 4, 7, 8 do not apply.
    const auto cuts = pieces({{600, 400, 2}});
    const auto notApplicable = alternateArrangement(basic(4, 2000), kYield, StockMode::Sheet, oneSheet(), cuts, FillStrategy::AlongFromMargin, 10);
    ASSERT_TRUE(notApplicable.has_value());
    EXPECT_TRUE(notApplicable->empty());
    // More than one sheet can hold.
    const auto tooMany =
        alternateArrangement(basic(), kYield, StockMode::Sheet, oneSheet(), pieces({{1200, 1200, 3}}), FillStrategy::AcrossFromMargin, 2);
    ASSERT_TRUE(tooMany.has_value());
    EXPECT_TRUE(tooMany->empty());
}

TEST(AlternateRun, ValidationFailureWritesNothing) {
    EXPECT_FALSE(alternateArrangement(basic(0, 0), kYield, StockMode::Sheet, oneSheet(), pieces({{100, 100, 1}}), FillStrategy::AcrossFromMargin, 10));
    EXPECT_FALSE(alternateArrangement(basic(), kYield, StockMode::Sheet, {}, pieces({{100, 100, 1}}), FillStrategy::AcrossFromMargin, 10));
    EXPECT_FALSE(alternateArrangement(basic(), kYield, StockMode::Sheet, oneSheet(), {}, FillStrategy::AcrossFromMargin, 10));

}

}  // namespace
}  // namespace veltrix::engine
