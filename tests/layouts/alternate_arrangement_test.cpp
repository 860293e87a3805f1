// Alternate arrangement: the layout's pieces nested anew on its own sheet (a one-sheet problem
// holding too many or too few pieces would fail the checker's production count), the strategies
// tried in turn and the layout replaced in place; arranged plans pass the independent plan checker.

#include "layouts/alternate_arrangement.h"

#include <gtest/gtest.h>

#include "../engine/plan_checker.h"
#include "layouts/sample_result.h"
#include "base/error.h"

namespace veltrix::layouts {
namespace {

// two-layouts.opt (see sample_result.h): layout 1 a hob panel and a shelf, layout 2 two shelves.
engine::LoadedResult loaded() { return test::loadProject("two-layouts.opt"); }

TEST(AlternateArrangement, TheArrangedLayoutReplacesTheOldOneInPlaceAndPassesTheChecker) {
    const engine::LoadedResult result = loaded();
    const std::string project = test::readFile(test::dataFile("layouts/two-layouts.opt"));
    for (int layout : {1, 2}) {
        SCOPED_TRACE(layout);
        StrategyCycle strategies;
        const ArrangeTry t = tryArrangement(result, layout, strategies, 10);
        ASSERT_TRUE(t.found);
        EXPECT_EQ(t.strategy, 1);
        EXPECT_EQ(t.attempts, 1);
        // The layouts before and after unchanged and in their places; the checker finds the
        // arranged layout whole, numbered as the one it replaced, with the same pieces.
        const auto& items = t.plan.items;
        const auto begin = static_cast<std::ptrdiff_t>(result.layoutBegin(layout));
        const auto after = static_cast<std::ptrdiff_t>(result.items.size() - result.layoutEnd(layout));
        EXPECT_TRUE(std::equal(result.items.begin(), result.items.begin() + begin, items.begin()));
        EXPECT_TRUE(std::equal(result.items.rbegin(), result.items.rbegin() + after, items.rbegin()));
        EXPECT_EQ(items[static_cast<std::size_t>(begin)].kind, ItemKind::Sheet);
        const test::PlanCheck check = test::checkProjectPlan(project, false, planText(t.plan));
        EXPECT_TRUE(check.ok()) << check.summary();
        EXPECT_EQ(check.layouts, 2);
    }
}

TEST(AlternateArrangement, TriesGoThroughTheEightStrategiesAndStartAgain) {
    engine::LoadedResult result = loaded();
    for (std::size_t i = result.layoutBegin(2); i < result.items.size(); ++i) result.items[i].quantity = 2;
    StrategyCycle strategies;
    EXPECT_EQ(strategies.current(), 0);
    std::vector<int> used;
    for (int press = 0; press < 9; ++press) {
        const ArrangeTry t = tryArrangement(result, 2, strategies, 10);
        used.push_back(t.strategy);
        // Every arranged item carries the quantity of the layout it replaces.
        for (std::size_t i = result.layoutBegin(2); i < t.plan.items.size(); ++i)
            EXPECT_EQ(t.plan.items[i].quantity, 2);
    }
    EXPECT_EQ(used, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 1}));
}

TEST(AlternateArrangement, WhenNoStrategyPlacesThePiecesOrTheLayoutIsACoilsNothingIsFound) {
    // Layout 2 made to hold five shelves, which no strategy puts on one sheet (5 x 604 x 404 is
    // more than the 984 x 1184 usable).
    engine::LoadedResult result = loaded();
    const LayoutItem shelf = result.items[result.layoutBegin(2) + 5];
    for (int i = 0; i < 3; ++i) result.items.push_back(shelf);
    StrategyCycle strategies;
    strategies.next();
    strategies.next();  // the cycle stands at 2
    const ArrangeTry t = tryArrangement(result, 2, strategies, 10);
    EXPECT_FALSE(t.found);
    EXPECT_EQ(t.attempts, 8);
    EXPECT_TRUE(t.plan.empty());
    EXPECT_EQ(strategies.current(), 2);  // eight attempts: 3 .. 8, 1, 2
    // Coil layouts, and layouts not in the result, are not arranged; the cycle stays.
    const engine::LoadedResult coil = test::loadProject("coil-two-layouts.dcm");
    EXPECT_THROW(tryArrangement(coil, 1, strategies, 10), InputError);
    EXPECT_THROW(oneSheetProblem(loaded(), 3), InputError);
    EXPECT_THROW(replaceLayout(coil, 1, Plan{}), InputError);
    EXPECT_EQ(strategies.current(), 2);
}

}  // namespace
}  // namespace veltrix::layouts
