// A stored plan read back against its job: the varieties numbered as the run numbered them, and in
// coil mode every layout cut to the coil length it uses.

#include "engine/loaded_result.h"

#include <gtest/gtest.h>

#include <array>

namespace veltrix::engine {
namespace {

using Rect = std::array<float, 4>;
Rect rectOf(const LayoutItem& item) { return {item.x1, item.y1, item.x2, item.y2}; }

// One layout on a coil 1250 wide and 6000 long (bottom margin 10) whose piece reaches down to
// `used`: the coil, its four margins, the piece and the off-cut below it.
std::string coilLayout(int n, int used) {
    std::string text;
    for (const std::array<int, 6> i : std::initializer_list<std::array<int, 6>>{
             {-1, 0, 0, 1250, 6000, 0}, {-2, 0, 0, 0, 6000, 0}, {-2, 0, 0, 1250, 0, 0}, {-2, 1250, 0, 1250, 6000, 0},
             {-2, 0, 5990, 1250, 6000, 0}, {1, 0, 0, 400, used, 1}, {-4, 0, used, 1250, 5990, 0}}) {
        text += std::to_string(n);
        for (int k = 0; k < 6; ++k)  // kind, x1, y1, x2, y2, placement; sheet 1 and quantity 1
            text += "," + std::to_string(i[k]) + (k == 0 || k == 4 ? ",1" : "");
        text += "\r\n";
    }
    return text;
}

TEST(LoadedResult, CoilLayoutsAreCutToTheLengthTheyUseAndTurnedWhenShorterThanWide) {
    // With the kerf of 4, B (104 x 13.9) is larger than A (44 x 29): B is cut-piece 1.
    Job job{StockMode::Coil, Objective{}, BasicDetails{.blade = 1600, .kerf = 4}, {{6000, 1250, 1, 0, 0, 0, 10, ""}},
            {{.length = 40, .width = 25, .quantity = 1, .description = "A"},
             {.length = 100, .width = 9.9f, .quantity = 2, .description = "B"}}};
    const LoadedResult r = loadResult(job, parsePlan(coilLayout(1, 800) + coilLayout(2, 1500)));
    ASSERT_EQ(r.layoutCount(), 2);
    EXPECT_EQ(r.cutOf(r.layout(1)[5]).description, "B");
    EXPECT_EQ(r.cutOf(r.layout(1)[5]).length, 100.0f);  // as entered
    // Sheet variety k belongs to the k-th layout from the end: layout 2 uses 1500 + 10, longer
    // than wide; layout 1 uses 810 and is turned.
    ASSERT_EQ(r.job.sheets.size(), 2u);
    EXPECT_EQ((Rect{r.job.sheets[0].length, r.job.sheets[0].width, r.job.sheets[1].length, r.job.sheets[1].width}),
              (Rect{1510, 1250, 1250, 810}));
    for (const auto& item : r.layout(1)) EXPECT_EQ(item.sheet, 2);
    for (const auto& item : r.layout(2)) EXPECT_EQ(item.sheet, 1);
    // Turned: the coil, the bottom margin from 800, the piece, the off-cut below squeezed to nothing.
    const auto turned = r.layout(1);
    EXPECT_EQ(rectOf(turned[0]), (Rect{0, 0, 810, 1250}));
    EXPECT_EQ(rectOf(turned[4]), (Rect{800, 0, 810, 1250}));
    EXPECT_EQ(rectOf(turned[5]), (Rect{0, 0, 800, 400}));
    EXPECT_EQ(turned[5].placement, Placement::Turned);
    EXPECT_EQ(rectOf(turned[6]), (Rect{800, 0, 800, 1250}));
    const auto kept = r.layout(2);
    EXPECT_EQ(rectOf(kept[0]), (Rect{0, 0, 1250, 1510}));
    EXPECT_EQ(rectOf(kept[4]), (Rect{0, 1500, 1250, 1510}));
    EXPECT_EQ(kept[5].placement, Placement::Lengthwise);
    EXPECT_EQ(r.storedItems[0].y2, 6000.0f);  // as stored
}

}  // namespace
}  // namespace veltrix::engine
