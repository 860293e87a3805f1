// A stored plan read back against its job: the varieties numbered as the run numbered them, and a
// damaged plan refused. Coil layouts cut back to the
// length they use and turned are checked where they are shown and edited (tests/layouts
// layout_editing_test and the coil drawing goldens) and reported (tests/reports report_test).

#include "engine/loaded_result.h"

#include <gtest/gtest.h>

#include <limits>

namespace veltrix::engine {
namespace {

TEST(LoadedResult, VarietiesAreNumberedByAreaWithTheKerf) {
    // A (40 x 25) is larger than B (100 x 9.9) as entered, but with the kerf of 4 B (104 x 13.9) is
    // larger than A (44 x 29): B is cut-piece 1, kept as entered.
    const Job job{StockMode::Sheet, Objective{}, BasicDetails{.blade = 3000, .kerf = 4}, {{2440, 1220, 5, 0, 0, 0, 0, ""}},
                  {{.length = 40, .width = 25, .quantity = 1, .description = "A"},
                   {.length = 100, .width = 9.9f, .quantity = 2, .description = "B"}}};
    const LoadedResult r = loadResult(job, parsePlan("1,-1,1,0,0,1224,2444,1,0\r\n1,1,1,0,0,104,13.9,1,1\r\n"));
    EXPECT_EQ(r.cutOf(r.items.at(1)).description, "B");
    EXPECT_EQ(r.cutOf(r.items.at(1)).length, 100.0f);
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
