// Layout generation: Place block (placement, counts, the demand cap, the tolerance, the blade, the
// draws, the split of the rest of the region, through cuts) and the alternate-arrangement run.

#include "engine/layout_generation.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

#include "engine/alternate_run.h"
#include "engine/prepare.h"
#include "engine/search.h"
#include "plan_checker.h"

namespace veltrix::engine {
namespace {

using Rect = std::array<float, 4>;

// One piece variety on one sheet, the layout started (sizes as the engine uses them: kerf included).
struct Builder {
    std::vector<SheetVariety> sheets;
    std::vector<CutVariety> cuts;
    LayoutBuilder builder;
    Builder(float width, float length, CutVariety piece, int grain = 0, float margin = 0, float tolerance = 0,
            float blade = 5000)
        : sheets{{length, width, 1, grain, margin, margin, margin, margin, ""}},
          cuts{piece},
          builder(sheets, cuts, blade, tolerance, 0) {
        builder.startLayout(1, std::vector<float>{piece.quantity});
    }
    std::vector<Rect> ofKind(ItemKind kind) const {
        std::vector<Rect> out;
        for (const auto& i : builder.items())
            if (i.kind == kind) out.push_back({i.x1, i.y1, i.x2, i.y2});
        return out;
    }
};

CutVariety piece(float length, float width, float quantity, int align = 0) {
    return {.length = length, .width = width, .quantity = quantity, .align = align};
}

TEST(PlaceBlock, CountsPlacementSplitAndThroughCut) {
    struct {
        const char* name;
        Builder start;
        int strategy;
        long long nx, ny;
        Rect first;  // the first piece of the block
        Placement placement;
        std::vector<Rect> free;  // the free regions left, in list order
    } cases[] = {
        // nx = 1204 / 304 = 3, ny = 2424 / 504 = 4; 12 > 10 so ny = 3. Rows first: beside the
        // block, then below it across the region.
        {"rows first", {1224, 2444, piece(504, 304, 10), 0, 10}, 5, 3, 3, {10, 10, 314, 514}, Placement::Lengthwise,
         {{922, 10, 1214, 1522}, {10, 1522, 1214, 2434}}},
        // Along the sheet the demand of 4 lowers nx first: 1 x 4. Columns first.
        {"columns first", {1224, 2444, piece(504, 304, 4), 0, 10}, 7, 1, 4, {10, 10, 314, 514}, Placement::Lengthwise,
         {{314, 10, 1214, 2434}, {10, 2026, 314, 2434}}},
        // 5 x 2 fit, 3 wanted: across, ny goes down to 1 first, then nx to 3.
        {"demand across", {1000, 400, piece(200, 200, 3)}, 1, 3, 1, {0, 0, 200, 200}, Placement::Lengthwise,
         {{600, 0, 1000, 200}, {0, 200, 1000, 400}}},
        // Along, nx goes down first, to 1 (1 x 2 <= 3); at the top margin columns first.
        {"demand along", {1000, 400, piece(200, 200, 3)}, 3, 1, 2, {0, 0, 200, 200}, Placement::Lengthwise,
         {{200, 0, 1000, 400}}},
        {"exact sizes", {999, 500, piece(500, 500, 5)}, 5, 1, 1, {0, 0, 500, 500}, Placement::Lengthwise,
         {{500, 0, 999, 500}}},
        // 996 = 2 x 500 - 2 x 2: with the tolerance of 2 two pieces share the length, 498 each.
        {"tolerance", {300, 996, piece(500, 300, 2), 0, 0, 2}, 5, 1, 2, {0, 0, 300, 498}, Placement::Lengthwise, {}},
        {"blade", {1000, 3000, piece(100, 100, 1000), 0, 0, 0, 1000}, 5, 10, 10, {0, 0, 100, 100},
         Placement::Lengthwise, {{0, 1000, 1000, 3000}}},
        {"even strategy turns", {2000, 2000, piece(600, 300, 100)}, 2, 3, 6, {0, 0, 600, 300}, Placement::Turned,
         {{1800, 0, 2000, 1800}, {0, 1800, 2000, 2000}}},
        {"grain keeps it lengthwise", {2000, 2000, piece(600, 300, 100, 1), 1}, 2, 6, 3, {0, 0, 300, 600},
         Placement::Lengthwise, {{1800, 0, 2000, 1800}, {0, 1800, 2000, 2000}}},
        {"does not fit", {100, 100, piece(600, 300, 1)}, 1, 0, 0, {}, Placement::None, {{0, 0, 100, 100}}},
    };
    for (auto& c : cases) {
        Random random;
        const Block block = c.start.builder.placeBlock(1, 5, strategyOfNumber(c.strategy), {1, 300}, false, random);
        EXPECT_EQ(block.nx, c.nx) << c.name;
        EXPECT_EQ(block.ny, c.ny) << c.name;
        EXPECT_EQ(c.start.builder.quantities()[0], c.start.cuts[0].quantity - static_cast<float>(c.nx * c.ny));
        const auto pieces = c.start.ofKind(pieceKind(1));
        ASSERT_EQ(pieces.size(), static_cast<std::size_t>(c.nx * c.ny)) << c.name;
        EXPECT_EQ(pieces.empty() ? Rect{} : pieces.front(), c.first) << c.name;
        const auto& items = c.start.builder.items();
        EXPECT_EQ(items.size() > 6 ? items[6].placement : Placement::None, c.placement) << c.name;
        EXPECT_EQ(c.start.ofKind(ItemKind::Offcut), c.free) << c.name;
        EXPECT_EQ(c.start.ofKind(ItemKind::ThroughCut).size(), pieces.empty() ? 0u : 1u) << c.name;
    }
}

TEST(PlaceBlock, APieceThatCannotFitStillDrawsItsPlacementInTheLaterPhases) {
    Builder b(100, 100, piece(600, 300, 5));
    Random random, twin;
    EXPECT_FALSE(b.builder.placeBlock(1, 5, FillStrategy::AcrossFromMargin, {250, 300}, true, random).placed());
    EXPECT_FALSE(b.builder.placeBlock(1, 5, FillStrategy::AcrossFromMargin, {100, 300}, true, random).placed());
    twin.draw(1, 2);  // the placement of the first try; the ordered phase draws nothing
    EXPECT_EQ(random.draw(1, 1000000), twin.draw(1, 1000000));
}

TEST(Random, IsTheLibrarysSequenceWithOutputsPassedOverUnseen) {
    for (const std::uint32_t seed : {1u, 2000u, 4294967295u}) {
        Random random;
        LibraryRandom library;  // std::mt19937
        random.seed(seed);
        library.seed(seed);
        random.skip(1248);  // two whole blocks, from the start of one
        for (int k = 0; k < 1248; ++k) library.uniform();
        for (long long i = 1; i < 20000; ++i) {
            const long long hi = i % 7 == 0 ? 3000000000LL + i : i % 5 == 0 ? (1LL << 21) + i : i % 100;
            ASSERT_EQ(random.draw(-3, hi), library.draw(-3, hi)) << seed << " " << i;
            const std::uint64_t skip = i % 1000 == 0 ? 1500 : i % 3;  // across a block of 624 now and then
            random.skip(skip);
            for (std::uint64_t k = 0; k < skip; ++k) library.uniform();
        }
    }
}

TEST(Fill, PassingOverTriesThatCannotFitBuildsThePlansOfTriesWorkedOutInFull) {
    // A generated job of 40 varieties on two sheet sizes, about half following the grain.
    std::mt19937 sizes(7);
    Job job;
    job.basic = BasicDetails{.grain = "YES", .blade = 3100, .tolerance = .5f, .kerf = 4};
    job.stock = {{2440, 1220, 30, 10, 10, 10, 10, ""}, {2800, 2070, 30, 10, 10, 10, 10, ""}};
    for (int c = 0; c < 40; ++c)
        job.cuts.push_back({.length = static_cast<float>(150 + sizes() % 1400), .width = static_cast<float>(100 + sizes() % 600),
                            .quantity = static_cast<float>(1 + sizes() % 8), .align = c % 2 ? "Y" : ""});
    PreparedJob prepared = prepareInput(job);
    addKerf(prepared);
    sortByArea(prepared);
    const long long budget = iterationBudget(prepared.cuts.size(), 2);
    SearchOptions before;
    before.referencePath = true;
    Search fast(prepared, budget), full(prepared, budget, before);
    for (long long i : {1LL, 2LL, budget / 3 + 1, budget / 2, budget - 1, budget}) {
        IterationPlan a, b;
        fast.build(i, -1, a);
        full.build(i, -1, b);
        EXPECT_TRUE(a.items == b.items && a.complete && b.complete) << "iteration " << i;
    }
}

TEST(AlternateArrangement, EachStrategyNestsThePiecesOnOneSheet) {
    const BasicDetails basic{.blade = 3100, .kerf = 4};
    const std::vector<SheetVariety> sheets{{2440, 1220, 1, 0, 10, 10, 10, 10, ""}};
    const std::vector<CutVariety> cuts{piece(700, 350, 2), piece(900, 200, 1), piece(500, 300, 4)};
    const auto arrange = [&](const BasicDetails& b, int strategy) {
        return alternateArrangement(b, OptimizationMode::MaximumYield, StockMode::Sheet, sheets, cuts,
                                    strategyOfNumber(strategy), 10);
    };
    for (int strategy = 1; strategy <= kStrategyCount; ++strategy) {
        const std::optional<Plan> plan = arrange(basic, strategy);
        ASSERT_TRUE(plan.has_value());
        EXPECT_EQ(plan->layoutCount(), 1) << strategy;
        EXPECT_EQ(plan->items.at(0).quantity, 1.0f) << strategy;
        // The rows are in decreasing area with the kerf (704 x 354, 904 x 204, 504 x 304), so the
        // checker numbers them as the run did.
        const auto check = test::checkPlan(",,,3100,0,4,0", "2440,1220,1,10,10,10,10",
                                           "700,,,,,350,,,,,2\n900,,,,,200,,,,,1\n500,,,,,300,,,,,4", false,
                                           planText(*plan));
        EXPECT_TRUE(check.ok()) << "strategy " << strategy << "\n" << check.summary();
        EXPECT_EQ(arrange(basic, strategy), plan);  // the same call gives the same arrangement
    }
    EXPECT_FALSE(arrange(BasicDetails{}, 1));  // no blade: no arrangement at all
}

}  // namespace
}  // namespace veltrix::engine
