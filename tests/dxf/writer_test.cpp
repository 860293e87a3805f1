#include "dxf/dxf_writer.h"

#include <string>

#include <gtest/gtest.h>

#include "dxf/dxf_reader.h"
#include "dxf/dxflib_reader.h"
#include "support/temp_folder.h"
#include "table/error.h"
#include "table/file_ops.h"
#include "table/workspace.h"

namespace veltrix::dxf {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(VELTRIX_EXAMPLES) / "workshop";

// A working folder holding the example's DXF templates.
struct TemplateFolder {
    test::TempFolder folder;
    Workspace workspace{folder.path()};
    TemplateFolder() {
        fs::copy_file(kExamples / kHeaderTemplate, folder / kHeaderTemplate);
        fs::copy_file(kExamples / kFooterTemplate, folder / kFooterTemplate);
    }
};

TEST(DxfWriter, LinesGetHandlesFromFiftyAndYUp) {
    // Box (0,0)-(100,50): mirrored inside it, y becomes 50 - y.
    const std::string text = entitiesText({Entity::line(0, 0, 100, 0), Entity::line(100, 0, 100, 50),
                                           Entity::line(100, 50, 0.5, 50)});
    const std::string expected =
        " 0\r\nLINE\r\n 5\r\n50\r\n 8\r\n0\r\n 10\r\n0\r\n 20\r\n50\r\n 11\r\n100\r\n 21\r\n50\r\n"
        " 0\r\nLINE\r\n 5\r\n51\r\n 8\r\n0\r\n 10\r\n100\r\n 20\r\n50\r\n 11\r\n100\r\n 21\r\n0\r\n"
        " 0\r\nLINE\r\n 5\r\n52\r\n 8\r\n0\r\n 10\r\n100\r\n 20\r\n0\r\n 11\r\n0.5\r\n 21\r\n0\r\n";
    EXPECT_EQ(text, expected);
}

TEST(DxfWriter, ArcHandlesCarryTwentySixAndAnglesTurnAround) {
    const std::string text = entitiesText({Entity::line(0, 0, 20, 0), Entity::arc(0, 0, 20, 0, 90)});
    // The arc is the second entity: handle 51 written as 5126. Its quarter from 0 to 90 becomes
    // the one from 270 to 360, its centre (0,0) in a box (0,0)-(20,20) moves to (0,20).
    const std::string arc =
        " 0\r\nARC\r\n 5\r\n5126\r\n 8\r\n0\r\n 10\r\n0\r\n 20\r\n20\r\n 40\r\n20\r\n 50\r\n270\r\n 51\r\n360\r\n";
    ASSERT_GE(text.size(), arc.size());
    EXPECT_EQ(text.substr(text.size() - arc.size()), arc);
}

TEST(DxfWriter, WholeTurnIsACircle) {
    const std::string text = entitiesText({Entity::arc(10, 10, 5, 0, 360)});
    EXPECT_EQ(text, " 0\r\nCIRCLE\r\n 5\r\n50\r\n 8\r\n0\r\n 10\r\n5\r\n 20\r\n5\r\n 40\r\n5\r\n");
}

TEST(DxfWriter, EmptyListWritesOnlyTheTemplates) {
    EXPECT_EQ(entitiesText({}), "");
    EXPECT_EQ(dxfText({}, "HEAD\r\n", "FOOT"), "HEAD\r\nFOOT\r\n");
    // A header whose last line lacks its line end still gives one group code per line.
    EXPECT_EQ(dxfText({}, "HEAD", "FOOT"), "HEAD\r\nFOOT\r\n");
}

TEST(DxfWriter, FileReadsBackInDxflibWithEntitiesAndHandles) {
    TemplateFolder t;
    // A 600 x 400 rectangle, a circle and an arc across 0 degrees (drawing axes, Y down).
    const EntityList list{Entity::line(0, 0, 600, 0),      Entity::line(600, 0, 600, 400),
                          Entity::line(600, 400, 0, 400),  Entity::line(0, 400, 0, 0),
                          Entity::circle(300, 200, 40),    Entity::arc(100, 100, 50, 350, 10)};
    const fs::path out = t.folder / "plan.dxf";
    writeDxf(list, out, t.workspace);

    const test::ReadBack back = test::readWithDxflib(out);
    ASSERT_TRUE(back.opened);
    ASSERT_EQ(back.lines.size(), 4u);
    ASSERT_EQ(back.circles.size(), 1u);
    ASSERT_EQ(back.arcs.size(), 1u);
    EXPECT_EQ(back.order, (std::vector<std::string>{"LINE", "LINE", "LINE", "LINE", "CIRCLE", "ARC"}));
    // Y flipped inside the box (0..400): 400 - y.
    EXPECT_DOUBLE_EQ(back.lines[0].y1, 400);
    EXPECT_DOUBLE_EQ(back.lines[1].x1, 600);
    EXPECT_DOUBLE_EQ(back.lines[1].y1, 400);
    EXPECT_DOUBLE_EQ(back.lines[1].y2, 0);
    EXPECT_DOUBLE_EQ(back.circles[0].cx, 300);
    EXPECT_DOUBLE_EQ(back.circles[0].cy, 200);
    EXPECT_DOUBLE_EQ(back.circles[0].r, 40);
    EXPECT_DOUBLE_EQ(back.arcs[0].cy, 300);
    // 350..10 mirrored: 360 - 10 = 350 .. 360 - 350 = 10.
    EXPECT_DOUBLE_EQ(back.arcs[0].a1, 350);
    EXPECT_DOUBLE_EQ(back.arcs[0].a2, 10);
    for (const auto& l : back.lines) EXPECT_EQ(l.layer, "0");
    // dxflib reads handles as hexadecimal: "50".."54" and the arc's "5526".
    EXPECT_EQ(back.handles, (std::vector<int>{0x50, 0x51, 0x52, 0x53, 0x54, 0x5526}));
}

TEST(DxfWriter, FileIsHeaderEntitiesAndFooterInPairs) {
    TemplateFolder t;
    const fs::path out = t.folder / "one.dxf";
    writeDxf({Entity::line(0, 0, 10, 0)}, out, t.workspace);
    const std::string text = readWholeFile(out);
    const std::string header = readWholeFile(kExamples / kHeaderTemplate);
    ASSERT_EQ(text.substr(0, header.size()), header);
    // Every line is a group code or its value: the pairs run from SECTION to EOF.
    const auto pairs = test::dxfPairs(text);
    ASSERT_FALSE(pairs.empty());
    EXPECT_EQ(pairs.front(), (std::pair<int, std::string>{0, "SECTION"}));
    EXPECT_EQ(pairs.back(), (std::pair<int, std::string>{0, "EOF"}));
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    // The example header declares AutoCAD R12.
    bool r12 = false;
    for (std::size_t i = 0; i + 1 < pairs.size(); ++i)
        if (pairs[i].second == "$ACADVER") r12 = pairs[i + 1].second == "AC1009";
    EXPECT_TRUE(r12);
}

TEST(DxfWriter, WrittenFilesReadBackThroughTheOutlineReader) {
    TemplateFolder t;
    const EntityList corner = readOutline(kExamples / "outline-corner.dxf");
    const fs::path out = t.folder / "corner.dxf";
    writeDxf(corner, out, t.workspace);
    const EntityList again = readOutline(out);
    ASSERT_EQ(again.size(), corner.size());
    for (std::size_t i = 0; i < corner.size(); ++i) {
        EXPECT_NEAR(again[i].x1, corner[i].x1, 1e-9);
        EXPECT_NEAR(again[i].y1, corner[i].y1, 1e-9);
        EXPECT_NEAR(again[i].x2, corner[i].x2, 1e-9);
        EXPECT_NEAR(again[i].y2, corner[i].y2, 1e-9);
        EXPECT_NEAR(again[i].cx, corner[i].cx, 1e-9);
        EXPECT_NEAR(again[i].cy, corner[i].cy, 1e-9);
        EXPECT_EQ(again[i].a1, corner[i].a1);
        EXPECT_EQ(again[i].a2, corner[i].a2);
    }
}

TEST(DxfWriter, MissingTemplateFailsAndKeepsTheOldFile) {
    test::TempFolder folder;
    const fs::path out = folder.write("old.dxf", "OLD");
    EXPECT_THROW(writeDxf({Entity::line(0, 0, 1, 1)}, out, Workspace(folder.path())), FileError);
    EXPECT_EQ(folder.read("old.dxf"), "OLD");
}

}  // namespace
}  // namespace veltrix::dxf
