#include "dxf/dxf_reader.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "table/error.h"

namespace veltrix::dxf {
namespace {

// Builds DXF text from code/value pairs, one per line, CR LF line ends.
std::string dxf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    return text;
}

std::vector<std::string> lineEntity(const char* x1, const char* y1, const char* x2, const char* y2) {
    return {"  0", "LINE", "  8", "0", " 10", x1, " 20", y1, " 30", "0.0", " 11", x2, " 21", y2, " 31", "0.0"};
}

std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

std::vector<std::string> polyline(bool withFlags, const char* flags) {
    std::vector<std::string> p{"  0", "POLYLINE", "  8", "0", " 66", "1", " 10", "0.0", " 20", "0.0"};
    if (withFlags) p.insert(p.end(), {" 70", flags});
    const char* pts[4][2] = {{"0", "0"}, {"200", "0"}, {"200", "100"}, {"0", "100"}};
    for (auto& pt : pts) p.insert(p.end(), {"  0", "VERTEX", "  8", "0", " 10", pt[0], " 20", pt[1], " 70", "0"});
    p.insert(p.end(), {"  0", "SEQEND"});
    return p;
}

TEST(DxfReader, LinesAreMirroredSoThatYPointsDown) {
    // Two lines in DXF axes (Y up) whose box is (10,20)-(110,70): after reading the box starts
    // at (0,0) and y becomes 50 - (y - 20).
    const EntityList list = parseOutline(
        dxf(join({{"  0", "SECTION", "  2", "ENTITIES"}, lineEntity("10", "20", "110", "20"),
                  lineEntity("110", "20", "110", "70"), {"  0", "ENDSEC", "  0", "EOF"}})),
        "test");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].x1, 0);
    EXPECT_EQ(list[0].y1, 50);
    EXPECT_EQ(list[0].x2, 100);
    EXPECT_EQ(list[0].y2, 50);
    EXPECT_EQ(list[1].x1, 100);
    EXPECT_EQ(list[1].y1, 50);
    EXPECT_EQ(list[1].y2, 0);
}

TEST(DxfReader, ArcsAndCirclesTakeCentreRadiusAndAngles) {
    const EntityList list = parseOutline(
        dxf({"  0", "CIRCLE", "  8", "0", " 10", "100", " 20", "100", " 40", "100", "  0", "ARC", "  8", "0", " 10",
             "100", " 20", "100", " 40", "50", " 50", "0", " 51", "90", "  0", "EOF"}),
        "test");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(typeOf(list[0]), EntityType::Circle);
    EXPECT_EQ(list[0].cx, 100);
    EXPECT_EQ(list[0].cy, 100);
    EXPECT_EQ(list[0].r, 100);
    EXPECT_EQ(typeOf(list[1]), EntityType::Arc);
    EXPECT_EQ(list[1].r, 50);
    // The quarter from 0 to 90 in DXF axes is the one from 270 to 360 with Y pointing down.
    EXPECT_EQ(list[1].a1, 270);
    EXPECT_EQ(list[1].a2, 360);
}

TEST(DxfReader, ClosedPolylineGivesFourLinesOpenOneThree) {
    const EntityList closed = parseOutline(dxf(join({polyline(true, "1"), {"  0", "EOF"}})), "closed");
    ASSERT_EQ(closed.size(), 4u);
    // The fourth line runs from the last vertex back to the first: (0,100) -> (0,0) in DXF
    // axes, (0,0) -> (0,100) once Y points down.
    EXPECT_EQ(closed[3].x1, 0);
    EXPECT_EQ(closed[3].y1, 0);
    EXPECT_EQ(closed[3].x2, 0);
    EXPECT_EQ(closed[3].y2, 100);

    EXPECT_EQ(parseOutline(dxf(join({polyline(false, ""), {"  0", "EOF"}})), "open").size(), 3u);
    // Flags 0 say "open" explicitly (as many programs write them).
    EXPECT_EQ(parseOutline(dxf(join({polyline(true, "0"), {"  0", "EOF"}})), "open").size(), 3u);
    // Other flag bits with the closed bit set still close it.
    EXPECT_EQ(parseOutline(dxf(join({polyline(true, "129"), {"  0", "EOF"}})), "closed").size(), 4u);
}

TEST(DxfReader, ZeroLengthLinesAndNegativeRadiiAreDropped) {
    const EntityList list = parseOutline(
        dxf(join({lineEntity("5", "5", "5", "5"), lineEntity("0", "0", "10", "0"),
                  {"  0", "CIRCLE", " 10", "3", " 20", "3", " 40", "-2", "  0", "EOF"}})),
        "test");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].x2, 10);
}

TEST(DxfReader, BlockDefinitionsBeforeTheLastEndblkAreSkipped) {
    const EntityList list = parseOutline(
        dxf(join({{"  0", "SECTION", "  2", "BLOCKS", "  0", "BLOCK", "  2", "A"}, lineEntity("0", "0", "999", "999"),
                  {"  0", "ENDBLK", "  0", "BLOCK", "  2", "B"}, lineEntity("0", "0", "555", "0"),
                  {"  0", "ENDBLK", "  0", "ENDSEC", "  0", "SECTION", "  2", "ENTITIES"},
                  lineEntity("0", "0", "30", "0"), {"  0", "ENDSEC", "  0", "EOF"}})),
        "test");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].x2, 30);
}

TEST(DxfReader, GroupCodesWithoutTheLeadingBlankAreNotRecognised) {
    // "10" is not the group code line " 10": the reader finds none of the values it needs and
    // refuses the outline.
    const std::string text = dxf({"0", "LINE", "8", "0", "10", "0", "20", "0", "11", "100", "21", "0", "0", "EOF"});
    EXPECT_THROW(parseOutline(text, "test"), InputError);
}

TEST(DxfReader, AValueMissingBeforeTheEndMakesTheOutlineUnusable) {
    try {
        parseOutline(dxf({"  0", "LINE", " 10", "0", " 20", "0", " 11", "5"}), "part.dxf");
        FAIL() << "no error";
    } catch (const InputError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("part.dxf"), std::string::npos);
        EXPECT_NE(message.find("\" 21\""), std::string::npos);
    }
    EXPECT_THROW(parseOutline(dxf({"  0", "POLYLINE", "  0", "VERTEX", " 10", "0", " 20", "0"}), "p"), InputError);
}

TEST(DxfReader, LineEndsAndTrailingBlanksAreAccepted) {
    const std::string lf = "  0\nLINE\n 10\n1\n 20\n1\n 11\n4\n 21\n5\n  0\nEOF\n";
    const std::string blanks = "  0\r\nLINE  \r\n 10 \r\n1\r\n 20\r\n1\r\n 11\r\n4\r\n 21\r\n5\r\n";
    for (const std::string& text : {lf, blanks}) {
        const EntityList list = parseOutline(text, "test");
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(list[0].x2, 3);
        EXPECT_EQ(list[0].y2, 0);
    }
}

TEST(DxfReader, GarbageGivesAnEmptyOutlineOrAnErrorNeverACrash) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 7919) % 256));
    // Either an outline or the reader's own error; anything else escapes and fails the test.
    bool answered = false;
    try {
        parseOutline(garbage, "garbage");
        answered = true;
    } catch (const InputError&) {
        answered = true;
    }
    EXPECT_TRUE(answered);
    EXPECT_TRUE(parseOutline("", "empty").empty());
    // Text where a number belongs reads as 0.
    const EntityList list = parseOutline(dxf({"  0", "LINE", " 10", "abc", " 20", "0", " 11", "7", " 21", "x"}), "t");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].x1, 0);
    EXPECT_EQ(list[0].x2, 7);
}

TEST(DxfReader, MissingFileIsAFileError) {
    test::TempFolder folder;
    EXPECT_THROW(readOutline(folder / "none.dxf"), FileError);
}

TEST(DxfReader, ExampleCornerShelf) {
    // 600 x 400 with the top-right corner rounded (radius 50). Mirrored so that Y points down,
    // the rounded corner stays at the top right: the arc's centre (550, 350) becomes (550, 50).
    const EntityList list = readOutline(std::filesystem::path(VELTRIX_EXAMPLES) / "workshop/outline-corner.dxf");
    ASSERT_EQ(list.size(), 5u);
    const BoundingBox box = boundingBox(list);
    EXPECT_NEAR(box.minX, 0, 1e-9);
    EXPECT_NEAR(box.minY, 0, 1e-9);
    EXPECT_NEAR(box.width(), 600, 1e-9);
    EXPECT_NEAR(box.height(), 400, 1e-9);
    int arcs = 0;
    for (const Entity& e : list) {
        if (typeOf(e) != EntityType::Arc) continue;
        ++arcs;
        EXPECT_NEAR(e.cx, 550, 1e-9);
        EXPECT_NEAR(e.cy, 50, 1e-9);
        EXPECT_EQ(e.r, 50);
        EXPECT_EQ(e.a1, 270);
        EXPECT_EQ(e.a2, 360);
    }
    EXPECT_EQ(arcs, 1);
}

TEST(DxfReader, ExampleHobPanelSkipsItsTitleBlock) {
    const EntityList list = readOutline(std::filesystem::path(VELTRIX_EXAMPLES) / "workshop/outline-cutout.dxf");
    ASSERT_EQ(list.size(), 5u);  // four sides of the closed polyline and the circle
    const BoundingBox box = boundingBox(list);
    EXPECT_NEAR(box.width(), 720, 1e-9);
    EXPECT_NEAR(box.height(), 560, 1e-9);
    EXPECT_EQ(typeOf(list[4]), EntityType::Circle);
    EXPECT_NEAR(list[4].cx, 360, 1e-9);
    EXPECT_NEAR(list[4].cy, 280, 1e-9);
    EXPECT_EQ(list[4].r, 40);
}

}  // namespace
}  // namespace veltrix::dxf
