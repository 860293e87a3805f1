#include "engine/loaded_result.h"

#include <gtest/gtest.h>

#include "job_builder.h"

namespace veltrix::engine {
namespace {

using test::JobBuilder;

// Kerf 4; B (700 x 350, enlarged 704 x 354) has the larger area and becomes cut-piece 1, A
// (500 x 300) cut-piece 2.
Job sheetJob() {
    JobBuilder b;
    b.basicRow({"PB", "", "18", "3100", "0", "4", "0", ""});
    b.sheet("2440", "1220", "3", "10", "10", "10", "10", "RACK A");
    b.cut("500", "300", "4", "", "A").cut("700", "350", "2", "", "B");
    return readJob(b.tables(), StockMode::Sheet, Objective{});
}

const char* kTwoLayouts =
    "1,-1,1,0,0,1224,2444,2,0\r\n"
    "1,-2,1,0,0,10,2444,2,0\r\n"
    "1,-2,1,10,0,1224,10,2,0\r\n"
    "1,-2,1,1214,10,1224,2444,2,0\r\n"
    "1,-2,1,10,2434,1214,2444,2,0\r\n"
    "1,1,1,10,10,364,714,2,1\r\n"
    "1,-4,1,364,10,1214,2434,2,0\r\n"
    "2,-1,1,0,0,1224,2444,1,0\r\n"
    "2,-2,1,0,0,10,2444,1,0\r\n"
    "2,-3,1,0,714,1224,714,1,0\r\n"
    "2,2,1,10,10,314,514,1,1\r\n"
    "2,2,1,314,10,618,514,1,1\r\n";

TEST(LoadedResult, RebuildsNumberingLayoutsAndStartIndex) {
    const LoadedResult r = loadResult(sheetJob(), parsePlan(kTwoLayouts));
    ASSERT_EQ(r.layoutCount(), 2);
    EXPECT_EQ(r.items.size(), 11u);  // the -3 item is absent
    EXPECT_EQ(r.layoutBegin(1), 0u);
    EXPECT_EQ(r.layoutBegin(2), 7u);
    EXPECT_EQ(r.layoutEnd(1), 7u);
    EXPECT_EQ(r.layoutEnd(2), 11u);
    ASSERT_EQ(r.layout(2).size(), 4u);
    EXPECT_EQ(r.layout(2)[2].x1, 10.0f);

    EXPECT_EQ(r.cutOf(r.items[5]).description, "B");
    EXPECT_EQ(r.cutOf(r.items[9]).description, "A");
    // Sizes as entered: the kerf was added for the numbering and removed again.
    EXPECT_EQ(r.cutOf(r.items[5]).length, 700.0f);
    EXPECT_EQ(r.sheetOf(r.items[0]).width, 1220.0f);
    EXPECT_EQ(r.sheetOf(r.items[0]).quantity, 3.0f);
    EXPECT_EQ(r.storedItems, r.items);
}

TEST(LoadedResult, EmptyResultHasNoLayouts) {
    const LoadedResult r = loadResult(sheetJob(), Plan{});
    EXPECT_TRUE(r.empty());
    EXPECT_EQ(r.layoutCount(), 0);
    EXPECT_EQ(r.job.cuts.size(), 2u);
}

void expectError(const std::string& text, const std::string& part) {
    try {
        loadResult(sheetJob(), parsePlan(text));
        ADD_FAILURE() << "no error for " << text;
    } catch (const ResultError& e) {
        EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
    }
}

TEST(LoadedResult, ItemsNamingMissingVarietiesGiveAClearMessage) {
    const std::string head = "1,-1,1,0,0,1224,2444,1,0\r\n";
    expectError(head + "1,3,1,10,10,314,514,1,1\r\n", "names cut-piece 3, but the job has 2 cut-pieces");
    expectError(head + "1,0,1,10,10,314,514,1,1\r\n", "unknown item kind 0");
    expectError("1,-1,2,0,0,1224,2444,1,0\r\n", "names sheet 2, but the job has 1 sheet.");
    expectError("1,-1,0,0,0,1224,2444,1,0\r\n", "names sheet 0");
    expectError(head + "1,-5,1,10,10,314,514,1,0\r\n", "unknown item kind -5");
    expectError("1,-2,1,0,0,10,2444,1,0\r\n", "does not begin with its sheet item");
    expectError(head + "3,-1,1,0,0,1224,2444,1,0\r\n", "layout 3 follows layout 1");
    expectError(head + "2,-2,1,0,0,10,2444,1,0\r\n", "an item of layout 2");
    // The line is named (line 2 of the file).
    expectError(head + "1,9,1,10,10,314,514,1,1\r\n", "line 2");
}

TEST(LoadedResult, JobEditedBehindTheResultIsRefused) {
    // The result names cut-piece 2; after deleting a row the job has only one.
    JobBuilder b;
    b.basicRow({"PB", "", "18", "3100", "0", "4", "0", ""});
    b.sheet("2440", "1220", "3", "10", "10", "10", "10", "RACK A").cut("700", "350", "2", "", "B");
    EXPECT_THROW(loadResult(readJob(b.tables(), StockMode::Sheet, Objective{}), parsePlan(kTwoLayouts)), ResultError);
}

// A coil 1250 wide, 6000 long, bottom margin 10, kerf 0.
Job coilJob() {
    JobBuilder b;
    b.basicRow({"STEEL", "", "1", "1600", "0", "0", "0", ""});
    b.sheet("6000", "1250", "1", "0", "0", "0", "10", "RACK A");
    b.cut("800", "400", "2", "", "PLATE");
    return readJob(b.tables(), StockMode::Coil, Objective{});
}

// One coil layout whose pieces reach down to `used`: the coil item, four margins, two pieces, an
// off-cut beside them, an off-cut below them and a through cut at `used`.
std::string coilLayout(int n, int used) {
    const std::string l = std::to_string(n);
    const std::string y = std::to_string(used);
    const std::string half = std::to_string(used / 2);
    return l + ",-1,1,0,0,1250,6000,1,0\r\n" + l + ",-2,1,0,0,0,6000,1,0\r\n" + l + ",-2,1,0,0,1250,0,1,0\r\n" + l +
           ",-2,1,1250,0,1250,6000,1,0\r\n" + l + ",-2,1,0,5990,1250,6000,1,0\r\n" + l + ",1,1,0,0,400," + y +
           ",1,1\r\n" + l + ",1,1,400,0,800," + half + ",1,1\r\n" + l + ",-4,1,800,0,1250," + y + ",1,0\r\n" + l +
           ",-4,1,0," + y + ",1250,5990,1,0\r\n" + l + ",-6,1,0," + y + ",1250," + y + ",1,0\r\n";
}

TEST(CoilCompletion, CutsTheLayoutBackToTheUsedLengthAndTurnsIt) {
    const LoadedResult r = loadResult(coilJob(), parsePlan(coilLayout(1, 800)));
    ASSERT_EQ(r.job.sheets.size(), 1u);
    // 800 used + 10 bottom margin = 810 < 1250: turned.
    EXPECT_EQ(r.job.sheets[0].length, 1250.0f);
    EXPECT_EQ(r.job.sheets[0].width, 810.0f);
    EXPECT_EQ(r.job.sheets[0].marginBottom, 10.0f);  // margins are not exchanged
    const auto& it = r.items;
    ASSERT_EQ(it.size(), 10u);
    // Sheet item (0,0,1250,810) turned to (0,0,810,1250).
    EXPECT_EQ(it[0], (LayoutItem{1, ItemKind{-1}, 1, 0, 0, 810, 1250, 1, Placement{0}}));
    // Left margin (0,0,0,810) turned.
    EXPECT_EQ(it[1], (LayoutItem{1, ItemKind{-2}, 1, 0, 0, 810, 0, 1, Placement{0}}));
    // Bottom margin: (0,5990,1250,6000) cut to (0,810,1250,810), then starts at used: (0,800,1250,810).
    EXPECT_EQ(it[4], (LayoutItem{1, ItemKind{-2}, 1, 800, 0, 810, 1250, 1, Placement{0}}));
    // Pieces keep their sizes, turned with placement 2.
    EXPECT_EQ(it[5], (LayoutItem{1, ItemKind{1}, 1, 0, 0, 800, 400, 1, Placement{2}}));
    EXPECT_EQ(it[6], (LayoutItem{1, ItemKind{1}, 1, 0, 400, 400, 800, 1, Placement{2}}));
    // The off-cut entirely below the used length is squeezed to y1 = y2 = 800 (before turning).
    EXPECT_EQ(it[8], (LayoutItem{1, ItemKind{-4}, 1, 800, 0, 800, 1250, 1, Placement{0}}));
    EXPECT_EQ(it[9], (LayoutItem{1, ItemKind{-6}, 1, 800, 0, 800, 1250, 1, Placement{0}}));
    // The stored items are kept as the engine wrote them.
    EXPECT_EQ(r.storedItems[0].y2, 6000.0f);
}

TEST(CoilCompletion, EveryLayoutGetsItsOwnVarietyNumberedFromTheEnd) {
    const LoadedResult r =
        loadResult(coilJob(), parsePlan(coilLayout(1, 800) + coilLayout(2, 1500) + coilLayout(3, 300)));
    ASSERT_EQ(r.layoutCount(), 3);
    ASSERT_EQ(r.job.sheets.size(), 3u);
    // k = 1 is the last layout: 310 long, turned to 1250 x 310.
    EXPECT_EQ(r.job.sheets[0].length, 1250.0f);
    EXPECT_EQ(r.job.sheets[0].width, 310.0f);
    // Layout 2 uses 1510, longer than wide: not turned.
    EXPECT_EQ(r.job.sheets[1].length, 1510.0f);
    EXPECT_EQ(r.job.sheets[1].width, 1250.0f);
    EXPECT_EQ(r.job.sheets[2].width, 810.0f);
    for (const auto& item : r.layout(1)) EXPECT_EQ(item.sheet, 3);
    for (const auto& item : r.layout(2)) EXPECT_EQ(item.sheet, 2);
    for (const auto& item : r.layout(3)) EXPECT_EQ(item.sheet, 1);
    EXPECT_EQ(r.layout(2)[0].y2, 1510.0f);  // sheet item of the unturned layout
    EXPECT_EQ(r.layout(2)[5].placement, Placement::Lengthwise);
}

}  // namespace
}  // namespace veltrix::engine
