// Entity lists (kinds, bounding box, moving, mirroring, turning, drawing) and DXF files: reading
// outlines, writing entity lists (every file written is read back by dxflib, an independent
// reader) and the names of the export.
#include "dxf/dxf_reader.h"

#include <cmath>
#include <numbers>
#include <tuple>

#include <gtest/gtest.h>

#include "dxf/draw.h"
#include "dxf/dxf_export.h"
#include "dxf/dxf_writer.h"
#include "dxf/dxflib_reader.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "base/error.h"
#include "base/file_ops.h"
#include "base/workspace.h"

namespace veltrix::dxf {
namespace {

namespace fs = std::filesystem;

// DXF text of lines separated by "|", each ended by CR LF.
std::string dxf(std::string text) {
    for (std::size_t p; (p = text.find('|')) != std::string::npos;) text.replace(p, 1, "\r\n");
    return text + "\r\n";
}

const std::string kLine1 = "  0|LINE|  8|0| 10|10| 20|20| 30|0.0| 11|110| 21|20| 31|0.0|";
const std::string kLine2 = "  0|LINE| 10|110| 20|20| 11|110| 21|70|";
const std::string kRectangle = "  0|VERTEX| 10|0| 20|0|  0|VERTEX| 10|200| 20|0|  0|VERTEX| 10|200| 20|100|  0|VERTEX| 10|0| 20|100|  0|SEQEND";

// What matters of each entity: a line's ends, a circle's centre and radius, an arc's also its angles.
using Shapes = std::vector<std::vector<double>>;
Shapes shapes(const EntityList& list) {
    Shapes out;
    for (const Entity& e : list) {
        if (typeOf(e) == EntityType::Line) out.push_back({e.x1, e.y1, e.x2, e.y2});
        else if (typeOf(e) == EntityType::Circle) out.push_back({e.cx, e.cy, e.r});
        else out.push_back({e.cx, e.cy, e.r, e.a1, e.a2});
    }
    return out;
}

constexpr double kEps = 1e-9;

void expectBox(const BoundingBox& box, double minX, double minY, double maxX, double maxY) {
    EXPECT_NEAR(box.minX, minX, kEps);
    EXPECT_NEAR(box.minY, minY, kEps);
    EXPECT_NEAR(box.maxX, maxX, kEps);
    EXPECT_NEAR(box.maxY, maxY, kEps);
}

TEST(Entities, KindsAndBoundingBoxes) {
    // A radius that is no positive number makes a line; a sweep of a whole turn or more a circle.
    const std::pair<Entity, EntityType> kinds[] = {
        {Entity::line(0, 0, 1, 1), EntityType::Line},         {Entity::arc(0, 0, -5, 0, 90), EntityType::Line},
        {Entity::arc(0, 0, NAN, 0, 90), EntityType::Line},    {Entity::arc(0, 0, 5, 0, 360), EntityType::Circle},
        {Entity::arc(0, 0, 5, 370, 10), EntityType::Circle}, {Entity::arc(0, 0, 5, 0, 90), EntityType::Arc}};
    for (const auto& [e, type] : kinds) EXPECT_EQ(typeOf(e), type) << e.r << " " << e.a1 << " " << e.a2;
    expectBox(boundingBox({}), 999999999, 999999999, -999999999, -999999999);
    expectBox(boundingBox({Entity::line(10, 20, 110, 5), Entity::circle(100, 100, 30)}), 10, 5, 130, 130);
    // 350 to 10 degrees passes the axis point at 0: x from 10 cos 10° to 10, y -/+ 10 sin 10°.
    expectBox(boundingBox({Entity::arc(0, 0, 10, 350, 10)}), 9.84807753012208, -1.73648177666930, 10, 1.73648177666930);
    expectBox(boundingBox({Entity::arc(0, 0, 1, 90, 0)}), -1, -1, 1, 1);  // passes 180 and 270
    expectBox(boundingBox({Entity::arc(0, 0, 1, 0, 90)}), 0, 0, 1, 1);
}

TEST(Entities, MirrorAndTurnInsideTheBoundingBox) {
    // Top becomes bottom (y -> 40 - y); the quarter from 0 to 90 becomes the one from 270 to 360,
    // angles brought into one turn (360 - 400 -> 320, 360 + 30 -> 30), however large.
    EntityList list{Entity::line(0, 0, 0, 40), Entity::arc(50, 30, 10, 0, 90), Entity::arc(0, 0, 1, -30, 400),
            Entity::arc(0, 0, 1, 0, 1e300)};
    mirrorVertically(list);
    list.pop_back();
    EXPECT_EQ(shapes(list), (Shapes{{0, 40, 0, 0}, {50, 10, 10, 270, 360}, {0, 40, 1, 320, 30}}));
    // A quarter turn about the middle (50, 25) of the box (0,0)-(100,50): (x,y) -> (75 - y, x - 25);
    // arc angles grow by 90 (390 reduced to 30).
    list = {Entity::line(0, 0, 100, 0), Entity::line(0, 0, 0, 50), Entity::arc(50, 25, 10, 300, 350)};
    rotate(list, 90);
    const Shapes turned{{75, -25, 75, 75}, {75, -25, 25, -25}, {50, 25, 10, 30, 80}};
    for (std::size_t i = 0; i < turned.size(); ++i)
        for (std::size_t k = 0; k < turned[i].size(); ++k) EXPECT_NEAR(shapes(list)[i][k], turned[i][k], kEps) << i;
}

TEST(DrawEntities, ArcsAsChainsOfStepsOfAQuarterOfTheSweepAtMostTwoDegrees) {
    // Each chain runs from the point at the start angle to the point at the end angle.
    struct Case { Entity e; std::size_t lines; double from, to; };
    for (const Case& c : {Case{Entity::arc(0, 0, 100, 350, 10), 10, 350, 10}, Case{Entity::arc(0, 0, 10, 270, 360), 45, 270, 0},
                          Case{Entity::circle(50, 50, 10), 180, 0, 360}, Case{Entity::arc(0, 0, 10, 0, 4), 4, 0, 4},
                          Case{Entity::arc(0, 0, 10, 0, 0.02), 2, 0, 0.02}}) {
        RecordingSurface s(100, 100);
        draw({c.e}, s, colors::kLightRed);
        const auto lines = s.all<RecordingSurface::Line>();
        ASSERT_EQ(lines.size(), c.lines) << c.e.a1 << " " << c.e.a2;
        const double rad = std::numbers::pi / 180;
        EXPECT_NEAR(lines.front().x1, c.e.cx + c.e.r * std::cos(c.from * rad), 1e-6);
        EXPECT_NEAR(lines.front().y1, c.e.cy + c.e.r * std::sin(c.from * rad), 1e-6);
        EXPECT_NEAR(lines.back().x2, c.e.cx + c.e.r * std::cos(c.to * rad), 1e-6);
        EXPECT_NEAR(lines.back().y2, c.e.cy + c.e.r * std::sin(c.to * rad), 1e-6);
        EXPECT_EQ(lines.back().color, colors::kLightRed);
    }
    RecordingSurface s(100, 100);  // a range of indexes, clipped; lines as they are
    draw({Entity::line(0, 0, 1, 1), Entity::line(2, 2, 3, 3), Entity::line(4, 4, 5, 5)}, 1, 99, s, colors::kBlack);
    const auto lines = s.all<RecordingSurface::Line>();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(std::tie(lines[0].x1, lines[1].y2), std::make_tuple(2.0, 5.0));
}

TEST(DxfReader, EntitiesAreMirroredSoThatYPointsDownAndMovedToTheOrigin) {
    struct Case { const char* name; std::string text; EntityList want; };
    const EntityList open{Entity::line(0, 100, 200, 100), Entity::line(200, 100, 200, 0), Entity::line(200, 0, 0, 0)};
    EntityList closed = open;
    closed.push_back(Entity::line(0, 0, 0, 100));  // back to the first vertex
    const std::vector<Case> cases{
        // Box (10,20)-(110,70): x - 10, and y becomes 70 - y.
        {"lines", dxf("  0|SECTION|  2|ENTITIES|" + kLine1 + kLine2 + "  0|ENDSEC|  0|EOF"),
         {Entity::line(0, 50, 100, 50), Entity::line(100, 50, 100, 0)}},
        {"circle and arc", dxf("  0|CIRCLE|  8|0| 10|100| 20|100| 40|100|  0|ARC| 10|100| 20|100| 40|50| 50|0| 51|90"),
         {Entity::circle(100, 100, 100), Entity::arc(100, 100, 50, 270, 360)}},
        {"closed polyline", dxf("  0|POLYLINE| 66|1| 10|0.0| 20|0.0| 70|1|" + kRectangle), closed},
        {"closed bit among others", dxf("  0|POLYLINE| 70|129|" + kRectangle), closed},
        {"open polyline", dxf("  0|POLYLINE| 70|0|" + kRectangle), open},
        {"flags beyond any whole number", dxf("  0|POLYLINE| 70|1e300|" + kRectangle), open},  // 1e300 is even
        {"odd flags far beyond 32 bits", dxf("  0|POLYLINE| 70|-8589934593|" + kRectangle), closed},
        {"no flags", dxf("  0|POLYLINE|" + kRectangle), open},
        {"zero length and negative radius dropped",
         dxf("  0|LINE| 10|5| 20|5| 11|5| 21|5|  0|LINE| 10|0| 20|0| 11|10| 21|0|  0|CIRCLE| 10|3| 20|3| 40|-2"),
         {Entity::line(0, 0, 10, 0)}},
        {"blocks before the last ENDBLK skipped",
         dxf("  0|BLOCK|" + kLine1 + "  0|ENDBLK|  0|BLOCK|" + kLine2 + "  0|ENDBLK|  0|LINE| 10|0| 20|0| 11|30| 21|0"),
         {Entity::line(0, 0, 30, 0)}},
        {"LF ends and trailing blanks", "  0\nLINE  \n 10 \n1\n 20\n1\n 11\n4\n 21\n5\n  0\nEOF\n", {Entity::line(0, 4, 3, 0)}},
        {"text for a number reads 0", dxf("  0|LINE| 10|abc| 20|0| 11|7| 21|x"), {Entity::line(0, 0, 7, 0)}},
        {"empty", "", {}}};
    for (const Case& c : cases) EXPECT_EQ(shapes(parseOutline(c.text, c.name)), shapes(c.want)) << c.name;
}

TEST(DxfReader, AMissingValueMakesTheOutlineUnusableGarbageNeverCrashes) {
    try {
        parseOutline(dxf("  0|LINE| 10|0| 20|0| 11|5"), "part.dxf");
        FAIL() << "no error";
    } catch (const InputError& e) {
        EXPECT_NE(std::string(e.what()).find("part.dxf"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("\" 21\""), std::string::npos);
    }
    // Group codes need their leading blank: "10" is none, so no value is found.
    EXPECT_THROW(parseOutline(dxf("0|LINE|8|0|10|0|20|0|11|100|21|0|0|EOF"), "t"), InputError);
    EXPECT_THROW(parseOutline(dxf("  0|POLYLINE|  0|VERTEX| 10|0| 20|0"), "p"), InputError);
    EXPECT_THROW(readOutline(fs::path(VELTRIX_TEST_DATA) / "none.dxf"), FileError);
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 7919) % 256));
    try {
        parseOutline(garbage, "garbage");
    } catch (const InputError&) {
        // the reader's own error; anything else fails the test
    }
}

TEST(DxfReader, TheExampleHobPanelWithoutItsTitleBlock) {
    // 720 x 560: four sides and a cut-out, its title block skipped. (The example corner is read
    // and written back below.)
    const EntityList hob = readOutline(fs::path(VELTRIX_EXAMPLES) / "workshop" / "outline-cutout.dxf");
    EXPECT_EQ(boundingBox(hob).width(), 720);
    EXPECT_EQ(boundingBox(hob).height(), 560);
    EXPECT_EQ(shapes(hob).back(), (std::vector<double>{360, 280, 40}));
}

TEST(DxfExport, NamesCarryLayoutAndCountEarlierExportsOfTheNameAreDeletedTheChosenNameKept) {
    EXPECT_EQ(exportBase("/jobs/plan.DXF"), fs::path("/jobs/plan"));
    EXPECT_EQ(exportBase("/jobs/plan"), fs::path("/jobs/plan"));
    EXPECT_EQ(exportBase("/jobs/plan.dwg"), fs::path("/jobs/plan.dwg"));
    test::TempFolder folder;
    for (const char* name : {"plan.dxf", "plan_1-3.dxf", "plan_10-12.DXF", "planets.dxf", "plan_notes.dxf", "plan_1-.dxf",
                             "plan.txt", "Plan_1-3.dxf"})
        folder.write(name, "x");
    folder.write("plan_2-3.dxf", "new");
    // plan.dxf is the name the user chose, maybe a drawing of the user's: the export never made it.
    EXPECT_EQ(deleteEarlierExports(folder / "plan", {folder / "plan_2-3.dxf"}), 2);
    for (const char* gone : {"plan_1-3.dxf", "plan_10-12.DXF"}) EXPECT_FALSE(fileExists(folder / gone)) << gone;
    EXPECT_EQ(folder.read("plan_2-3.dxf"), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 7);
    EXPECT_EQ(deleteEarlierExports(folder / "no/such/plan"), 0);
}

const fs::path kExamples = fs::path(VELTRIX_EXAMPLES) / "workshop";

// What dxflib found: the lines, then the circles, then the arcs, each on layer "0".
Shapes readBack(const fs::path& file) {
    const test::ReadBack back = test::readWithDxflib(file);
    EXPECT_TRUE(back.opened) << file;
    Shapes out;
    for (const auto& l : back.lines) out.push_back({l.x1, l.y1, l.x2, l.y2, static_cast<double>(l.layer == "0")});
    for (const auto& c : back.circles) out.push_back({c.cx, c.cy, c.r, static_cast<double>(c.layer == "0")});
    for (const auto& a : back.arcs) out.push_back({a.cx, a.cy, a.r, a.a1, a.a2, static_cast<double>(a.layer == "0")});
    return out;
}

// A working folder holding the example's DXF templates.
struct TemplateFolder {
    test::TempFolder folder;
    Workspace workspace{folder.path()};
    TemplateFolder() {
        for (const char* name : {kHeaderTemplate, kFooterTemplate}) fs::copy_file(kExamples / name, folder / name);
    }
};

TEST(DxfWriter, AWrittenFileReadsBackInDxflibEntityForEntity) {
    TemplateFolder t;
    // A 600 x 400 rectangle, a circle and an arc across 0 degrees (drawing axes, Y down).
    writeDxf({Entity::line(0, 0, 600, 0), Entity::line(600, 0, 600, 400), Entity::line(600, 400, 0, 400),
              Entity::line(0, 400, 0, 0), Entity::circle(300, 200, 40), Entity::arc(100, 100, 50, 350, 10)},
             t.folder / "plan.dxf", t.workspace);
    // Y flipped inside the box (0..400): 400 - y; the arc from 360 - 10 to 360 - 350.
    EXPECT_EQ(readBack(t.folder / "plan.dxf"),
              (Shapes{{0, 400, 600, 400, 1}, {600, 400, 600, 0, 1}, {600, 0, 0, 0, 1},
                                                {0, 0, 0, 400, 1}, {300, 200, 40, 1}, {100, 300, 50, 350, 10, 1}}));
    const test::ReadBack back = test::readWithDxflib(t.folder / "plan.dxf");
    EXPECT_EQ(back.order, (std::vector<std::string>{"LINE", "LINE", "LINE", "LINE", "CIRCLE", "ARC"}));
    EXPECT_EQ(back.handles, (std::vector<int>{0x50, 0x51, 0x52, 0x53, 0x54, 0x5526}));  // read as hexadecimal
    // The header template verbatim, the footer and one line end at the end.
    const std::string text = readWholeFile(t.folder / "plan.dxf");
    EXPECT_TRUE(text.starts_with(readWholeFile(kExamples / kHeaderTemplate)));
    EXPECT_TRUE(text.ends_with(readWholeFile(kExamples / kFooterTemplate) + "\r\n"));
    EXPECT_EQ(dxfText({}, "HEAD", "FOOT"), "HEAD\r\nFOOT\r\n");  // one group code per line
    EXPECT_EQ(dxfText({}, "HEAD\r\n", "FOOT"), "HEAD\r\nFOOT\r\n");
}

TEST(DxfWriter, AnOutlineWrittenReadsBackThroughBothReaders) {
    TemplateFolder t;
    const EntityList corner = readOutline(kExamples / "outline-corner.dxf");
    writeDxf(corner, t.folder / "corner.dxf", t.workspace);
    EXPECT_EQ(shapes(readOutline(t.folder / "corner.dxf")), shapes(corner));
    const auto back = readBack(t.folder / "corner.dxf");
    ASSERT_EQ(back.size(), 5u);
    EXPECT_EQ(back.back(), (std::vector<double>{550, 350, 50, 0, 90, 1}));  // the rounded corner, Y up again
}

}  // namespace
}  // namespace veltrix::dxf
