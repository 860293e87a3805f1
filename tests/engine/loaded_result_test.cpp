// A stored plan read back against its job: the varieties numbered as the run numbered them, and in
// coil mode every layout cut to the coil length it uses.

#include "engine/loaded_result.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

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

// A damaged result is refused with a message naming the line; the same plan undamaged reads.
TEST(LoadedResult, DamagedQuantitiesAndCoordinatesAreRefused) {
    Job job{StockMode::Sheet, Objective{}, BasicDetails{.blade = 3000, .kerf = 4}, {{2440, 1220, 5, 0, 0, 0, 0, ""}},
            {{.length = 600, .width = 400, .quantity = 2}}};
    const std::string sheet = "1,-1,1,0,0,1224,2444,Q,0\r\n";
    const std::string piece = "1,1,1,0,0,404,604,Q,1\r\n";
    auto plan = [&](const std::string& text, const std::string& quantity) {
        std::string out = text;
        for (std::size_t at = out.find('Q'); at != std::string::npos; at = out.find('Q')) out.replace(at, 1, quantity);
        return parsePlan(out);
    };
    // The message of the refusal, or "read".
    const auto errorOf = [&](const Plan& p) -> std::string {
        try {
            loadResult(job, p);
            return "read";
        } catch (const ResultError& e) {
            return e.what();
        }
    };
    EXPECT_EQ(loadResult(job, plan(sheet + piece, "2")).items.size(), 2u);
    EXPECT_EQ(loadResult(job, plan(sheet + piece, "2.5")).items.size(), 2u);  // the report rounds such a total
    const std::vector<std::pair<std::string, std::string>> damaged{
        {"3e38", "(line 1): its quantity 3"}, {"-3e38", "(line 1): its quantity -3"},
        {"10000000", "(line 1): its quantity 10000000 is not"}, {"0", "its quantity 0 is not"}, {"abc", "its quantity 0 is not"}};
    for (const auto& [quantity, message] : damaged)
        EXPECT_NE(errorOf(plan(sheet + piece, quantity)).find(message), std::string::npos) << quantity;
    for (const std::string far : {"1,1,1,nan,0,404,604,2,1", "1,1,1,0,0,404,1e30,2,1", "1,1,1,-9000,0,404,604,2,1"}) {
        Plan p = plan(sheet, "2");
        p.items.push_back(parsePlan(far).items.at(0));
        if (far.find("nan") != std::string::npos) p.items.back().x1 = std::numeric_limits<float>::quiet_NaN();
        EXPECT_NE(errorOf(p).find("line 2): its coordinate"), std::string::npos) << far;
    }
    // A job holding a value no run can use has no result to read either.
    job.basic.kerf = -146;
    EXPECT_THROW(loadResult(job, plan(sheet + piece, "2")), ResultError);
}

}  // namespace
}  // namespace veltrix::engine
