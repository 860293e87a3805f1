// The report of small results whose every figure is worked out by hand in the comments.
#include "reports/report.h"

#include <gtest/gtest.h>

#include <array>

#include "report_helpers.h"
#include "base/table_file.h"

namespace veltrix {
namespace {

using test::at;
using test::crlf;

const std::string kStars = std::string(76, '*') + "\r\n";
const std::string kDash76 = std::string(76, '-') + "\r\n";

reports::ReportSettings settings(std::string option, float increment = 0, float density = 0) {
    return reports::ReportSettings{std::move(option), increment, density};
}

// The head of a report, up to the first layout section.
struct Head {
    std::string yieldAndLayouts, basic, heading, sheets, pieces;
    std::array<std::string, 5> percents, figures;  // sheet, cut-pieces, margin, kerf, off-cut
    std::string statistics, totalLength, totalStrokes, banding;
};

std::string headText(const Head& h) {
    std::string t = crlf(h.yieldAndLayouts + "\n\n") + kStars + crlf("Basic Details\n\n") + h.basic + kStars;
    t += crlf("Sheet(s) Utilization Summary\n\n") +
         at({{1, "Length"}, {10, "Width"}, {19, "QtyUsed"}, {28, "Location"}, {42, h.heading}}) + std::string(56, '-') +
         "\r\n" + h.sheets + "\r\n" + kStars + crlf("Cut-Piece(s) Summary\n\n");
    t += at({{1, "Length"}, {10, "Width"}, {19, "QtyPro"}, {28, "(+/-)"}, {37, "Description"}, {51, "Product"},
             {65, "Client"}});
    t += kDash76 + h.pieces + "\r\n" + kStars + crlf("Overall Utitlization Summary\n\n");
    t += at({{1, "Entity"}, {25, "Percentage"}, {40, h.heading}});
    const char* entities[] = {"Sheet", "Cut-Peice", "Margin", "Kerf", "Offcut"};
    for (std::size_t i = 0; i < 5; ++i) t += at({{1, entities[i]}, {25, h.percents[i]}, {40, h.figures[i]}});
    t += "\r\n" + kStars + crlf("Cutting Statistics Summary\n\n") +
         at({{1, "*Layout No."}, {16, "Cutting Length"}, {34, "Cutting Strokes"}}) + kDash76 + h.statistics + kDash76;
    return t + at({{1, "T O T A L"}, {16, h.totalLength}, {34, h.totalStrokes}}) + "\r\n" + kStars + h.banding;
}

// One layout section: "Layout No. " + n/N, the sheet's size, margins, quantity and yield, the
// cutting length and strokes ("per sheet    Total: all"), the pieces' lines and the off-cuts' lines.
std::string section(const std::string& layout, const std::string& size, const std::string& margins,
                    const std::string& quantity, const std::string& yield, const std::string& length,
                    const std::string& strokes, const std::string& pieces, const std::string& offcuts) {
    return crlf("Layout No. " + layout + "\n\nSheet(s) Used\nSize    : " + size + "\nMargins : " + margins +
                "\nQuantity: " + quantity + "\nYield(%): " + yield +
                "\n\nCutting Statistics\nCutting Length Per Sheet: " + length +
                "\nNo of Strokes Per Sheet: " + strokes + "\n\nCut-Pieces Generated\n") +
           at({{1, "Length"}, {10, "Width"}, {19, "QtyPro"}, {28, "Description"}, {42, "Product"}, {56, "Client"}}) +
           std::string(67, '-') + "\r\n" + pieces +
           crlf(
               "\nOffCut Generated\nLength  Width    Length  Width    Length  Width    Length  Width\n"
               "---------------  ---------------  ---------------  ---------------\n") +
           offcuts + "\r\n" + kStars;
}

// The layout items of a text of records separated by blanks.
std::string items(std::string records) {
    std::string text;
    for (char c : records) text += c == ' ' ? std::string("\r\n") : std::string(1, c);
    return text.empty() ? text : text + "\r\n";
}

// Sheet mode. Kerf 4; one sheet 1000 x 500 with margins left and top 10. Pieces (sawn sizes:
// finished less the bands across them): SIDE 400 x 198 (a 2 OAK band on a length edge), SHELF
// 296 x 150 (2 OAK and 2 oak on the width edges), CLEAT 100 x 49 (1 WHT), RAIL 200 x 100.
// With the kerf their areas are 404x202, 300x154, 104x53, 204x104: the area sort moves RAIL
// before CLEAT, so the varieties are 1 SIDE, 2 SHELF, 3 RAIL, 4 CLEAT.
// Layout 1 (2 sheets): two SIDEs, three SHELFs, three off-cuts. Layout 2 (1 sheet): SIDE, RAIL
// turned, three off-cuts, and a consumed (-3) item that must count for nothing.
const engine::LoadedResult kSheetJob = test::resultOf(
    R"("PB","","18","3000","0","4","0","TEST")", R"("1000","500","5","10","10","0","0","R1")",
    {R"("400","2","OAK","","","200","","","","","5","","SIDE","CABINET","SMITH","","")",
     R"("300","","","","","150","2","OAK","2","oak","4","","ADJUSTABLE SHELF","","","","")",
     R"("100","1","WHT","","","50","","","","","1","","CLEAT","","","","")",
     R"("200","","","","","100","","","","","2","","RAIL","","","","")"},
    items("1,-1,1,0,0,504,1004,2,0 1,-2,1,0,0,14,1004,2,0 1,-2,1,14,0,504,14,2,0 1,-2,1,504,14,504,1004,2,0 "
          "1,-2,1,14,1004,504,1004,2,0 1,1,1,14,14,216,418,2,1 1,1,1,216,14,418,418,2,1 1,-4,1,418,14,504,418,2,0 "
          "1,-6,1,14,418,504,418,2,0 1,2,1,14,418,168,718,2,1 1,2,1,168,418,322,718,2,1 1,2,1,322,418,476,718,2,1 "
          "1,-4,1,476,418,504,718,2,0 1,-4,1,14,718,504,1004,2,0 "
          "2,-1,1,0,0,504,1004,1,0 2,-2,1,0,0,14,1004,1,0 2,-2,1,14,0,504,14,1,0 2,-2,1,504,14,504,1004,1,0 "
          "2,-2,1,14,1004,504,1004,1,0 2,1,1,14,14,216,418,1,1 2,3,1,216,14,420,118,1,2 2,-4,1,420,14,504,418,1,0 "
          "2,-4,1,216,118,420,418,1,0 2,-4,1,14,418,504,1004,1,0 2,-3,1,0,0,504,1004,1,0"));

Head sheetJobHead() {
    Head h;
    // Yield: stored rectangles, kerf included: pieces 202x404 x 5 + 154x300 x 6 + 204x104 = 706456
    // of sheets 504x1004 x 3 = 1518048: 0.465371.
    h.yieldAndLayouts = "Overall Yield(%)=46.54\nTotal Layouts=2";
    h.basic = at({{1, "Mat=PB"}, {24, "Grain="}, {38, "Thk=18"}}) +
              at({{1, "Blade=3000"}, {24, "Tol=0"}, {38, "Kerf=4"}, {53, "Min OC=0"}}) + crlf("Note: TEST\n\n");
    // Sheet 1 used by layout 1 twice and layout 2 once. SIDE 2 x 2 + 1 = 5 as ordered; SHELF
    // 3 x 2 = 6 of 4 ordered; RAIL 1 of 2; CLEAT none. The long description runs past column 51:
    // the product starts a new line after 50 blanks.
    h.pieces = at({{1, "400"}, {10, "198"}, {19, "5"}, {27, ""}, {37, "SIDE"}, {51, "CABINET"}, {65, "SMITH"}}) +
               at({{1, "296"}, {10, "150"}, {19, "6"}, {27, "+2"}, {37, "ADJUSTABLE SHELF"}}) +
               at({{51, ""}, {65, ""}}) +
               at({{1, "200"}, {10, "100"}, {19, "1"}, {27, "-1"}, {37, "RAIL"}, {51, ""}, {65, ""}});
    // Sheet 1000 x 500 x 3 = 1500000. Cut-pieces 400x198 x 5 + 296x150 x 6 + 200x100 = 682400.
    // Margins (inner sizes, kerf off): left 10 x 1000, top 486 x 10, on 2 + 1 sheets = 44580.
    // Off-cuts: layout 1 (82x400 + 24x296 + 486x282) x 2 = 353912; layout 2 80x400 + 200x296 +
    // 486x582 = 374052; 727964. Kerf 1500000 - (44580 + 727964 + 682400) = 45056.
    h.percents = {"100.00", "45.49", "2.97", "3.00", "48.53"};
    h.statistics = at({{1, "1"}, {16, "8252.00"}, {34, "14"}}) + at({{1, "2"}, {16, "2960.00"}, {34, "4"}});
    h.totalLength = "11212.00";
    h.totalStrokes = "18";
    return h;
}

// The two layout sections of the sheet job.
std::string sheetJobSections() {
    const char* margins = "10(ML) 10(MT) 0(MR) 0(MB)";
    // Layout 1: 2 x 400x198 + 3 x 296x150 = 291600 of 500000. Cuts per sheet: left margin 1000
    // (its top edge lies on the sheet's far length: no cross cut), top margin 486, each SIDE
    // 400 + 198, the off-cut right of them 82 (on the width: no length cut), each SHELF 296 + 150,
    // the off-cut right of them 24, the last off-cut none: 4126. Strokes: five pieces and three
    // off-cuts, less one: 7. Two margins and three off-cuts: a line of four, a line of one.
    std::string t = section(
        "1/2", "1000 X 500", margins, "2", "58.32", "4126.00    Total: 8252.00", "7    Total: 14",
        at({{1, "400"}, {10, "198"}, {19, "2"}, {28, "SIDE"}, {42, "CABINET"}, {56, "SMITH"}}) +
            at({{1, "296"}, {10, "150"}, {19, "3"}, {28, "ADJUSTABLE SHELF"}}) + at({{42, ""}, {56, ""}}),
        at({{1, "1000"}, {9, "10"}, {18, "10"}, {26, "486"}, {35, "400"}, {43, "82"}, {52, "296"}, {60, "24"}}) +
            at({{1, "282"}, {9, "486"}}));
    // Layout 2: 400x198 + 200x100 = 99200 of 500000. Margins 1000 + 486, SIDE 598, RAIL 100 + 200,
    // off-cut right 80, off-cut under the RAIL 296 + 200, last off-cut none: 2960. Strokes 2
    // pieces + 3 off-cuts - 1.
    const std::string offcuts =
        at({{1, "1000"}, {9, "10"}, {18, "10"}, {26, "486"}, {35, "400"}, {43, "80"}, {52, "296"}, {60, "200"}}) +
        at({{1, "582"}, {9, "486"}});
    return t + section("2/2", "1000 X 500", margins, "1", "19.84", "2960.00    Total: 2960.00", "4    Total: 4",
                       at({{1, "400"}, {10, "198"}, {19, "1"}, {28, "SIDE"}, {42, "CABINET"}, {56, "SMITH"}}) +
                           at({{1, "200"}, {10, "100"}, {19, "1"}, {28, "RAIL"}, {42, ""}, {56, ""}}),
                       offcuts);
}

TEST(Report, SheetModeEveryFigureByHandForEveryReportOption) {
    // Bands in passes: width edge 2 (SHELF 2 oak: (1 + 150) x 6 = 906), width edge 1 (SHELF 2 OAK:
    // 906), length edge 2 (none), length edge 1 (SIDE 2 OAK: (1 + 400) x 5 = 2005 more; CLEAT 1
    // WHT: produced 0 times, an entry of 0). Colours differing in case stay apart.
    const std::string banding =
        crlf("PVC Edge Banding Summary\n\n") + at({{1, "Width"}, {10, "Color"}, {20, "Length"}}) + kDash76 +
        at({{1, " 2 "}, {10, "oak"}, {20, " 906 "}}) + at({{1, " 2 "}, {10, "OAK"}, {20, " 2911 "}}) +
        at({{1, " 1 "}, {10, "WHT"}, {20, " 0 "}}) + "\r\n" + kStars;
    const std::array<std::string, 5> areas = {"1500000.00", "682400.00", "44580.00", "45056.00", "727964.00"};
    // Weight: density 0.5 x thickness 18 = 9 per unit of area.
    const std::array<std::string, 5> weights = {"13500000.00", "6141600.00", "401220.00", "405504.00", "6551676.00"};
    const std::tuple<std::string, float, std::string, std::array<std::string, 5>, std::string> cases[] = {
        // option, density, heading, figures, banding summary. No option, or one the system does not
        // know: empty heading and values, blanks still written.
        {"Area With Edge Banding", 0, "Area", areas, banding},
        {"Weight", 0.5f, "Weight", weights, ""},
        {"Area", 0, "Area", areas, ""},
        {"", 0, "", {}, ""},
        {"AREA", 0, "", {}, ""},
        {"Volume", 0, "", {}, ""}};
    for (const auto& [option, density, heading, figures, bands] : cases) {
        Head h = sheetJobHead();
        h.heading = heading;
        h.figures = figures;
        h.banding = bands;
        h.sheets = at({{1, "1000"}, {10, "500"}, {19, "3"}, {28, "R1"}, {42, figures[0]}});
        const reports::Report report = reports::buildReport(kSheetJob, settings(option, 1, density));
        EXPECT_EQ(report.text, headText(h) + sheetJobSections()) << option;
        EXPECT_EQ(report.sheetsUsed, "\"1000\",\"500\",\"3\",\"R1\"\r\n");
        // Each section's position is where its first line begins; each layout starts at its sheet item.
        EXPECT_EQ(report.sectionPosition,
                  (std::vector<std::size_t>{headText(h).size(), report.text.find("Layout No. 2/2")}));
        EXPECT_EQ(report.layoutStart, (std::vector<std::size_t>{0, 14}));
    }
}

TEST(Report, HeadingsOfTheReportWindow) {
    std::vector<std::string> headings;
    for (const auto& line : splitLines(reports::buildReport(kSheetJob, settings("Area With Edge Banding")).text))
        if (reports::isReportHeading(line)) headings.push_back(line);
    EXPECT_EQ(headings,
              (std::vector<std::string>{"Basic Details", "Sheet(s) Utilization Summary", "Cut-Piece(s) Summary",
                                        "Overall Utitlization Summary", "Cutting Statistics Summary",
                                        "PVC Edge Banding Summary", "Layout No. 1/2", "Layout No. 2/2"}));
    EXPECT_FALSE(reports::isReportHeading("Summary") || reports::isReportHeading(" Layout No. 1/2"));
}

TEST(Report, CoilModeReportsTheCompletedLayouts) {
    // Coil 3000 x 600 with a bottom margin of 10, kerf 2; PLATE 500 x 300 (4), TAB 200 x 100 (2).
    // Layouts 1 and 2 each hold two PLATEs turned, down to y = 604, so each becomes a coil length
    // of 614 (604 + 10); layout 3 holds two TABs down to 202: 212 is shorter than the width, so
    // that layout is turned and its sheet reads 600 x 212. The completed list numbers the layouts
    // from the end: variety 1 is layout 3's.
    auto layout = [](char n, std::string rest) {
        rest =
            "N,-1,1,0,0,602,3002,1,0 N,-2,1,0,0,0,3002,1,0 N,-2,1,0,0,602,0,1,0 N,-2,1,602,0,602,3002,1,0 "
            "N,-2,1,0,2992,602,3002,1,0 " +
            rest;
        std::replace(rest.begin(), rest.end(), 'N', n);
        return rest;
    };
    const std::string plates =
        "N,1,1,0,0,502,302,1,2 N,1,1,0,302,502,604,1,2 N,-4,1,502,0,602,604,1,0 "
        "N,-4,1,0,604,602,2992,1,0";
    const engine::LoadedResult coil = test::resultOf(
        R"("STEEL","","1","1600","0","2","0","")", R"("3000","600","1","0","0","0","10","C1")",
        {R"("500","","","","","300","","","","","4","","PLATE","","","","")",
         R"("200","","","","","100","","","","","2","","TAB","","","","")"},
        items(
            layout('1', plates) + " " + layout('2', plates) + " " +
            layout('3',
                   "N,2,1,0,0,102,202,1,1 N,2,1,102,0,204,202,1,1 N,-4,1,204,0,602,202,1,0 N,-4,1,0,202,602,2992,1,0")),
        StockMode::Coil);
    Head h;
    // Yield from the cut-back sheets: pieces 502x302 x 4 + 202x102 x 2 = 647624 of sheets
    // 602x614 x 2 + 212x602 = 866880: 0.747075.
    h.yieldAndLayouts = "Overall Yield(%)=74.71\nTotal Layouts=3";
    h.basic = at({{1, "Mat=STEEL"}, {24, "Grain="}, {38, "Thk=1"}}) +
              at({{1, "Blade=1600"}, {24, "Tol=0"}, {38, "Kerf=2"}, {53, "Min OC=0"}}) + crlf("Note: \n\n");
    h.heading = "Area";
    // Layout 3's turned sheet first; layouts 1 and 2 cut the same length from C1: one row of 2.
    h.sheets = at({{1, "600"}, {10, "212"}, {19, "1"}, {28, "C1"}, {42, "127200.00"}}) +
               at({{1, "614"}, {10, "600"}, {19, "2"}, {28, "C1"}, {42, "736800.00"}});
    h.pieces = at({{1, "500"}, {10, "300"}, {19, "4"}, {27, ""}, {37, "PLATE"}, {51, ""}, {65, ""}}) +
               at({{1, "200"}, {10, "100"}, {19, "2"}, {27, ""}, {37, "TAB"}, {51, ""}, {65, ""}});
    // Sheet 614x600 x 2 + 600x212 = 864000; pieces 150000 x 4 + 20000 x 2 = 640000. Margins: the
    // bottom margins, now 10 high below the pieces: 600 x 8 three times = 14400. Off-cuts right of
    // the plates 98 x 602 twice, beside the tabs 200 x 396: 197192; the rest of the coil is
    // squeezed flat. Kerf 864000 - (14400 + 197192 + 640000) = 864000 - 851592 = 12408.
    h.percents = {"100.00", "74.07", "1.67", "1.44", "22.82"};
    h.figures = {"864000.00", "640000.00", "14400.00", "12408.00", "197192.00"};
    // Layouts 1 and 2: the bottom margin's cross cut 600, each plate 300 + 500, the off-cut 98;
    // its squeezed neighbour is no cut and no stroke: 2298, strokes 2 + 1 - 1. Layout 3 (turned,
    // 212 wide): the bottom margin 600, each tab 100 + 200, the off-cut 396: 1596.
    h.statistics = at({{1, "1"}, {16, "2298.00"}, {34, "2"}}) + at({{1, "2"}, {16, "2298.00"}, {34, "2"}}) +
                   at({{1, "3"}, {16, "1596.00"}, {34, "2"}});
    h.totalLength = "6192.00";
    h.totalStrokes = "6";
    // Plates: 300000 of 614 x 600; tabs: 40000 of 600 x 212.
    const char* margins = "0(ML) 0(MT) 0(MR) 10(MB)";
    const std::string plate = at({{1, "500"}, {10, "300"}, {19, "2"}, {28, "PLATE"}, {42, ""}, {56, ""}});
    const std::string plateOffcuts = at({{1, "8"}, {9, "600"}, {18, "602"}, {26, "98"}});
    const std::string plateLength = "2298.00    Total: 2298.00";
    const reports::Report report = reports::buildReport(coil, settings("Area"));
    EXPECT_EQ(
        report.text,
        headText(h) +
            section("1/3", "614 X 600", margins, "1", "81.43", plateLength, "2    Total: 2", plate, plateOffcuts) +
            section("2/3", "614 X 600", margins, "1", "81.43", plateLength, "2    Total: 2", plate, plateOffcuts) +
            section("3/3", "600 X 212", margins, "1", "31.45", "1596.00    Total: 1596.00", "2    Total: 2",
                    at({{1, "200"}, {10, "100"}, {19, "2"}, {28, "TAB"}, {42, ""}, {56, ""}}),
                    at({{1, "600"}, {9, "8"}, {18, "396"}, {26, "200"}})));
    EXPECT_EQ(report.sheetsUsed, "\"600\",\"212\",\"1\",\"C1\"\r\n\"614\",\"600\",\"2\",\"C1\"\r\n");
}

// One sheet 100 x 100 (kerf 0) with pieces as given; the cut length and the strokes of layout 1.
std::pair<std::string, std::string> strokesOf(const std::string& quantity, std::string pieces) {
    for (auto pos = pieces.find('Q'); pos != std::string::npos; pos = pieces.find('Q'))
        pieces.replace(pos, 1, quantity);
    const auto result =
        test::resultOf(R"("PB","","18","3000","0","0","0","")", R"("100","100","5","0","0","0","0","")",
                       {R"("50","","","","","40","","","","","9","","P","","","","")"},
                       items("1,-1,1,0,0,100,100," + quantity + ",0" + (pieces.empty() ? "" : " " + pieces)));
    const std::string text = reports::buildReport(result, settings("Area")).text;
    const auto line = text.find("Cutting Length Per Sheet: ") + 26,
               strokes = text.find("No of Strokes Per Sheet: ") + 25;
    return {text.substr(line, text.find('\r', line) - line), text.substr(strokes, text.find('\r', strokes) - strokes)};
}

TEST(Report, CuttingStrokeEdgeCases) {
    const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
        // quantity, pieces (Q the quantity), cutting length, strokes. One piece and no off-cut: no
        // stroke; its far sides lie inside the sheet: 50 + 40 of cuts.
        {"1", "1,1,1,0,0,40,50,Q,1", "90.00    Total: 90.00", "0    Total: 0"},
        // A piece touching the right edge adds no cut along its length; one touching the far
        // length adds no cut across; a piece on both far sides adds nothing.
        {"1", "1,1,1,60,0,100,50,Q,1", "40.00    Total: 40.00", "0    Total: 0"},
        {"1", "1,1,1,0,50,40,100,Q,1", "50.00    Total: 50.00", "0    Total: 0"},
        {"1", "1,1,1,60,50,100,100,Q,1", "0.00    Total: 0.00", "0    Total: 0"},
        // Two pieces on 3 sheets: 1 stroke a sheet, 3 in all; a fractional quantity rounds the
        // total halves to even (2.5 strokes give 2, 3.5 give 4).
        // Each piece has both far sides inside the sheet: 2 x (50 + 40) a sheet.
        {"3", "1,1,1,0,0,40,50,Q,1 1,1,1,40,0,80,50,Q,1", "180.00    Total: 540.00", "1    Total: 3"},
        {"2.5", "1,1,1,0,0,40,50,Q,1 1,1,1,40,0,80,50,Q,1", "180.00    Total: 450.00", "1    Total: 2"},
        {"3.5", "1,1,1,0,0,40,50,Q,1 1,1,1,40,0,80,50,Q,1", "180.00    Total: 630.00", "1    Total: 4"}};
    for (const auto& [quantity, pieces, length, strokes] : cases)
        EXPECT_EQ(strokesOf(quantity, pieces), std::pair(length, strokes)) << pieces << " on " << quantity;
    // An empty layout (no piece) takes -1 strokes a sheet, as counted.
    EXPECT_EQ(strokesOf("2", "").second, "-1    Total: -2");
}

}  // namespace
}  // namespace veltrix
