#include "reports/offcuts.h"

#include <gtest/gtest.h>

#include "report_helpers.h"

namespace veltrix {
namespace {

using reports::parseScrapCriteria;

TEST(ScrapCriteria, AndMeansFittingInsideEitherWayRoundAnyOtherTextOr) {
    const std::tuple<const char*, float, float, bool> cases[] = {
        // criteria, length, width, scrap. The limits themselves are scrap; given the other way
        // round, they are exchanged.
        {"\"300\",\"AND\",\"100\"\r\n", 250, 80, true}, {"\"300\",\"AND\",\"100\"", 80, 250, true},
        {"\"300\",\"AND\",\"100\"", 250, 120, false},    {"\"300\",\"AND\",\"100\"", 300, 100, true},
        {"\"300\",\"AND\",\"100\"", 301, 50, false},     {"\"100\",\"AND\",\"300\"", 250, 120, false},
        // OR (any text but exactly "AND"): either dimension within either limit.
        {"\"100\",\"OR\",\"50\"", 900, 90, true},        {"\"100\",\"\",\"50\"", 90, 900, true},
        {"\"50\",\"and\",\"100\"", 900, 90, true},       {"\"100\",\"OR\",\"50\"", 900, 101, false},
        // No criteria mark nothing.
        {"", 0.5f, 0.5f, false},                         {"\"X\",\"AND\",\"Y\"", 1, 1, false}};
    for (const auto& [text, length, width, scrap] : cases)
        EXPECT_EQ(parseScrapCriteria(text).isScrap(length, width), scrap) << text << " " << length << " x " << width;
    const reports::ScrapCriteria swapped = parseScrapCriteria("\"100\",\"AND\",\"300\"");
    EXPECT_EQ(std::pair(swapped.d1, swapped.d2), std::pair(300.0f, 100.0f));
    // The window's explanation of a rule is driven through the window (tests/ui); limits that are
    // no number read as 0.
    EXPECT_EQ(reports::scrapLabel("", "OR", "X"),
              "Offcut having one dimension <= 0 OR other dimension <= 0 will be treated as SCRAP");
}

TEST(OffcutTable, ListsMarginsAndOffcutsWithInnerSizes) {
    // Kerf 4, sheet 1000 x 500: margin and off-cut items of various sizes, some with an inner
    // extent of 0 or less.
    const engine::LoadedResult result =
        test::resultOf(R"("PB","","18","3000","0","4","0","")", R"("1000","500","5","0","0","0","0","R1")",
                       {R"("400","","","","","200","","","","","5","","SIDE","","","","")"},
                       "1,-1,1,0,0,504,1004,2,0\r\n"
                       "1,-2,1,0,0,0,1004,2,0\r\n"  // zero width
                       "1,1,1,0,0,204,404,2,1\r\n"
                       "1,-4,1,204,0,504,404,2,0\r\n"         // 400 x 296
                       "1,-4,1,0,404,606.5,1004,2,0\r\n"      // 596 x 602.5
                       "1,-4,1,0,404,4,1004,2,0\r\n"          // inner width 0
                       "1,-4,1,0,404,4.123456,700,2,0\r\n");  // 292 x 0.123456
    EXPECT_EQ(reports::offcutTableText(reports::offcutRows(result, parseScrapCriteria("\"300\",\"AND\",\"100\""))),
              "1,400,296,2,\"\"\r\n"
              "1,596,602.5,2,\"\"\r\n"
              // 0.123456 is display-rounded to 0.123; it fits inside 300 x 100 either way.
              "1,292,.123,2,\"SCRAP\"\r\n");
}

}  // namespace
}  // namespace veltrix
