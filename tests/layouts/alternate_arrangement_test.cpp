// Alternate arrangement: the one-sheet problem of a layout, the strategies tried in turn, the
// layout replaced in place, and the original kept and restored; arranged plans pass the
// independent plan checker.

#include "layouts/alternate_arrangement.h"

#include <gtest/gtest.h>

#include "../engine/plan_checker.h"
#include "engine/result_files.h"
#include "job/job_file.h"
#include "reports/report_pass.h"
#include "support/temp_folder.h"
#include "table/error.h"
#include "table/file_ops.h"
#include "table/workspace.h"

namespace veltrix::layouts {
namespace {

using engine::LayoutItem;

// A hand-made plan: layout 1 a hob panel (variety 1, 720 x 560) and a shelf (variety 2,
// 600 x 400), layout 2 two shelves; sheets 1200 x 1000 with 10 margins, kerf 4, blade 3000.
const std::filesystem::path kProject = test::dataFile("layouts/two-layouts.opt");

engine::LoadedResult loaded() { return reports::loadJobResult(readJobFile(kProject)); }

int countKind(const std::vector<LayoutItem>& items, int layout, int kind) {
    int n = 0;
    for (const LayoutItem& it : items)
        if (it.layout == layout && it.kind == kind) ++n;
    return n;
}

test::PlanCheck check(const std::vector<LayoutItem>& items) {
    return test::checkProjectPlan(test::readFile(kProject), false, engine::layoutItemsText(items));
}

TEST(AlternateArrangement, TheOneSheetProblemHoldsTheLayoutsSheetAndPieces) {
    const engine::LoadedResult result = loaded();
    const OneSheetProblem two = oneSheetProblem(result, 2);
    ASSERT_EQ(two.sheets.size(), 1u);
    EXPECT_EQ(two.sheets[0].quantity, 1);
    EXPECT_EQ(two.sheets[0].length, 1200);
    ASSERT_EQ(two.cuts.size(), 2u);
    EXPECT_EQ(two.cuts[0].quantity, 0);
    EXPECT_EQ(two.cuts[1].quantity, 2);
    EXPECT_EQ(two.cuts[1].description, "SHELF <B>");
    const OneSheetProblem one = oneSheetProblem(result, 1);
    EXPECT_EQ(one.cuts[0].quantity, 1);
    EXPECT_EQ(one.cuts[1].quantity, 1);
    EXPECT_THROW(oneSheetProblem(result, 3), InputError);
}

TEST(AlternateArrangement, TheArrangedLayoutReplacesTheOldOneInPlace) {
    const engine::LoadedResult result = loaded();
    ASSERT_TRUE(check(result.items).ok()) << check(result.items).summary();
    for (int layout : {1, 2}) {
        StrategyCycle strategies;
        const ArrangeTry t = tryArrangement(result, layout, strategies, 10);
        ASSERT_TRUE(t.found) << layout;
        EXPECT_EQ(t.strategy, 1);
        EXPECT_EQ(t.attempts, 1);
        // The other layout unchanged and in its place.
        const std::size_t begin = result.layoutBegin(layout);
        const std::size_t end = result.layoutEnd(layout);
        const std::size_t added = t.items.size() - (result.items.size() - (end - begin));
        for (std::size_t i = 0; i < begin; ++i) EXPECT_EQ(t.items[i], result.items[i]);
        for (std::size_t i = end; i < result.items.size(); ++i) EXPECT_EQ(t.items[begin + added + i - end], result.items[i]);
        // Every new item carries the layout's number, quantity and sheet; the same pieces.
        for (std::size_t i = begin; i < begin + added; ++i) {
            EXPECT_EQ(t.items[i].layout, layout);
            EXPECT_EQ(t.items[i].quantity, 1);
            EXPECT_EQ(t.items[i].sheet, 1);
        }
        EXPECT_EQ(t.items[begin].kind, engine::kSheetItem);
        for (int kind : {1, 2}) EXPECT_EQ(countKind(t.items, layout, kind), countKind(result.items, layout, kind));
        const test::PlanCheck plan = check(t.items);
        EXPECT_TRUE(plan.ok()) << plan.summary();
        EXPECT_EQ(plan.layouts, 2);
    }
}

TEST(AlternateArrangement, TriesGoThroughTheEightStrategiesAndStartAgain) {
    const engine::LoadedResult result = loaded();
    StrategyCycle strategies;
    EXPECT_EQ(strategies.current(), 0);
    std::vector<int> used;
    for (int press = 0; press < 9; ++press) {
        const ArrangeTry t = tryArrangement(result, 2, strategies, 10);
        ASSERT_TRUE(t.found);
        used.push_back(t.strategy);
    }
    EXPECT_EQ(used, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 1}));
}

// Layout 2 made to hold five shelves, which no strategy puts on one sheet (5 x 604 x 404 is more
// than the 1180 x 980 usable).
engine::LoadedResult crowded() {
    engine::LoadedResult result = loaded();
    const LayoutItem shelf = result.items[result.layoutBegin(2) + 5];
    for (int i = 0; i < 3; ++i) result.items.push_back(shelf);
    return result;
}

TEST(AlternateArrangement, WhenNoStrategyPlacesThePiecesTheResultStaysAsItWas) {
    test::TempFolder dir;
    const Workspace ws(dir.path());
    const engine::LoadedResult result = crowded();
    const std::string before = engine::layoutItemsText(result.items);
    dir.write("dia.tlf", before);
    StrategyCycle strategies;
    strategies.next();
    strategies.next();  // the cycle stands at 2
    const ArrangeTry t = arrangeLayout(ws, result, 2, strategies);
    EXPECT_FALSE(t.found);
    EXPECT_EQ(t.attempts, 8);
    EXPECT_EQ(strategies.current(), 2);  // eight attempts: 3 .. 8, 1, 2
    EXPECT_EQ(dir.read("dia.tlf"), before);
    // The sub-problem went to s.tlf and c.tlf.
    const auto sheets = engine::readSheetVarieties(dir / "s.tlf");
    const auto cuts = engine::readCutVarieties(dir / "c.tlf");
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].quantity, 1);
    ASSERT_EQ(cuts.size(), 2u);
    EXPECT_EQ(cuts[0].quantity, 0);
    EXPECT_EQ(cuts[1].quantity, 5);
}

TEST(AlternateArrangement, TheOriginalComesBackAfterSeveralTries) {
    test::TempFolder dir;
    const Workspace ws(dir.path());
    engine::LoadedResult result = loaded();
    const std::string original = engine::layoutItemsText(result.items);
    dir.write("dia.tlf", original);
    keepOriginal(ws, result);
    EXPECT_EQ(dir.read("diaalt.tlf"), original);

    StrategyCycle strategies;
    for (int press = 0; press < 3; ++press) {
        const ArrangeTry t = arrangeLayout(ws, result, 2, strategies);
        ASSERT_TRUE(t.found);
        EXPECT_EQ(dir.read("dia.tlf"), engine::layoutItemsText(t.items));
        result.items = t.items;  // the layout now shown is the next one tried
        result.layoutStart = {0, result.layoutBegin(2)};
    }
    EXPECT_TRUE(restoreOriginal(ws));
    EXPECT_EQ(dir.read("dia.tlf"), original);

    // Without a kept arrangement nothing replaces the result.
    dir.write("diaalt.tlf", "");
    dir.write("dia.tlf", "kept");
    EXPECT_FALSE(restoreOriginal(ws));
    EXPECT_EQ(dir.read("dia.tlf"), "kept");
    std::filesystem::remove(dir / "diaalt.tlf");
    EXPECT_FALSE(restoreOriginal(ws));
    EXPECT_EQ(dir.read("dia.tlf"), "kept");
}

TEST(AlternateArrangement, CoilLayoutsAreNotArranged) {
    engine::LoadedResult result = loaded();
    result.job.stock = StockMode::Coil;
    StrategyCycle strategies;
    EXPECT_THROW(tryArrangement(result, 1, strategies, 10), InputError);
    EXPECT_EQ(strategies.current(), 0);
}

}  // namespace
}  // namespace veltrix::layouts
