#include "layouts/layout_drawing.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include <gtest/gtest.h>

#include "dxf/dxflib_reader.h"
#include "layouts/sample_result.h"
#include "support/temp_folder.h"
#include "table/file_ops.h"
#include "table/workspace.h"

namespace veltrix::layouts {
namespace {

namespace fs = std::filesystem;
using Rec = RecordingSurface;

const fs::path kExamples = fs::path(VELTRIX_EXAMPLES) / "workshop";

// A working folder with the DXF templates, the sample result and its report.
struct Fixture {
    test::TempFolder folder;
    Workspace workspace{folder.path()};
    engine::LoadedResult result = test::sampleResult();
    reports::Report report = test::sampleReport(1);
    Fixture() {
        fs::copy_file(kExamples / "dxf.hd", folder / "dxf.hd");
        fs::copy_file(kExamples / "dxf.ft", folder / "dxf.ft");
    }
    DrawnLayout draw(Surface& s, DisplayOptions options, DrawTarget target = {}) const {
        return LayoutDrawing(workspace, result, report, options).draw(s, 1, target);
    }
};

DisplayOptions withOptions(std::initializer_list<Show> on, int lineWidth = 0) {
    DisplayOptions o;
    for (Show s : on) o.set(s, true);
    o.printLineWidth = lineWidth;
    return o;
}

std::optional<Rec::Text> findText(const Rec& s, const std::string& text) {
    for (const auto& t : s.all<Rec::Text>())
        if (t.text == text) return t;
    return std::nullopt;
}

std::vector<std::string> texts(const Rec& s) {
    std::vector<std::string> all;
    for (const auto& t : s.all<Rec::Text>()) all.push_back(t.text);
    return all;
}

constexpr double kEps = 1e-6;

TEST(PiecePalette, TwentyTwoColoursRepeat) {
    EXPECT_EQ(pieceColor(1), (Rgb{255, 185, 185}));
    EXPECT_EQ(pieceColor(23), (Rgb{255, 185, 185}));
    EXPECT_EQ(pieceColor(0), (Rgb{200, 163, 250}));
    EXPECT_EQ(pieceColor(21), (Rgb{20, 206, 239}));
    EXPECT_EQ(pieceColor(44), (Rgb{200, 163, 250}));
}

TEST(Hatch, FortyFiveDegreeLinesClippedToTheRectangle) {
    Rec s(100, 100);
    s.setScale({0, 0, 100, 100});
    hatch(s, 0, 0, 10, 4, 2, colors::kLightGrey);
    const auto lines = s.all<Rec::Line>();
    ASSERT_EQ(lines.size(), 8u);  // d = 0, 2, ..., 14 = 10 + 4
    // d = 6: from (6,0) towards (0,6), which passes the bottom edge: it ends at (2,4).
    EXPECT_EQ(lines[3].x1, 6);
    EXPECT_EQ(lines[3].y1, 0);
    EXPECT_EQ(lines[3].x2, 2);
    EXPECT_EQ(lines[3].y2, 4);
    // d = 12: (12,0) passes the right edge and slides down it to (10,2); (0,12) ends at (8,4).
    EXPECT_EQ(lines[6].x1, 10);
    EXPECT_EQ(lines[6].y1, 2);
    EXPECT_EQ(lines[6].x2, 8);
    EXPECT_EQ(lines[6].y2, 4);
    for (const auto& l : lines) EXPECT_EQ(l.color, colors::kLightGrey);
}

TEST(LayoutDrawing, ScreenDrawsFillsThenTextsThenOutlines) {
    Fixture f;
    Rec s(1000, 1000);
    f.draw(s, withOptions({Show::PieceDimensions, Show::OffcutBoundaries}));

    // Scale: the larger extent is the sheet's 1204; 1.25 x 1204 = 1505, corner at -150.5.
    ASSERT_GE(s.ops.size(), 3u);
    EXPECT_TRUE(std::holds_alternative<Rec::Clear>(s.ops[0]));
    EXPECT_EQ(std::get<Rec::Scale>(s.ops[1]).scale, (ScaleSpec{-150.5, -150.5, 1505, 1505}));

    // Phases: every filled box and hatch line before the first text, every text before the
    // first outline.
    std::size_t lastFill = 0, firstText = s.ops.size(), lastText = 0, firstOutline = s.ops.size();
    for (std::size_t i = 0; i < s.ops.size(); ++i) {
        if (const auto* b = std::get_if<Rec::Box>(&s.ops[i])) {
            if (b->filled) lastFill = i;
            else firstOutline = std::min(firstOutline, i);
        } else if (std::holds_alternative<Rec::Text>(s.ops[i])) {
            firstText = std::min(firstText, i);
            lastText = i;
        }
    }
    EXPECT_LT(lastFill, firstText);
    EXPECT_LT(lastText, firstOutline);

    // Fills in item order: white sheet, light yellow margin, the pieces in their colours.
    std::vector<Rec::Box> fills;
    for (const auto& b : s.all<Rec::Box>())
        if (b.filled) fills.push_back(b);
    ASSERT_EQ(fills.size(), 5u);
    EXPECT_EQ(fills[0].color, colors::kWhite);
    EXPECT_EQ(fills[1].color, colors::kLightYellow);
    EXPECT_EQ(fills[2].color, (Rgb{255, 185, 185}));
    EXPECT_EQ(fills[3].color, (Rgb{255, 185, 185}));
    EXPECT_EQ(fills[4].color, (Rgb{255, 191, 149}));
    EXPECT_EQ(fills[4].x1, 10);
    EXPECT_EQ(fills[4].y2, 818);

    // The sheet's hatch: step 150.5 / 2 = 75.25 over 1004 + 1204 = 2208: 30 light grey lines.
    int hatchLines = 0;
    for (const auto& l : s.all<Rec::Line>())
        if (l.color == colors::kLightGrey) ++hatchLines;
    EXPECT_EQ(hatchLines, 30);

    // Outlines: sheet, margin, three pieces and (with boundaries on) the off-cut, all black.
    std::vector<Rec::Box> outlines;
    for (const auto& b : s.all<Rec::Box>())
        if (!b.filled) outlines.push_back(b);
    ASSERT_EQ(outlines.size(), 6u);
    for (const auto& b : outlines) EXPECT_EQ(b.color, colors::kBlack);
    EXPECT_EQ(outlines[5].x1, 314);
    EXPECT_EQ(outlines[5].y2, 1204);
}

TEST(LayoutDrawing, PieceSizesWithMarksAndActualSizes) {
    Fixture f;
    Rec s(1000, 1000);
    f.draw(s, withOptions({Show::PieceDimensions, Show::PieceActualDimensions}));
    // Text height: 12 device units per 10 points, font 7, 1505 units over 1000: 12.642; the
    // scale is square, so tw = th.
    const double th = 12.642;
    const auto w400 = findText(s, "400");
    ASSERT_TRUE(w400);
    EXPECT_NEAR(w400->x, 10 + (400 - th) / 2, kEps);  // 203.679
    EXPECT_NEAR(w400->y, 10 + th / 6, kEps);          // 12.107
    EXPECT_EQ(w400->font.name, "Small Fonts");
    EXPECT_EQ(w400->font.size, 7);

    // The second piece is 399.5 wide where the variety is 400: marked, with (400) a line below.
    const auto marked = findText(s, "399.5+");
    ASSERT_TRUE(marked);
    EXPECT_NEAR(marked->x, 414 + (399.5 - th) / 2, kEps);
    const auto actual = findText(s, "(400)");
    ASSERT_TRUE(actual);
    EXPECT_NEAR(actual->x, marked->x, kEps);
    EXPECT_NEAR(actual->y, marked->y + th, kEps);

    // Vertical sizes at the left, halfway down: 600 for both pieces of variety 1, unmarked.
    const auto all = texts(s);
    EXPECT_EQ(std::count(all.begin(), all.end(), "600"), 2);
    const auto h600 = findText(s, "600");
    EXPECT_NEAR(h600->x, 10 + th / 4, kEps);
    EXPECT_NEAR(h600->y, 10 + (600 - th) / 2, kEps);

    // The turned piece of variety 2 (300 x 200): 300 across, 200 down, neither marked.
    EXPECT_TRUE(findText(s, "300"));
    EXPECT_TRUE(findText(s, "200"));
    EXPECT_EQ(std::count(all.begin(), all.end(), "(300)") + std::count(all.begin(), all.end(), "(200)"), 0);
    // Nothing else was asked for: no margin, off-cut, sheet or cut texts.
    EXPECT_EQ(all.size(), 7u);
}

TEST(LayoutDrawing, ActualSizesNeedTheMarkedSizeShown) {
    Fixture f;
    Rec s(1000, 1000);
    f.draw(s, withOptions({Show::PieceActualDimensions}));
    EXPECT_TRUE(texts(s).empty());
}

TEST(LayoutDrawing, MarginOffcutSheetTextsAndDescriptions) {
    Fixture f;
    Rec s(1000, 1000);
    f.draw(s, withOptions({Show::MarginDimensions, Show::OffcutDimensions, Show::SheetDimensions,
                           Show::PieceDescription}));
    const double th = 12.642;
    // The top margin, wider than high: 1004 - kerf across, 10 down.
    const auto across = findText(s, "1000");
    ASSERT_TRUE(across);
    EXPECT_NEAR(across->x, (1000 - th) / 2, kEps);
    const auto down = findText(s, "10");
    ASSERT_TRUE(down);
    EXPECT_NEAR(down->y, (10 - th) / 2, kEps);
    // The off-cut: 686 x 586 net, with th and tw each less 2 x kerf.
    const auto w = findText(s, "686");
    ASSERT_TRUE(w);
    EXPECT_NEAR(w->x, 314 + (686 - (th - 8)) / 2, kEps);
    EXPECT_NEAR(w->y, 614 + (th - 8) / 6, kEps);
    const auto h = findText(s, "586");
    ASSERT_TRUE(h);
    EXPECT_NEAR(h->x, 314 + (th - 8) / 4, kEps);
    EXPECT_NEAR(h->y, 614 + (586 - (th - 8)) / 2, kEps);
    // Sheet sizes in bold: the width above the sheet, the length at the left of the screen.
    std::optional<Rec::Text> sheetWidth, sheetLength;
    for (const auto& t : s.all<Rec::Text>()) {
        if (t.text == "1000" && t.font.bold) sheetWidth = t;
        if (t.text == "1200") sheetLength = t;
    }
    ASSERT_TRUE(sheetWidth);
    EXPECT_NEAR(sheetWidth->y, -150.5 + th, kEps);
    ASSERT_TRUE(sheetLength);
    EXPECT_TRUE(sheetLength->font.bold);
    EXPECT_NEAR(sheetLength->x, -150.5, kEps);
    EXPECT_NEAR(sheetLength->y, (1200 - th) / 2, kEps);
    EXPECT_FALSE(s.font().bold);
    // Descriptions in lower case at the bottom left of each labelled piece.
    const auto d = findText(s, "side panel");
    ASSERT_TRUE(d);
    EXPECT_NEAR(d->x, 10 + th / 4, kEps);
    EXPECT_NEAR(d->y, 10 + 600 - th, kEps);
    EXPECT_TRUE(findText(s, "shelf"));
}

TEST(LayoutDrawing, OnlyFirstInBlockLabelsTheFirstOfARun) {
    Fixture f;
    Rec s(1000, 1000);
    f.draw(s, withOptions({Show::PieceDimensions, Show::OnlyFirstInBlock}));
    EXPECT_FALSE(findText(s, "399.5+"));  // the second of two pieces of variety 1
    EXPECT_TRUE(findText(s, "400"));
    EXPECT_TRUE(findText(s, "300"));

    // Varieties 3, 3, 3, 5, 3: the first 3, the 5 and the last 3 are labelled.
    engine::LoadedResult r;
    r.job.basic.kerf = 0;
    r.job.sheets = {engine::SheetVariety{100, 1000, 1, 0, 0, 0, 0, 0, ""}};
    for (int v = 1; v <= 5; ++v) r.job.cuts.push_back(test::piece(100, 100, "P"));
    r.items = {test::item(1, engine::kSheetItem, 0, 0, 1000, 100)};
    const int kinds[] = {3, 3, 3, 5, 3};
    for (int i = 0; i < 5; ++i)
        r.items.push_back(test::item(1, kinds[i], 100.f * i, 0, 100.f * i + 50 + 10 * i, 100, 1, 1));
    test::indexLayouts(r);
    Rec run(1000, 1000);
    LayoutDrawing(f.workspace, r, f.report, withOptions({Show::PieceDimensions, Show::OnlyFirstInBlock}))
        .draw(run, 1, {});
    // Widths 50, 60, 70, 80, 90 tell the pieces apart (all marked: narrower than 100).
    const auto all = texts(run);
    for (const char* shown : {"50+", "80+", "90+"}) EXPECT_NE(std::find(all.begin(), all.end(), shown), all.end()) << shown;
    for (const char* hidden : {"60+", "70+"}) EXPECT_EQ(std::find(all.begin(), all.end(), hidden), all.end()) << hidden;
}

TEST(LayoutDrawing, ThroughCutsGetStrokesOutsideTheSheetAndTheirPositions) {
    Fixture f;
    Rec s(1000, 1000);
    f.draw(s, withOptions({Show::CutLineDimensions}));
    std::vector<Rec::Line> strokes;
    for (const auto& l : s.all<Rec::Line>())
        if (l.color == colors::kBlack) strokes.push_back(l);
    ASSERT_EQ(strokes.size(), 4u);
    // e = 150.5 / 2 = 75.25 (the same in X on a square scale).
    EXPECT_EQ(strokes[0].x1, -75.25);
    EXPECT_EQ(strokes[0].x2, 0);
    EXPECT_EQ(strokes[0].y1, 614);
    EXPECT_EQ(strokes[1].x1, 1004);
    EXPECT_EQ(strokes[1].x2, 1079.25);
    EXPECT_EQ(strokes[2].x1, 414);
    EXPECT_EQ(strokes[2].y1, -75.25);
    EXPECT_EQ(strokes[2].y2, 0);
    EXPECT_EQ(strokes[3].y1, 614);
    EXPECT_EQ(strokes[3].y2, 689.25);
    const auto horizontal = findText(s, "612");
    ASSERT_TRUE(horizontal);
    EXPECT_NEAR(horizontal->x, 1004 + 75.25 / 4, kEps);
    EXPECT_NEAR(horizontal->y, 614, kEps);
    const auto vertical = findText(s, "412");
    ASSERT_TRUE(vertical);
    EXPECT_NEAR(vertical->x, 414, kEps);
    EXPECT_NEAR(vertical->y, 614 + 75.25 / 4, kEps);
}

TEST(LayoutDrawing, MagnifiedFillsTheWidthWithTheSheet) {
    Fixture f;
    Rec s(1000, 1000);
    f.draw(s, {}, DrawTarget{Target::Screen, true, ""});
    // Width = 1004 + 2 x 150.5 = 1305; left = -150.5 x 1305 / 1505 = -130.5; Y unchanged.
    EXPECT_EQ(std::get<Rec::Scale>(s.ops[1]).scale, (ScaleSpec{-130.5, -150.5, 1305, 1505}));
}

TEST(LayoutDrawing, PrinterPageScalePenHatchAndListing) {
    Fixture f;
    Rec s(2000, 3000);
    f.draw(s, withOptions({Show::PieceDimensions, Show::PrintPieceWithoutColor}, 3),
           DrawTarget{Target::Printer, false, "/jobs/kitchen.opt"});
    // Width 1.5 x 1204 = 1806; height 1806 x 3000 / 2000 = 2709; top -0.05 x 2709; left
    // -0.125 x 2709.
    const ScaleSpec scale = std::get<Rec::Scale>(s.ops[0]).scale;
    EXPECT_NEAR(scale.width, 1806, kEps);
    EXPECT_NEAR(scale.height, 2709, kEps);
    EXPECT_NEAR(scale.top, -135.45, kEps);
    EXPECT_NEAR(scale.left, -338.625, kEps);
    EXPECT_TRUE(s.all<Rec::Clear>().empty());

    // Pieces white on paper; the hatch in dark blue, drawn with the printing pen.
    int darkBlue = 0;
    for (const auto& l : s.all<Rec::Line>())
        if (l.color == colors::kDarkBlue) {
            ++darkBlue;
            EXPECT_EQ(l.penWidth, 3);
        }
    EXPECT_GT(darkBlue, 0);
    for (const auto& b : s.all<Rec::Box>()) {
        if (b.filled) {
            EXPECT_TRUE(b.color == colors::kWhite || b.color == colors::kLightYellow);
        }
    }
    EXPECT_EQ(findText(s, "400")->font.name, "Century Gothic");

    // The listing below the sheet, halfway into the bottom margin: 1204 + 135.45 / 2.
    const auto file = findText(s, "File: kitchen.opt");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->x, 0);
    EXPECT_NEAR(file->y, 1271.725, kEps);
    EXPECT_EQ(file->font, (FontSpec{"Courier New", 9}));
    const auto date = findText(s, "Date: " + dateText());
    ASSERT_TRUE(date);
    // Courier New 9: 12 x 0.9 device units, 2709 units over 3000.
    EXPECT_NEAR(date->y, 1271.725 + 10.8 * 2709 / 3000, kEps);
    const auto head = findText(s, "Layout No. 1/1");
    ASSERT_TRUE(head);
    EXPECT_NEAR(head->y, 1271.725 + 2 * 10.8 * 2709 / 3000, kEps);
    EXPECT_TRUE(s.all<Rec::NewPage>().empty());
}

TEST(LayoutDrawing, ScreenKeepsPieceColoursWithTheWhitePrintOption) {
    Fixture f;
    Rec s(1000, 1000);
    f.draw(s, withOptions({Show::PrintPieceWithoutColor}));
    int coloured = 0;
    for (const auto& b : s.all<Rec::Box>())
        if (b.filled && b.color == pieceColor(1)) ++coloured;
    EXPECT_EQ(coloured, 2);
}

TEST(LayoutDrawing, LongListingContinuesOnANewPage) {
    Fixture f;
    // A section of 400 lines cannot fit below the sheet.
    f.report.text.insert(f.report.sectionPosition[0] + std::string("Layout No. 1/1\r\n").size(),
                         [] {
                             std::string many;
                             for (int i = 0; i < 400; ++i) many += "line " + std::to_string(i) + "\r\n";
                             return many;
                         }());
    Rec s(2000, 3000);
    f.draw(s, {}, DrawTarget{Target::Printer, false, ""});
    EXPECT_EQ(s.all<Rec::NewPage>().size(), 1u);
    const auto last = findText(s, "line 399");
    ASSERT_TRUE(last);
    EXPECT_LT(last->y, -135.45 + 2709);
}

TEST(LayoutDrawing, BlankLinesAtTheEndOfAListingStartNoPage) {
    Fixture f;
    // About 133 lines of 9.7524 fit between 1271.725 and the page's foot at 2573.55: 125 lines of
    // text fit, the 40 blank lines after them do not.
    std::string text;
    for (int i = 0; i < 115; ++i) text += "line " + std::to_string(i) + "\r\n";
    f.report.text.insert(f.report.sectionPosition[0] + std::string("Layout No. 1/1\r\n").size(), text);
    f.report.text.insert(f.report.text.rfind(std::string(76, '*')), std::string(40, '\n'));
    Rec s(2000, 3000);
    f.draw(s, withOptions({Show::OffcutList}), DrawTarget{Target::Printer, false, ""});
    EXPECT_TRUE(findText(s, "586     686"));
    EXPECT_TRUE(s.all<Rec::NewPage>().empty());
}

TEST(LayoutDrawing, GeometryIsFourLinesPerItemPiecesInsetByHalfTheKerf) {
    Fixture f;
    const dxf::EntityList list = LayoutDrawing(f.workspace, f.result, f.report, {}).entities(1);
    ASSERT_EQ(list.size(), 32u);
    // Item 3, the first piece (10,10)-(414,614), inset by 2.
    const dxf::Entity& top = list[8];
    EXPECT_EQ(top.x1, 12);
    EXPECT_EQ(top.y1, 12);
    EXPECT_EQ(top.x2, 412);
    EXPECT_EQ(top.y2, 12);
    EXPECT_EQ(list[9].x2, 412);
    EXPECT_EQ(list[9].y2, 612);
    // The sheet is not inset.
    EXPECT_EQ(list[0].x1, 0);
    EXPECT_EQ(list[1].x2, 1004);
    EXPECT_EQ(list[1].y2, 1204);
}

TEST(LayoutDrawing, PiecesWithAnOutlineAreDrawnByItTurnedToFit) {
    Fixture f;
    fs::copy_file(kExamples / "outline-corner.dxf", f.folder / "corner.dxf");
    f.result.job.cuts[0].dxfFile = "corner.dxf";  // 600 x 400 with a rounded corner
    std::vector<std::string> problems;
    const dxf::EntityList list = LayoutDrawing(f.workspace, f.result, f.report, {}).entities(1, &problems);
    EXPECT_TRUE(problems.empty());
    // Sheet 4 + margin 4 + two outlines of 5 + piece 2: 4 + off-cut 4 + cuts 8.
    ASSERT_EQ(list.size(), 34u);
    // The first piece stands 400 x 600: the outline is turned, placed at (12, 12), and its
    // rounded corner lands 50 inside the far corner (412, 612).
    const dxf::EntityList first(list.begin() + 8, list.begin() + 13);
    const dxf::BoundingBox box = dxf::boundingBox(first);
    EXPECT_NEAR(box.minX, 12, 1e-9);
    EXPECT_NEAR(box.minY, 12, 1e-9);
    EXPECT_NEAR(box.maxX, 412, 1e-9);
    EXPECT_NEAR(box.maxY, 612, 1e-9);
    int arcs = 0;
    for (const dxf::Entity& e : first)
        if (dxf::typeOf(e) == dxf::EntityType::Arc) {
            ++arcs;
            EXPECT_NEAR(e.cx, 362, 1e-9);
            EXPECT_NEAR(e.cy, 562, 1e-9);
        }
    EXPECT_EQ(arcs, 1);
    // The second piece of the variety (399.5 wide) gets the outline too, at (416, 12).
    EXPECT_NEAR(dxf::boundingBox(dxf::EntityList(list.begin() + 13, list.begin() + 18)).minX, 416, 1e-9);
}

TEST(LayoutDrawing, UnusableOrMissingOutlinesFallBackToTheRectangle) {
    Fixture f;
    f.folder.write("bad.dxf", "  0\r\nLINE\r\n 10\r\n5\r\n");
    f.result.job.cuts[0].dxfFile = "bad.dxf";
    f.result.job.cuts[1].dxfFile = "missing.dxf";
    std::vector<std::string> problems;
    const dxf::EntityList list = LayoutDrawing(f.workspace, f.result, f.report, {}).entities(1, &problems);
    EXPECT_EQ(list.size(), 32u);
    ASSERT_EQ(problems.size(), 1u);  // read once for both pieces; a missing file is no error
    EXPECT_NE(problems[0].find("bad.dxf"), std::string::npos);
}

TEST(LayoutDrawing, DxfOutlineOptionDrawsTheGeometryInBlack) {
    Fixture f;
    Rec plain(1000, 1000), outlined(1000, 1000);
    f.draw(plain, {});
    f.draw(outlined, withOptions({Show::DxfOutline}));
    EXPECT_EQ(outlined.all<Rec::Line>().size(), plain.all<Rec::Line>().size() + 32);
    const auto last = std::get<Rec::Line>(outlined.ops.back());
    EXPECT_EQ(last.color, colors::kBlack);
}

TEST(LayoutDrawing, WritesDxfTlfAndTheListing) {
    Fixture f;
    Rec s(1000, 1000);
    const DrawnLayout drawn = f.draw(s, withOptions({Show::OffcutList}));
    EXPECT_TRUE(drawn.problems.empty());
    const test::ReadBack back = test::readWithDxflib(f.folder / "dxf.tlf");
    ASSERT_TRUE(back.opened);
    EXPECT_EQ(back.lines.size(), 32u);
    EXPECT_EQ(f.folder.read("DiaCur.tlf"), drawn.listing);
    EXPECT_EQ(drawn.listing.substr(0, 16), "Layout No. 1/1\r\n");
}

TEST(LayoutDrawing, MissingTemplatesAreReportedAndTheDrawingGoesOn) {
    test::TempFolder folder;
    const Workspace workspace(folder.path());
    const auto result = test::sampleResult();
    const auto report = test::sampleReport(1);
    Rec s(1000, 1000);
    const DrawnLayout drawn = LayoutDrawing(workspace, result, report, {}).draw(s, 1, {});
    ASSERT_EQ(drawn.problems.size(), 1u);
    EXPECT_NE(drawn.problems[0].find("dxf.hd"), std::string::npos);
    EXPECT_FALSE(fileExists(folder / "dxf.tlf"));
    EXPECT_TRUE(fileExists(folder / "DiaCur.tlf"));
    EXPECT_THROW(LayoutDrawing(workspace, result, report, {}).draw(s, 2, {}), std::out_of_range);
}

TEST(Listing, SectionLinesWithBasicDetailsUpToTheSeparator) {
    Fixture f;
    const std::string listing =
        LayoutDrawing(f.workspace, f.result, f.report, withOptions({Show::BasicDetailsList, Show::OffcutList}))
            .listing(1);
    const std::string expected =
        "Layout No. 1/1\r\n"
        "\r\n"
        "Basic Details\r\n"
        "Mat=MEL OAK            Grain=YES     Thk=18\r\n"
        "Blade=3100             Tol=0.5       Kerf=4         Min OC=50\r\n"
        "Note: TEST JOB\r\n"
        "\r\n"
        "Sheet(s) Used\r\n"
        "Size    : 1200 X 1000\r\n"
        "Quantity: 1\r\n"
        "\r\n"
        "OffCut Generated\r\n"
        "Length  Width    Length  Width    Length  Width    Length  Width\r\n"
        "586     686\r\n"
        "\r\n";
    EXPECT_EQ(listing, expected);
}

TEST(Listing, WithoutTheOffcutListItEndsBeforeOffcutGenerated) {
    Fixture f;
    const std::string listing = LayoutDrawing(f.workspace, f.result, f.report, {}).listing(1);
    EXPECT_EQ(listing, "Layout No. 1/1\r\n\r\nSheet(s) Used\r\nSize    : 1200 X 1000\r\nQuantity: 1\r\n\r\n");
    // A layout without a recorded section has an empty listing.
    EXPECT_EQ(LayoutDrawing(f.workspace, f.result, reports::Report{}, {}).listing(1), "");
}

TEST(Listing, EachLayoutStartsAtItsOwnSection) {
    Fixture f;
    f.report = test::sampleReport(3);
    const std::string second = LayoutDrawing(f.workspace, f.result, f.report, {}).listing(2);
    EXPECT_EQ(second.substr(0, 16), "Layout No. 2/3\r\n");
    EXPECT_EQ(second.find("Layout No. 3/3"), std::string::npos);
}

}  // namespace
}  // namespace veltrix::layouts
