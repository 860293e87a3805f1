// Preparation: which rows are kept, how identical rows merge, and the numbering the area sort
// gives, which every stored plan depends on.

#include "engine/prepare.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <random>

namespace veltrix::engine {
namespace {

TEST(PrepareInput, KeepsOnlyTheRowsThatCanBeCut) {
    Job job;
    job.basic.blade = 3100;
    job.stock = {{2440, 1220, 5, 10, 10, 10, 10, "A"},
                 {2000, 3100, 1, 0, 0, 0, 0, "B"},    // as wide as the blade
                 {2440, 3200, 5, 0, 0, 0, 0, "C"},    // wider than the blade
                 {20, 1220, 5, 10, 10, 10, 10, "D"},  // the margins take the whole length
                 {2440, 20, 5, 10, 10, 10, 10, "E"},  // the margins take the whole width
                 {2440, 1220, 0, 0, 0, 0, 0, "F"}};   // no quantity, which a coil does not need
    job.cuts = {{.length = 800, .lengthBand1 = 1, .lengthBand2 = 2, .width = 400, .widthBand1 = .5f,
                 .widthBand2 = .25f, .quantity = 3, .align = "Y", .description = "A"},
                {.length = 0, .width = 300, .quantity = 1, .description = "B"},
                {.length = 500, .width = 0, .quantity = 1, .description = "C"},
                {.length = 500, .width = 300, .quantity = 0, .description = "D"},
                {.length = 500, .lengthBand1 = 150, .lengthBand2 = 150, .width = 300, .quantity = 1},  // no width left
                {.length = 600, .width = 300, .quantity = 2, .description = "F"}};
    for (const StockMode mode : {StockMode::Sheet, StockMode::Coil}) {
        job.mode = mode;
        job.basic.grain = mode == StockMode::Coil ? "YES" : "";
        const PreparedJob prepared = prepareInput(job);
        std::string kept;
        for (const auto& s : prepared.sheets) kept += s.location + (s.quantity == kCoilQuantity ? "*" : "");
        for (const auto& c : prepared.cuts) kept += c.description + std::to_string(c.align);
        EXPECT_EQ(kept, mode == StockMode::Coil ? "A*B*F*A1F0" : "ABA0F0");
        // Cutting sizes: the length less the bands on the width edges, the width less the others.
        EXPECT_EQ(prepared.cuts.at(0).length, 799.25f);
        EXPECT_EQ(prepared.cuts.at(0).width, 397.0f);
        EXPECT_EQ(prepared.sheets.at(0).grain, mode == StockMode::Coil ? 1 : 0);
    }
}

TEST(PrepareInput, TheFirstOfIdenticalRowsTakesTheSumAndTheOthersKeepTheirPlaces) {
    Job job;
    job.basic.blade = 3100;
    job.stock = {{2440, 1220, 10, 10, 10, 10, 10, "A"},
                 {2440, 1220, 5, 10, 10, 10, 10, "A"},
                 {2440, 1220, 5, 10, 10, 10, 10, "B"},   // another location
                 {2440, 1220, 3, 10, 10, 10, 11, "A"}};  // another margin
    const auto cut = [](float qty, std::string description, std::string remark = "") {
        return CutRow{.length = 500, .lengthRemark1 = remark, .width = 300, .quantity = qty, .description = description};
    };
    job.cuts = {cut(5, "A"), cut(3, "B"), cut(7, "A"), cut(2, "A"), cut(4, "A", "RED"), cut(1, "B")};
    const PreparedJob prepared = prepareInput(job);
    std::vector<float> quantities;
    for (const auto& s : prepared.sheets) quantities.push_back(s.quantity);
    for (const auto& c : prepared.cuts) quantities.push_back(c.quantity);
    EXPECT_EQ(quantities, (std::vector<float>{15, 0, 5, 3, /* cut-pieces */ 14, 4, 0, 0, 4, 0}));
}

// Sixty thousand rows of thirty thousand kinds merge in a moment (not minutes) with the same first-row
// rule: each kind's first row takes the kind's sum, the others keep their places with 0. A band
// of -0 equals 0.
TEST(PrepareInput, ManyRowsMergeQuicklyByTheFirstRowRule) {
    Job job;
    job.basic.blade = 3100;
    job.stock = {{2440, 1220, 1, 0, 0, 0, 0, "A"}};
    std::mt19937 random(14);
    std::vector<float> expected;
    std::map<int, std::size_t> firstOfKind;
    for (int r = 0; r < 60000; ++r) {
        const int kind = static_cast<int>(random() % 30000);
        const float quantity = static_cast<float>(1 + random() % 9);
        CutRow row{.length = 500, .width = 300, .quantity = quantity, .description = "K" + std::to_string(kind)};
        if (random() % 7 == 0) row.lengthBand1 = -0.0f;
        job.cuts.push_back(row);
        const auto [first, isNew] = firstOfKind.try_emplace(kind, expected.size());
        expected.push_back(isNew ? quantity : 0);
        if (!isNew) expected[first->second] += quantity;
    }
    const auto start = std::chrono::steady_clock::now();
    const PreparedJob prepared = prepareInput(job);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    std::vector<float> quantities;
    for (const auto& c : prepared.cuts) quantities.push_back(c.quantity);
    EXPECT_EQ(quantities, expected);
}

// A run never starts on more pieces than a plan can hold: it would end in an allocation failure.
TEST(PrepareInput, ARunAsksForAtMostAMillionPieces) {
    Job job;
    job.basic.blade = 3100;
    job.stock = {{2440, 1220, 1, 0, 0, 0, 0, "A"}};
    job.cuts = {{.length = 500, .width = 300, .quantity = 400000, .description = "A"},
                {.length = 400, .width = 300, .quantity = 600000, .description = "B"}};
    EXPECT_EQ(validationMessage(prepareInput(job)), std::nullopt);
    job.cuts[0].quantity = 400001;
    EXPECT_EQ(validationMessage(prepareInput(job)),
              "The cut-pieces add up to 1000001 pieces; a job may ask for at most 1000000.");
}

TEST(SortByArea, IsAFixedSequenceOfPassesNotAFullSort) {
    const struct {
        std::vector<float> areas;
        std::vector<int> order;  // the original positions, in sorted order
    } cases[] = {
        // n = 4: gap 2 has round(5 / 2) - 1 = 1 block: (1,3), (2,4); gap 1: (1,2), (2,3), (3,4).
        {{1, 3, 2, 4}, {4, 3, 2, 1}},
        {{1, 2, 3, 4, 5}, {5, 4, 3, 2, 1}},
        // n = 7: gap 3 has round(8 / 3) - 1 = 2 blocks, the second comparing (4,7).
        {{5, 5, 9, 1, 1, 1, 8}, {3, 7, 1, 2, 5, 6, 4}},
        {{12, 12, 12}, {1, 2, 3}},  // equal areas never move
        {{}, {}},
    };
    for (const auto& c : cases) {
        std::vector<CutVariety> cuts;
        for (std::size_t i = 0; i < c.areas.size(); ++i)
            cuts.push_back(CutVariety{.length = c.areas[i], .width = 1, .description = std::to_string(i + 1)});
        sortCutsByArea(cuts);
        std::vector<int> order;
        for (const auto& cut : cuts) order.push_back(std::stoi(cut.description));
        EXPECT_EQ(order, c.order) << ::testing::PrintToString(c.areas);
    }
}

}  // namespace
}  // namespace veltrix::engine
