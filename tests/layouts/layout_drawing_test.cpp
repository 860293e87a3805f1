// The drawing of a layout, compared operation by operation with golden files.
//
// Each case below draws layout 1 of a project of tests/data/layouts (see sample_result.h) on a
// RecordingSurface (every character 6 device units wide, a text 12 high at font size 10) and
// writes what was drawn as text, one operation a line: its kind, its coordinates rounded to 3
// decimals, its colour, then pen width, or font and text (see `recorded`).
// tests/data/layouts/drawing/<case>.txt must hold exactly that text. The printed date is written
// as "dd-mm-yyyy" when it is today's date in that form.
//
// How the goldens were made: the earlier tests of this file, which recomputed positions with the
// drawing's own formulas, were run against the code first and passed; the goldens were then written
// by the code, and every file was checked by hand against the drawing rules, at least a dozen
// operations each: the scale (1.25 x the sheet's larger extent on screen with the sheet a tenth in;
// 1.5 x on the printer with the page's proportions; magnified, the sheet's width with its margins
// across the target), the fill colours (sheet white, margins light yellow, pieces palette[variety
// mod 22], white on paper with "Print Cut-Piece Without Color"), the hatch (step |top| / 2, ends
// clipped to the sheet), the sizes display-rounded with "+" and "(actual)" marks at
// X1 + (w - tw)/2, Y1 + th/6 and X1 + tw/4, Y1 + (h - th)/2, the off-cut texts with th and tw less
// twice the kerf, the sheet sizes in bold, the through-cut strokes outside the sheet with
// c - kerf/2 beside them, the outlines in black, the marked item in light red, and the listing
// under the sheet in Courier New 9 from halfway into the bottom margin, going on at the top of a
// new page.
//
// After a deliberate change of the drawing, rewrite the goldens with
//     VELTRIX_UPDATE_GOLDEN=1 BUILD/tests/layouts/layouts_tests --gtest_filter='*LayoutDrawingGolden*'
// and review the diff of tests/data/layouts/drawing/ operation by operation before committing it.

#include "layouts/layout_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "layouts/layout_editing.h"
#include "layouts/sample_result.h"
#include "support/fakes.h"
#include "base/workspace.h"

namespace veltrix::layouts {
namespace {

namespace fs = std::filesystem;
using Rec = RecordingSurface;

template <class... Args>
std::string format(const char* pattern, Args... args) {
    char buf[512];
    std::snprintf(buf, sizeof buf, pattern, args...);
    return buf;
}

// The operations as text, one a line.
std::string recorded(const Rec& s) {
    char date[32];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    std::strftime(date, sizeof date, "Date: %d-%m-%Y", localtime_r(&now, &local));
    std::string out;
    auto rgb = [](Rgb c) { return format("#%02x%02x%02x", c.r, c.g, c.b); };
    for (const Rec::Op& op : s.ops) {
        if (const auto* l = std::get_if<Rec::Line>(&op))
            out += format("line %.3f %.3f %.3f %.3f %s pen %d", l->x1, l->y1, l->x2, l->y2, rgb(l->color).c_str(),
                          l->penWidth);
        else if (const auto* b = std::get_if<Rec::Box>(&op))
            out += format("%s %.3f %.3f %.3f %.3f %s", b->filled ? "fill" : "box", b->x1, b->y1, b->x2, b->y2,
                          rgb(b->color).c_str());
        else if (const auto* c = std::get_if<Rec::Circle>(&op))
            out += format("circle %.3f %.3f %.3f %s", c->cx, c->cy, c->r, rgb(c->color).c_str());
        else if (const auto* t = std::get_if<Rec::Text>(&op))
            out += format("text %.3f %.3f %s %s %.3f%s \"%s\"", t->x, t->y, rgb(t->color).c_str(), t->font.name.c_str(),
                          t->font.size, t->font.bold ? " bold" : "",
                          t->text == date ? "Date: dd-mm-yyyy" : t->text.c_str());
        else if (const auto* sc = std::get_if<Rec::Scale>(&op))
            out +=
                format("scale %.3f %.3f %.3f %.3f", sc->scale.left, sc->scale.top, sc->scale.width, sc->scale.height);
        else
            out += std::holds_alternative<Rec::Clear>(op) ? "clear" : "page";
        out += "\n";
    }
    for (auto p = out.find(" -0.000"); p != std::string::npos; p = out.find(" -0.000")) out.erase(p + 1, 1);
    return out;
}

DisplayOptions withOptions(std::initializer_list<Show> on, int lineWidth = 0) {
    DisplayOptions o;
    for (Show s : on) o.set(s, true);
    o.printLineWidth = lineWidth;
    return o;
}

struct GoldenCase {
    const char *name, *project;
    DrawTarget target;
    double deviceWidth, deviceHeight;
    DisplayOptions options;
};

const GoldenCase kGoldenCases[] = {
    // Nothing but fills, hatch and outlines; then the turned piece marked as under the pointer.
    {"sheet-screen-plain", "sample.opt", {}, 1000, 1000, {}},
    {"sheet-screen-texts", "sample.opt", {}, 1000, 1000,
     withOptions({Show::SheetDimensions, Show::MarginDimensions, Show::PieceDimensions, Show::PieceActualDimensions,
                  Show::PieceDescription, Show::OffcutDimensions, Show::OffcutBoundaries, Show::CutLineDimensions,
                  Show::PrintPieceWithoutColor})},
    {"sheet-magnified", "sample.opt", {Target::Screen, true, ""}, 1000, 1000,
     withOptions({Show::OnlyFirstInBlock, Show::PieceDimensions, Show::DxfOutline})},
    // A landscape page: eight lines of the listing fit under the sheet; the blank line after them
    // starts no page, the next text line starts one.
    {"sheet-printer", "sample.opt", {Target::Printer, false, "/jobs/kitchen.opt"}, 2000, 1540,
     withOptions({Show::SheetDimensions, Show::PieceDimensions, Show::PrintPieceWithoutColor, Show::BasicDetailsList,
                  Show::OffcutList},
                 3)},
    // Without a file name and the off-cut list; the listing's sixth line just passes the page's foot.
    {"sheet-printer-texts", "sample.opt", {Target::Printer, false, ""}, 2000, 1505,
     withOptions({Show::MarginDimensions, Show::OffcutDimensions, Show::OffcutBoundaries, Show::CutLineDimensions,
                  Show::PieceDescription, Show::BasicDetailsList})},
    {"coil-screen", "coil-two-layouts.dcm", {}, 1000, 1000,
     withOptions({Show::SheetDimensions, Show::MarginDimensions, Show::PieceDimensions, Show::OffcutDimensions,
                  Show::OffcutBoundaries, Show::CutLineDimensions})},
    // A coil cut back to 5432 long and 1254 wide on A4: 1.5 x 1254 across the page, each page
    // showing 0.8 of the page's height (2128.5) of its length, so three pages; each masks what lies
    // beyond its part and names it beside the coil with a bar of 500; the listing follows the last.
    {"coil-printer-parts", "long-coil.dcm", {Target::Printer, false, ""}, 2480, 3508,
     withOptions({Show::SheetDimensions, Show::PieceDimensions, Show::CutLineDimensions}, 1)},
    // Only the first 3, the 5 and the last 3 of the run 3, 3, 3, 5, 3 are labelled; then a width of
    // 1234.56789, display-rounded to 1234.56.
    {"runs-first-in-block", "runs.opt", {}, 1000, 1000, withOptions({Show::PieceDimensions, Show::OnlyFirstInBlock})},
};

class LayoutDrawingGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(LayoutDrawingGolden, OperationsMatchTheGoldenFile) {
    const GoldenCase& c = GetParam();
    test::TempFolder folder;
    const Workspace workspace(folder.path());
    const engine::LoadedResult result = test::loadProject(c.project);
    const reports::Report report = test::sampleReport(result.layoutCount());
    Rec surface(c.deviceWidth, c.deviceHeight);
    const LayoutDrawing drawing(workspace, result, report, c.options);
    EXPECT_TRUE(drawing.draw(surface, 1, c.target).problems.empty());
    if (c.options == DisplayOptions{}) markItem(surface, result, 4);
    EXPECT_THROW(drawing.draw(surface, result.layoutCount() + 1, c.target), std::out_of_range);

    const fs::path golden = test::dataFile(std::string("layouts/drawing/") + c.name + ".txt");
    const char* update = std::getenv("VELTRIX_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") test::writeFile(golden, recorded(surface));
    EXPECT_EQ(recorded(surface), test::readFile(golden)) << golden;
}

INSTANTIATE_TEST_SUITE_P(Cases, LayoutDrawingGolden, ::testing::ValuesIn(kGoldenCases), [](const auto& info) {
    std::string name = info.param.name;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

TEST(LayoutDrawing, PaletteOfTwentyTwoColoursByVarietyNumber) {
    const std::pair<int, Rgb> cases[] = {{1, {255, 185, 185}}, {23, {255, 185, 185}}, {0, {200, 163, 250}},
                                         {21, {20, 206, 239}}, {44, {200, 163, 250}}, {13, {255, 183, 216}}};
    for (const auto& [number, rgb] : cases) EXPECT_EQ(pieceColor(number), rgb) << number;
}

// The hatch of a 10 x 20 rectangle in steps of 5: (10 + 20) / 5 + 1 lines; one that would take
// more lines than a drawing can show, or a step that is no number, draws none (and ends at once).
TEST(LayoutDrawing, HatchLinesAreCountedAndAbsurdRectanglesLeftPlain) {
    for (const auto& [x2, y2, step, lines] : std::vector<std::tuple<double, double, double, std::size_t>>{
             {10, 20, 5, 7}, {3e38, 3e38, 1, 0}, {1e300, 1e300, 1e-300, 0}, {10, 20, 0, 0}, {10, 20, -5, 0}}) {
        Rec s(100, 100);
        hatch(s, 0, 0, x2, y2, step, colors::kLightGrey);
        EXPECT_EQ(s.all<Rec::Line>().size(), lines) << x2 << " " << step;
    }
}

TEST(LayoutDrawing, ListingIsTheLayoutsSectionUpToTheOffcutsUnlessListed) {
    test::TempFolder folder;
    const Workspace workspace(folder.path());
    const engine::LoadedResult result = test::loadProject("sample.opt");
    const reports::Report report = test::sampleReport(3);
    EXPECT_EQ(LayoutDrawing(workspace, result, report, {}).listing(2),
              "Layout No. 2/3\r\n\r\nSheet(s) Used\r\nSize    : 1200 X 1000\r\nQuantity: 1\r\n\r\n");
    EXPECT_EQ(LayoutDrawing(workspace, result, reports::Report{}, {}).listing(1), "");
}

// Under "Part No." each cut-piece of the layout with the numbers of its parts in item order:
// runs.opt holds varieties 3, 3, 3, 5, 3 and 1, so 3 is on parts 1 to 3 and 5.
TEST(LayoutDrawing, TheListingNamesEachPieceByThePartNumbersOfTheDrawing) {
    test::TempFolder folder;
    const Workspace workspace(folder.path());
    const engine::LoadedResult result = test::loadProject("runs.opt");
    const auto description = [&](int variety) { return result.job.cuts.at(variety - 1).description; };
    const std::string parts = "Quantity: 1\r\n\r\nPart No.  Length   Width    Description\r\n1-3, 5    100      100      " +
                              description(3) + "\r\n4         100      100      " + description(5) +
                              "\r\n6         100      100      " + description(1) + "\r\n";
    const std::string listing = LayoutDrawing(workspace, result, test::sampleReport(1), {}).listing(1);
    ASSERT_GE(listing.size(), parts.size());
    EXPECT_EQ(listing.substr(listing.size() - parts.size()), parts);
}

TEST(LayoutDrawing, OutlinesAreTurnedToFitAndUnusableOnesLeaveTheRectangle) {
    test::TempFolder folder;
    const Workspace workspace(folder.path());
    engine::LoadedResult result = test::loadProject("sample.opt");
    fs::copy_file(fs::path(VELTRIX_EXAMPLES) / "workshop/outline-corner.dxf", folder / "corner.dxf");
    result.job.cuts[0].dxfFile = "corner.dxf";  // 600 x 400 with a rounded corner of radius 50
    std::vector<std::string> problems;
    const dxf::EntityList list = LayoutDrawing(workspace, result, reports::Report{}, {}).entities(1, &problems);
    EXPECT_TRUE(problems.empty());
    // Sheet 4 + margin 4 + two outlines of 5 + piece 2: 4 + off-cut 4 + cuts 8. The first piece
    // stands 400 x 600: the outline is turned and placed inset by half the kerf, (12,12)-(412,612),
    // its rounded corner in the far corner; the second piece (399.5 wide) gets it at (416,12).
    ASSERT_EQ(list.size(), 34u);
    const dxf::BoundingBox box = dxf::boundingBox(dxf::EntityList(list.begin() + 8, list.begin() + 13));
    for (const auto& [got, want] : {std::pair{box.minX, 12.0}, {box.minY, 12.0}, {box.maxX, 412.0}, {box.maxY, 612.0}})
        EXPECT_NEAR(got, want, 1e-9);
    const auto arc = std::find_if(list.begin() + 8, list.begin() + 13,
                                  [](const dxf::Entity& e) { return dxf::typeOf(e) == dxf::EntityType::Arc; });
    ASSERT_NE(arc, list.begin() + 13);
    EXPECT_NEAR(arc->cx, 362, 1e-9);
    EXPECT_NEAR(arc->cy, 562, 1e-9);
    EXPECT_NEAR(dxf::boundingBox(dxf::EntityList(list.begin() + 13, list.begin() + 18)).minX, 416, 1e-9);

    // An unusable outline is reported once for both pieces; a missing file is no error.
    folder.write("bad.dxf", "  0\r\nLINE\r\n 10\r\n5\r\n");
    result.job.cuts[0].dxfFile = "bad.dxf";
    result.job.cuts[1].dxfFile = "missing.dxf";
    problems.clear();
    EXPECT_EQ(LayoutDrawing(workspace, result, reports::Report{}, {}).entities(1, &problems).size(), 32u);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("bad.dxf"), std::string::npos);
}

}  // namespace
}  // namespace veltrix::layouts
