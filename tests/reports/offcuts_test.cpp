#include "reports/offcuts.h"

#include <gtest/gtest.h>

#include "report_helpers.h"
#include "table/workspace.h"

namespace veltrix {
namespace {

using reports::ScrapCriteria;
using test::TempFolder;

TEST(ScrapCriteria, AndMeansFittingInsideEitherWayRound) {
    const ScrapCriteria c = reports::parseScrapCriteria("\"300\",\"AND\",\"100\"\r\n");
    EXPECT_EQ(c.d1, 300.0f);
    EXPECT_EQ(c.d2, 100.0f);
    EXPECT_TRUE(c.isScrap(250, 80));
    EXPECT_TRUE(c.isScrap(80, 250));
    EXPECT_FALSE(c.isScrap(250, 120));
    EXPECT_TRUE(c.isScrap(300, 100));   // the limits themselves are scrap
    EXPECT_FALSE(c.isScrap(301, 50));
    // The limits given the other way round are exchanged.
    const ScrapCriteria swapped = reports::parseScrapCriteria("\"100\",\"AND\",\"300\"");
    EXPECT_EQ(swapped.d1, 300.0f);
    EXPECT_EQ(swapped.d2, 100.0f);
    EXPECT_FALSE(swapped.isScrap(250, 120));
}

TEST(ScrapCriteria, AnyOtherTextMeansOr) {
    for (const char* text : {"\"100\",\"OR\",\"50\"", "\"100\",\"\",\"50\"", "\"50\",\"and\",\"100\""}) {
        const ScrapCriteria c = reports::parseScrapCriteria(text);
        EXPECT_TRUE(c.isScrap(900, 90)) << text;    // width within D1
        EXPECT_TRUE(c.isScrap(90, 900)) << text;
        EXPECT_FALSE(c.isScrap(900, 101)) << text;
    }
    // No criteria mark nothing: every listed off-cut is larger than 0 both ways.
    const ScrapCriteria none = reports::parseScrapCriteria("");
    EXPECT_FALSE(none.isScrap(0.5f, 0.5f));
    EXPECT_FALSE(reports::parseScrapCriteria("\"X\",\"AND\",\"Y\"").isScrap(1, 1));
}

TEST(ScrapCriteria, WindowShowsOrForEmptyAndExplainsTheRule) {
    EXPECT_EQ(reports::shownCriteria(""), "OR");
    EXPECT_EQ(reports::shownCriteria("AND"), "AND");
    EXPECT_EQ(reports::scrapLabel("300", "AND", "100.50"),
              "Offcut having one dimension <= 300 AND other dimension <= 100.5 will be treated as SCRAP");
    EXPECT_EQ(reports::scrapLabel("", "OR", "X"),
              "Offcut having one dimension <= 0 OR other dimension <= 0 will be treated as SCRAP");
}

// Kerf 4; sheet 1000 x 500. Off-cut and margin items of various sizes, including ones whose inner
// extent is 0 or less.
const std::string kJob = test::projectOf(
    {R"("PB","","18","3000","0","4","0","")"}, {R"("1000","500","5","0","0","0","0","R1")"},
    {R"("400","","","","","200","","","","","5","","SIDE","","","","")"},
    "3,-1,1,0,0,504,1004,2,0\r\n"
    "3,-2,1,0,0,0,1004,2,0\r\n"           // zero width
    "3,1,1,0,0,204,404,2,1\r\n"
    "3,-4,1,204,0,504,404,2,0\r\n"        // 400 x 296
    "3,-4,1,0,404,606.5,1004,2,0\r\n"     // 596 x 602.5
    "3,-4,1,0,404,4,1004,2,0\r\n"         // inner width 0
    "3,-4,1,0,404,4.123456,700,2,0\r\n"); // 292 x 0.123456

TEST(OffcutTable, ListsMarginsAndOffcutsWithInnerSizes) {
    TempFolder folder;
    // Only layout 3 exists here: the result must number its layouts from 1.
    std::string job = kJob;
    for (std::size_t p = job.find("\n3,"); p != std::string::npos; p = job.find("\n3,", p)) job[++p] = '1';
    const auto result = reports::loadJobResult(test::jobOf(folder, "o.opt", job));
    const auto criteria = reports::parseScrapCriteria("\"300\",\"AND\",\"100\"");
    EXPECT_EQ(reports::offcutTableText(reports::offcutRows(result, criteria)),
              "1,400,296,2,\"\"\r\n"
              "1,596,602.5,2,\"\"\r\n"
              // 0.123456 is display-rounded to 0.123; it fits inside 300 x 100 either way.
              "1,292,.123,2,\"SCRAP\"\r\n");
    // Without criteria nothing is scrap.
    const auto plain = reports::offcutRows(result, reports::readScrapCriteria(Workspace(folder.path())));
    ASSERT_EQ(plain.size(), 3u);
    for (const auto& row : plain) EXPECT_FALSE(row.scrap);
}

}  // namespace
}  // namespace veltrix
