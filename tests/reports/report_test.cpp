// The report of small results whose every figure is worked out by hand in the comments.
#include "reports/report.h"

#include <gtest/gtest.h>

#include "report_helpers.h"
#include "table/error.h"
#include "table/table_file.h"
#include "table/workspace.h"

namespace veltrix {
namespace {

using test::at;
using test::crlf;
using test::TempFolder;

const std::string kStars = std::string(76, '*') + "\r\n";
const std::string kDash76 = std::string(76, '-') + "\r\n";

// Sheet mode. Kerf 4; one sheet 1000 x 500 with margins left and top 10. Pieces (sawn sizes:
// finished less the bands across them): SIDE 400 x 198 (a 2 OAK band on a length edge), SHELF
// 296 x 150 (2 OAK and 2 oak on the width edges), CLEAT 100 x 49 (1 WHT), RAIL 200 x 100.
// With the kerf their areas are 404x202, 300x154, 104x53, 204x104: the area sort moves RAIL
// before CLEAT, so the varieties are 1 SIDE, 2 SHELF, 3 RAIL, 4 CLEAT.
// Layout 1 (2 sheets): two SIDEs, three SHELFs, three off-cuts. Layout 2 (1 sheet): SIDE, RAIL
// turned, three off-cuts, and a consumed (-3) item that must count for nothing.
const std::string kSheetJob = test::projectOf(
    {R"("PB","","18","3000","0","4","0","TEST")"},
    {R"("1000","500","5","10","10","0","0","R1")"},
    {R"("400","2","OAK","","","200","","","","","5","","SIDE","CABINET","SMITH","","")",
     R"("300","","","","","150","2","OAK","2","oak","4","","ADJUSTABLE SHELF","","","","")",
     R"("100","1","WHT","","","50","","","","","1","","CLEAT","","","","")",
     R"("200","","","","","100","","","","","2","","RAIL","","","","")"},
    "1,-1,1,0,0,504,1004,2,0\r\n"
    "1,-2,1,0,0,14,1004,2,0\r\n"
    "1,-2,1,14,0,504,14,2,0\r\n"
    "1,-2,1,504,14,504,1004,2,0\r\n"
    "1,-2,1,14,1004,504,1004,2,0\r\n"
    "1,1,1,14,14,216,418,2,1\r\n"
    "1,1,1,216,14,418,418,2,1\r\n"
    "1,-4,1,418,14,504,418,2,0\r\n"
    "1,-6,1,14,418,504,418,2,0\r\n"
    "1,2,1,14,418,168,718,2,1\r\n"
    "1,2,1,168,418,322,718,2,1\r\n"
    "1,2,1,322,418,476,718,2,1\r\n"
    "1,-4,1,476,418,504,718,2,0\r\n"
    "1,-4,1,14,718,504,1004,2,0\r\n"
    "2,-1,1,0,0,504,1004,1,0\r\n"
    "2,-2,1,0,0,14,1004,1,0\r\n"
    "2,-2,1,14,0,504,14,1,0\r\n"
    "2,-2,1,504,14,504,1004,1,0\r\n"
    "2,-2,1,14,1004,504,1004,1,0\r\n"
    "2,1,1,14,14,216,418,1,1\r\n"
    "2,3,1,216,14,420,118,1,2\r\n"
    "2,-4,1,420,14,504,418,1,0\r\n"
    "2,-4,1,216,118,420,418,1,0\r\n"
    "2,-4,1,14,418,504,1004,1,0\r\n"
    "2,-3,1,0,0,504,1004,1,0\r\n");

engine::LoadedResult load(const TempFolder& folder, std::string_view name, const std::string& project) {
    return reports::loadJobResult(test::jobOf(folder, name, project));
}

reports::ReportSettings settings(std::string option, float increment = 0, float density = 0) {
    reports::ReportSettings s;
    s.option = std::move(option);
    s.increment = increment;
    s.density = density;
    return s;
}

// The part of the report from its third line to the first layout section, for the given option.
std::string sheetJobHead(std::string_view heading, const std::string& sheetRow, const std::string (&util)[5],
                         const std::string& banding) {
    std::string t = "Overall Yield(%)=46.54\r\nTotal Layouts=2\r\n\r\n" + kStars;
    t += crlf("Basic Details\n\n");
    t += at({{1, "Mat=PB"}, {24, "Grain="}, {38, "Thk=18"}});
    t += at({{1, "Blade=3000"}, {24, "Tol=0"}, {38, "Kerf=4"}, {53, "Min OC=0"}});
    t += crlf("Note: TEST\n\n") + kStars;
    t += crlf("Sheet(s) Utilization Summary\n\n");
    t += at({{1, "Length"}, {10, "Width"}, {19, "QtyUsed"}, {28, "Location"}, {42, heading}});
    t += std::string(56, '-') + "\r\n";
    // Sheet 1 used by layout 1 twice and layout 2 once.
    t += at({{1, "1000"}, {10, "500"}, {19, "3"}, {28, "R1"}, {42, sheetRow}});
    t += "\r\n" + kStars + crlf("Cut-Piece(s) Summary\n\n");
    t += at({{1, "Length"}, {10, "Width"}, {19, "QtyPro"}, {28, "(+/-)"}, {37, "Description"}, {51, "Product"},
             {65, "Client"}});
    t += kDash76;
    // SIDE 2 x 2 + 1 = 5 as ordered; SHELF 3 x 2 = 6 of 4 ordered; RAIL 1 of 2; CLEAT none.
    t += at({{1, "400"}, {10, "198"}, {19, "5"}, {27, ""}, {37, "SIDE"}, {51, "CABINET"}, {65, "SMITH"}});
    // The long description runs past column 51: the product starts a new line after 50 blanks.
    t += at({{1, "296"}, {10, "150"}, {19, "6"}, {27, "+2"}, {37, "ADJUSTABLE SHELF"}});
    t += at({{51, ""}, {65, ""}});
    t += at({{1, "200"}, {10, "100"}, {19, "1"}, {27, "-1"}, {37, "RAIL"}, {51, ""}, {65, ""}});
    t += "\r\n" + kStars + crlf("Overall Utitlization Summary\n\n");
    t += at({{1, "Entity"}, {25, "Percentage"}, {40, heading}});
    // Sheet 1000 x 500 x 3 = 1500000. Cut-pieces 400x198 x 5 + 296x150 x 6 + 200x100 = 682400.
    // Margins (inner sizes, kerf off): left 10 x 1000, top 486 x 10, on 2 + 1 sheets = 44580.
    // Off-cuts: layout 1 (82x400 + 24x296 + 486x282) x 2 = 353912; layout 2 80x400 + 200x296 +
    // 486x582 = 374052; 727964. Kerf 1500000 - (44580 + 727964 + 682400) = 45056.
    const char* names[] = {"Sheet", "Cut-Peice", "Margin", "Kerf", "Offcut"};
    const char* percents[] = {"100.00", "45.49", "2.97", "3.00", "48.53"};
    for (int i = 0; i < 5; ++i) t += at({{1, names[i]}, {25, percents[i]}, {40, util[i]}});
    t += "\r\n" + kStars + crlf("Cutting Statistics Summary\n\n");
    t += at({{1, "*Layout No."}, {16, "Cutting Length"}, {34, "Cutting Strokes"}});
    t += kDash76;
    t += at({{1, "1"}, {16, "8252.00"}, {34, "14"}});
    t += at({{1, "2"}, {16, "2960.00"}, {34, "4"}});
    t += kDash76;
    t += at({{1, "T O T A L"}, {16, "11212.00"}, {34, "18"}});
    t += "\r\n" + kStars;
    t += banding;
    return t;
}

// The two layout sections of the sheet job.
std::string sheetJobSections() {
    std::string t = crlf("Layout No. 1/2\n\nSheet(s) Used\nSize    : 1000 X 500\n");
    t += crlf("Margins : 10(ML) 10(MT) 0(MR) 0(MB)\nQuantity: 2\n");
    // 2 x 400x198 + 3 x 296x150 = 291600 of 500000.
    t += crlf("Yield(%): 58.32\n\nCutting Statistics\n");
    // Cuts per sheet: left margin 1000 (its top edge lies on the sheet's far length: no cross
    // cut), top margin 486, each SIDE 400 + 198, the off-cut right of them 82 (on the width: no
    // length cut), each SHELF 296 + 150, the off-cut right of them 24, the last off-cut none:
    // 4126. Strokes: five pieces and three off-cuts, less one: 7.
    t += crlf("Cutting Length Per Sheet: 4126.00    Total: 8252.00\n");
    t += crlf("No of Strokes Per Sheet: 7    Total: 14\n\nCut-Pieces Generated\n");
    t += at({{1, "Length"}, {10, "Width"}, {19, "QtyPro"}, {28, "Description"}, {42, "Product"}, {56, "Client"}});
    t += std::string(67, '-') + "\r\n";
    t += at({{1, "400"}, {10, "198"}, {19, "2"}, {28, "SIDE"}, {42, "CABINET"}, {56, "SMITH"}});
    t += at({{1, "296"}, {10, "150"}, {19, "3"}, {28, "ADJUSTABLE SHELF"}});
    t += at({{42, ""}, {56, ""}});
    t += crlf("\nOffCut Generated\nLength  Width    Length  Width    Length  Width    Length  Width\n");
    t += crlf("---------------  ---------------  ---------------  ---------------\n");
    // Two margins and three off-cuts: a line of four, a line of one.
    t += at({{1, "1000"}, {9, "10"}, {18, "10"}, {26, "486"}, {35, "400"}, {43, "82"}, {52, "296"}, {60, "24"}});
    t += at({{1, "282"}, {9, "486"}});
    t += "\r\n" + kStars;

    t += crlf("Layout No. 2/2\n\nSheet(s) Used\nSize    : 1000 X 500\n");
    t += crlf("Margins : 10(ML) 10(MT) 0(MR) 0(MB)\nQuantity: 1\n");
    // 400x198 + 200x100 = 99200 of 500000.
    t += crlf("Yield(%): 19.84\n\nCutting Statistics\n");
    // Margins 1000 + 486, SIDE 598, RAIL 100 + 200, off-cut right 80, off-cut under the RAIL
    // 296 + 200, last off-cut none: 2960. Strokes 2 pieces + 3 off-cuts - 1.
    t += crlf("Cutting Length Per Sheet: 2960.00    Total: 2960.00\n");
    t += crlf("No of Strokes Per Sheet: 4    Total: 4\n\nCut-Pieces Generated\n");
    t += at({{1, "Length"}, {10, "Width"}, {19, "QtyPro"}, {28, "Description"}, {42, "Product"}, {56, "Client"}});
    t += std::string(67, '-') + "\r\n";
    t += at({{1, "400"}, {10, "198"}, {19, "1"}, {28, "SIDE"}, {42, "CABINET"}, {56, "SMITH"}});
    t += at({{1, "200"}, {10, "100"}, {19, "1"}, {28, "RAIL"}, {42, ""}, {56, ""}});
    t += crlf("\nOffCut Generated\nLength  Width    Length  Width    Length  Width    Length  Width\n");
    t += crlf("---------------  ---------------  ---------------  ---------------\n");
    t += at({{1, "1000"}, {9, "10"}, {18, "10"}, {26, "486"}, {35, "400"}, {43, "80"}, {52, "296"}, {60, "200"}});
    t += at({{1, "582"}, {9, "486"}});
    t += "\r\n" + kStars;
    return t;
}

TEST(Report, SheetModeWithEdgeBandingEveryFigureByHand) {
    TempFolder folder;
    const auto result = load(folder, "job.opt", kSheetJob);
    const reports::Report report = reports::buildReport(result, settings("Area With Edge Banding", 1));
    // Yield: stored rectangles, kerf included: pieces 202x404 x 5 + 154x300 x 6 + 204x104 = 706456
    // of sheets 504x1004 x 3 = 1518048: 0.465371.
    const std::string util[5] = {"1500000.00", "682400.00", "44580.00", "45056.00", "727964.00"};
    // Bands in passes: width edge 2 (SHELF 2 oak: (1 + 150) x 6 = 906), width edge 1 (SHELF 2 OAK:
    // 906), length edge 2 (none), length edge 1 (SIDE 2 OAK: (1 + 400) x 5 = 2005 more; CLEAT 1
    // WHT: produced 0 times, an entry of 0). Colours differing in case stay apart.
    const std::string banding = crlf("PVC Edge Banding Summary\n\n") +
                                at({{1, "Width"}, {10, "Color"}, {20, "Length"}}) + kDash76 +
                                at({{1, " 2 "}, {10, "oak"}, {20, " 906 "}}) +
                                at({{1, " 2 "}, {10, "OAK"}, {20, " 2911 "}}) +
                                at({{1, " 1 "}, {10, "WHT"}, {20, " 0 "}}) + "\r\n" + kStars;
    const std::string head = sheetJobHead("Area", "1500000.00", util, banding);
    EXPECT_EQ(report.text, head + sheetJobSections());
    EXPECT_EQ(report.sheetsUsed, "\"1000\",\"500\",\"3\",\"R1\"\r\n");

    // Each section's position is where its first line begins; each layout starts at its sheet item.
    ASSERT_EQ(report.sectionPosition.size(), 2u);
    EXPECT_EQ(report.sectionPosition[0], head.size());
    EXPECT_EQ(report.text.compare(report.sectionPosition[1], 15, "Layout No. 2/2\r"), 0);
    EXPECT_EQ(report.layoutStart, (std::vector<std::size_t>{0, 14}));
}

TEST(Report, ReportOptionsChooseTheExtraColumn) {
    TempFolder folder;
    const auto result = load(folder, "job.opt", kSheetJob);
    // Weight: density 0.5 x thickness 18 = 9 per unit of area.
    const std::string weights[5] = {"13500000.00", "6141600.00", "401220.00", "405504.00", "6551676.00"};
    EXPECT_EQ(reports::buildReport(result, settings("Weight", 1, 0.5f)).text,
              sheetJobHead("Weight", "13500000.00", weights, "") + sheetJobSections());
    const std::string areas[5] = {"1500000.00", "682400.00", "44580.00", "45056.00", "727964.00"};
    EXPECT_EQ(reports::buildReport(result, settings("Area", 1)).text,
              sheetJobHead("Area", "1500000.00", areas, "") + sheetJobSections());
    // No option, or one the system does not know: empty heading and values, blanks still written.
    const std::string none[5] = {"", "", "", "", ""};
    for (const char* option : {"", "AREA", "Volume"})
        EXPECT_EQ(reports::buildReport(result, settings(option, 1)).text,
                  sheetJobHead("", "", none, "") + sheetJobSections())
            << option;
}

TEST(Report, HeadingsOfTheReportWindow) {
    TempFolder folder;
    const auto report = reports::buildReport(load(folder, "job.opt", kSheetJob), settings("Area With Edge Banding"));
    std::vector<std::string> headings;
    for (const auto& line : splitLines(report.text))
        if (reports::isReportHeading(line)) headings.push_back(line);
    EXPECT_EQ(headings, (std::vector<std::string>{"Basic Details", "Sheet(s) Utilization Summary",
                                                  "Cut-Piece(s) Summary", "Overall Utitlization Summary",
                                                  "Cutting Statistics Summary", "PVC Edge Banding Summary",
                                                  "Layout No. 1/2", "Layout No. 2/2"}));
    EXPECT_FALSE(reports::isReportHeading("Summary"));
    EXPECT_FALSE(reports::isReportHeading(" Layout No. 1/2"));
}

TEST(Report, SettingsComeFromTheWorkingFolder) {
    TempFolder folder;
    const Workspace ws(folder.path());
    auto s = reports::readReportSettings(ws, "PB");
    EXPECT_EQ(s.option, "Area");  // no misc.set
    EXPECT_EQ(s.increment, 0.0f);
    EXPECT_EQ(s.density, 0.0f);
    folder.write("misc.set", "\"\"\r\n1.5\r\n10\r\n");
    folder.write("density.dat", "\"pb\",\"9\"\r\n\"PB\",\"0.5\"\r\n");
    s = reports::readReportSettings(ws, "PB");
    EXPECT_EQ(s.option, "");
    EXPECT_EQ(s.increment, 1.5f);
    EXPECT_EQ(s.density, 0.5f);
}

// Coil mode. Coil 3000 x 600 with a bottom margin of 10, kerf 2; PLATE 500 x 300 (4), TAB 200 x 100
// (2). Layouts 1 and 2 each hold two PLATEs turned, down to y = 604, so each becomes a coil length
// of 614 (604 + 10); layout 3 holds two TABs down to 202: 212 is shorter than the width, so that
// layout is turned and its sheet reads 600 x 212. The completed list numbers the layouts from the
// end: variety 1 is layout 3's.
const std::string kCoilJob = test::projectOf(
    {R"("STEEL","","1","1600","0","2","0","")"},
    {R"("3000","600","1","0","0","0","10","C1")"},
    {R"("500","","","","","300","","","","","4","","PLATE","","","","")",
     R"("200","","","","","100","","","","","2","","TAB","","","","")"},
    "1,-1,1,0,0,602,3002,1,0\r\n"
    "1,-2,1,0,0,0,3002,1,0\r\n"
    "1,-2,1,0,0,602,0,1,0\r\n"
    "1,-2,1,602,0,602,3002,1,0\r\n"
    "1,-2,1,0,2992,602,3002,1,0\r\n"
    "1,1,1,0,0,502,302,1,2\r\n"
    "1,1,1,0,302,502,604,1,2\r\n"
    "1,-4,1,502,0,602,604,1,0\r\n"
    "1,-4,1,0,604,602,2992,1,0\r\n"
    "2,-1,1,0,0,602,3002,1,0\r\n"
    "2,-2,1,0,0,0,3002,1,0\r\n"
    "2,-2,1,0,0,602,0,1,0\r\n"
    "2,-2,1,602,0,602,3002,1,0\r\n"
    "2,-2,1,0,2992,602,3002,1,0\r\n"
    "2,1,1,0,0,502,302,1,2\r\n"
    "2,1,1,0,302,502,604,1,2\r\n"
    "2,-4,1,502,0,602,604,1,0\r\n"
    "2,-4,1,0,604,602,2992,1,0\r\n"
    "3,-1,1,0,0,602,3002,1,0\r\n"
    "3,-2,1,0,0,0,3002,1,0\r\n"
    "3,-2,1,0,0,602,0,1,0\r\n"
    "3,-2,1,602,0,602,3002,1,0\r\n"
    "3,-2,1,0,2992,602,3002,1,0\r\n"
    "3,2,1,0,0,102,202,1,1\r\n"
    "3,2,1,102,0,204,202,1,1\r\n"
    "3,-4,1,204,0,602,202,1,0\r\n"
    "3,-4,1,0,202,602,2992,1,0\r\n");

std::string coilSection(int n, const char* size, const char* yield, const char* lengths, const std::string& piece,
                        const std::string& offcuts) {
    std::string t = crlf("Layout No. " + std::to_string(n) + "/3\n\nSheet(s) Used\nSize    : " + size + "\n");
    t += crlf("Margins : 0(ML) 0(MT) 0(MR) 10(MB)\nQuantity: 1\nYield(%): ") + yield + "\r\n\r\n";
    t += crlf("Cutting Statistics\nCutting Length Per Sheet: ") + lengths + "    Total: " + lengths + "\r\n";
    t += crlf("No of Strokes Per Sheet: 2    Total: 2\n\nCut-Pieces Generated\n");
    t += at({{1, "Length"}, {10, "Width"}, {19, "QtyPro"}, {28, "Description"}, {42, "Product"}, {56, "Client"}});
    t += std::string(67, '-') + "\r\n" + piece;
    t += crlf("\nOffCut Generated\nLength  Width    Length  Width    Length  Width    Length  Width\n");
    t += crlf("---------------  ---------------  ---------------  ---------------\n");
    return t + offcuts + "\r\n" + kStars;
}

TEST(Report, CoilModeReportsTheCompletedLayouts) {
    TempFolder folder;
    const auto result = load(folder, "roll.DCM", kCoilJob);
    const reports::Report report = reports::buildReport(result, settings("Area"));
    // Yield from the cut-back sheets: pieces 502x302 x 4 + 202x102 x 2 = 647624 of sheets
    // 602x614 x 2 + 212x602 = 866880: 0.747075.
    std::string t = "Overall Yield(%)=74.71\r\nTotal Layouts=3\r\n\r\n" + kStars;
    t += crlf("Basic Details\n\n");
    t += at({{1, "Mat=STEEL"}, {24, "Grain="}, {38, "Thk=1"}});
    t += at({{1, "Blade=1600"}, {24, "Tol=0"}, {38, "Kerf=2"}, {53, "Min OC=0"}});
    t += crlf("Note: \n\n") + kStars + crlf("Sheet(s) Utilization Summary\n\n");
    t += at({{1, "Length"}, {10, "Width"}, {19, "QtyUsed"}, {28, "Location"}, {42, "Area"}});
    t += std::string(56, '-') + "\r\n";
    // Layout 3's turned sheet first; layouts 1 and 2 cut the same length from C1: one row of 2.
    t += at({{1, "600"}, {10, "212"}, {19, "1"}, {28, "C1"}, {42, "127200.00"}});
    t += at({{1, "614"}, {10, "600"}, {19, "2"}, {28, "C1"}, {42, "736800.00"}});
    t += "\r\n" + kStars + crlf("Cut-Piece(s) Summary\n\n");
    t += at({{1, "Length"}, {10, "Width"}, {19, "QtyPro"}, {28, "(+/-)"}, {37, "Description"}, {51, "Product"},
             {65, "Client"}});
    t += kDash76;
    t += at({{1, "500"}, {10, "300"}, {19, "4"}, {27, ""}, {37, "PLATE"}, {51, ""}, {65, ""}});
    t += at({{1, "200"}, {10, "100"}, {19, "2"}, {27, ""}, {37, "TAB"}, {51, ""}, {65, ""}});
    t += "\r\n" + kStars + crlf("Overall Utitlization Summary\n\n");
    t += at({{1, "Entity"}, {25, "Percentage"}, {40, "Area"}});
    // Sheet 614x600 x 2 + 600x212 = 864000; pieces 150000 x 4 + 20000 x 2 = 640000. Margins: the
    // bottom margins, now 10 high below the pieces: 600 x 8 three times = 14400. Off-cuts right of
    // the plates 98 x 602 twice, beside the tabs 200 x 396: 197192; the rest of the coil is
    // squeezed flat. Kerf 864000 - (14400 + 197192 + 640000) = 864000 - 851592 = 12408.
    t += at({{1, "Sheet"}, {25, "100.00"}, {40, "864000.00"}});
    t += at({{1, "Cut-Peice"}, {25, "74.07"}, {40, "640000.00"}});
    t += at({{1, "Margin"}, {25, "1.67"}, {40, "14400.00"}});
    t += at({{1, "Kerf"}, {25, "1.44"}, {40, "12408.00"}});
    t += at({{1, "Offcut"}, {25, "22.82"}, {40, "197192.00"}});
    t += "\r\n" + kStars + crlf("Cutting Statistics Summary\n\n");
    t += at({{1, "*Layout No."}, {16, "Cutting Length"}, {34, "Cutting Strokes"}});
    t += kDash76;
    // Layouts 1 and 2: the bottom margin's cross cut 600, each plate 300 + 500, the off-cut 98;
    // its squeezed neighbour is no cut and no stroke: 2298, strokes 2 + 1 - 1. Layout 3 (turned,
    // 212 wide): the bottom margin 600, each tab 100 + 200, the off-cut 396: 1596.
    t += at({{1, "1"}, {16, "2298.00"}, {34, "2"}});
    t += at({{1, "2"}, {16, "2298.00"}, {34, "2"}});
    t += at({{1, "3"}, {16, "1596.00"}, {34, "2"}});
    t += kDash76 + at({{1, "T O T A L"}, {16, "6192.00"}, {34, "6"}}) + "\r\n" + kStars;
    const std::string plate = at({{1, "500"}, {10, "300"}, {19, "2"}, {28, "PLATE"}, {42, ""}, {56, ""}});
    // Plates: 300000 of 614 x 600; tabs: 40000 of 600 x 212.
    const std::string plateOffcuts = at({{1, "8"}, {9, "600"}, {18, "602"}, {26, "98"}});
    t += coilSection(1, "614 X 600", "81.43", "2298.00", plate, plateOffcuts);
    t += coilSection(2, "614 X 600", "81.43", "2298.00", plate, plateOffcuts);
    t += coilSection(3, "600 X 212", "31.45", "1596.00",
                     at({{1, "200"}, {10, "100"}, {19, "2"}, {28, "TAB"}, {42, ""}, {56, ""}}),
                     at({{1, "600"}, {9, "8"}, {18, "396"}, {26, "200"}}));
    EXPECT_EQ(report.text, t);
    EXPECT_EQ(report.sheetsUsed, "\"600\",\"212\",\"1\",\"C1\"\r\n\"614\",\"600\",\"2\",\"C1\"\r\n");
}

// One sheet 100 x 100 (kerf 0) with pieces as given; the strokes and the cut length of layout 1.
std::pair<std::string, std::string> strokesOf(const std::string& quantity, const std::string& items) {
    TempFolder folder;
    const std::string sheetItem = "1,-1,1,0,0,100,100," + quantity + ",0\r\n";
    const auto result = load(folder, "s.opt",
                             test::projectOf({R"("PB","","18","3000","0","0","0","")"},
                                             {R"("100","100","5","0","0","0","0","")"},
                                             {R"("50","","","","","40","","","","","9","","P","","","","")"},
                                             sheetItem + items));
    const std::string text = reports::buildReport(result, settings("Area")).text;
    const auto line = text.find("Cutting Length Per Sheet: ");
    const auto strokes = text.find("No of Strokes Per Sheet: ");
    return {text.substr(line + 26, text.find('\r', line) - line - 26),
            text.substr(strokes + 25, text.find('\r', strokes) - strokes - 25)};
}

TEST(Report, CuttingStrokeEdgeCases) {
    // One piece and no off-cut: no stroke; its far sides lie inside the sheet: 50 + 40 of cuts.
    EXPECT_EQ(strokesOf("1", "1,1,1,0,0,40,50,1,1\r\n"), std::make_pair(std::string("90.00    Total: 90.00"),
                                                                          std::string("0    Total: 0")));
    // A piece touching the right edge adds no cut along its length; one touching the far length
    // adds no cut across; a piece on both far sides adds nothing.
    EXPECT_EQ(strokesOf("1", "1,1,1,60,0,100,50,1,1\r\n").first, "40.00    Total: 40.00");
    EXPECT_EQ(strokesOf("1", "1,1,1,0,50,40,100,1,1\r\n").first, "50.00    Total: 50.00");
    EXPECT_EQ(strokesOf("1", "1,1,1,60,50,100,100,1,1\r\n").first, "0.00    Total: 0.00");
    // Two pieces on 3 sheets: 1 stroke a sheet, 3 in all; a fractional quantity rounds the total
    // halves to even (2.5 strokes give 2, 3.5 give 4).
    const std::string two = "1,1,1,0,0,40,50,Q,1\r\n1,1,1,40,0,80,50,Q,1\r\n";
    auto with = [&](const std::string& q) {
        std::string s = two;
        for (auto pos = s.find('Q'); pos != std::string::npos; pos = s.find('Q')) s.replace(pos, 1, q);
        return strokesOf(q, s).second;
    };
    EXPECT_EQ(with("3"), "1    Total: 3");
    EXPECT_EQ(with("2.5"), "1    Total: 2");
    EXPECT_EQ(with("3.5"), "1    Total: 4");
    // An empty layout (no piece) takes -1 strokes a sheet, as counted.
    EXPECT_EQ(strokesOf("2", "").second, "-1    Total: -2");
}

TEST(Report, EmptyResultIsNoReport) {
    TempFolder folder;
    const auto result = load(folder, "e.opt",
                             test::projectOf({R"("PB","","18","3000","0","0","0","")"},
                                             {R"("100","100","5","0","0","0","0","")"}, {}, ""));
    try {
        reports::buildReport(result, settings("Area"));
        FAIL() << "an empty result gave a report";
    } catch (const InputError& e) {
        EXPECT_STREQ(e.what(), "This file was not optimized.");
    }
}

}  // namespace
}  // namespace veltrix
