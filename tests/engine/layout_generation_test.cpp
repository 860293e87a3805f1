#include "engine/layout_generation.h"

#include <gtest/gtest.h>

namespace veltrix::engine {
namespace {

SheetVariety sheetOf(float width, float length, float ml = 0, float mt = 0, float mr = 0, float mb = 0, int grain = 0) {
    SheetVariety s;
    s.width = width;
    s.length = length;
    s.quantity = 1;
    s.grain = grain;
    s.marginLeft = ml;
    s.marginTop = mt;
    s.marginRight = mr;
    s.marginBottom = mb;
    return s;
}

CutVariety pieceOf(float length, float width, float qty, int align = 0) {
    CutVariety c;
    c.length = length;
    c.width = width;
    c.quantity = qty;
    c.align = align;
    return c;
}

// One sheet and a list of pieces (sizes as the engine uses them, kerf included).
struct Fixture {
    std::vector<SheetVariety> sheets;
    std::vector<CutVariety> cuts;
    float blade = 5000;
    float tolerance = 0;
    float minOffcut = 0;

    LayoutBuilder start(int sheet = 1) {
        LayoutBuilder b(sheets, cuts, blade, tolerance, minOffcut);
        std::vector<float> q;
        for (const auto& c : cuts) q.push_back(c.quantity);
        b.startLayout(sheet, q);
        return b;
    }
};

const IterationPhase kOrdered{1, 300};  // 3 x 1 <= 300
const IterationPhase kLater{250, 300};  // beyond both thirds

FillStrategy S(int number) { return strategyOfNumber(number); }

std::vector<LayoutItem> ofKind(const LayoutBuilder& b, ItemKind kind) {
    std::vector<LayoutItem> out;
    for (const auto& item : b.items())
        if (item.kind == kind) out.push_back(item);
    return out;
}

LayoutItem rect(int kind, float x1, float y1, float x2, float y2, int placement = 0) {
    return LayoutItem{0, static_cast<ItemKind>(kind), 1, x1, y1, x2, y2, 0, static_cast<Placement>(placement)};
}

TEST(StartLayout, SheetMarginsAndTheUsableArea) {
    Fixture f;
    f.sheets = {sheetOf(1224, 2444, 10, 12, 14, 16)};
    f.cuts = {pieceOf(100, 100, 1)};
    const LayoutBuilder b = f.start();
    ASSERT_EQ(b.items().size(), 6u);
    EXPECT_EQ(b.items()[0], rect(-1, 0, 0, 1224, 2444));
    EXPECT_EQ(b.items()[1], rect(-2, 0, 0, 10, 2444));
    EXPECT_EQ(b.items()[2], rect(-2, 10, 0, 1224, 12));
    EXPECT_EQ(b.items()[3], rect(-2, 1210, 12, 1224, 2444));
    EXPECT_EQ(b.items()[4], rect(-2, 10, 2428, 1210, 2444));
    EXPECT_EQ(b.items()[5], rect(-4, 10, 12, 1210, 2428));
    EXPECT_EQ(b.nextFreeRegion(S(1)), 5u);
}

TEST(StartLayout, UsableLengthBeyondTheBladeLeavesOnlyAcrossStrategies) {
    const SheetVariety s = sheetOf(1000, 3000);
    for (int o : {1, 2, 5, 6}) EXPECT_TRUE(LayoutBuilder::applicable(s, 2000, S(o))) << o;
    for (int o : {3, 4, 7, 8}) EXPECT_FALSE(LayoutBuilder::applicable(s, 2000, S(o))) << o;
    const SheetVariety wide = sheetOf(2500, 1800, 100, 0, 100, 0);  // usable width 2300
    for (int o : {1, 2, 5, 6}) EXPECT_FALSE(LayoutBuilder::applicable(wide, 2200, S(o))) << o;
    for (int o : {3, 4, 7, 8}) EXPECT_TRUE(LayoutBuilder::applicable(wide, 2200, S(o))) << o;
    EXPECT_TRUE(LayoutBuilder::applicable(wide, 2300, S(1)));  // equal to the blade is within it
}

TEST(PlaceBlock, RowsFirstSplitsBesideAndBelowWithAThroughCut) {
    Fixture f;
    f.sheets = {sheetOf(1224, 2444, 10, 10, 10, 10)};
    f.cuts = {pieceOf(504, 304, 10)};  // length along y, width along x in placement 1
    LayoutBuilder b = f.start();
    Random random;
    // Strategy 5, ordered: placement 1; nx = floor(1204 / 304) = 3, ny = floor(2424 / 504) = 4,
    // then the demand of 10: 3 x 4 = 12 > 10, so ny = 3 (9 pieces).
    const Block block = b.placeBlock(1, 5, S(5), kOrdered, false, random);
    EXPECT_EQ(block.nx, 3);
    EXPECT_EQ(block.ny, 3);
    EXPECT_EQ(b.quantities()[0], 1.0f);
    const auto& it = b.items();
    EXPECT_EQ(it[5].kind, ItemKind::Consumed);
    ASSERT_EQ(it.size(), 6u + 9u + 3u);
    EXPECT_EQ(it[6], rect(1, 10, 10, 314, 514, 1));
    EXPECT_EQ(it[7], rect(1, 314, 10, 618, 514, 1));
    EXPECT_EQ(it[9], rect(1, 10, 514, 314, 1018, 1));
    EXPECT_EQ(it[14], rect(1, 618, 1018, 922, 1522, 1));
    EXPECT_EQ(it[15], rect(-4, 922, 10, 1214, 1522));    // beside the block
    EXPECT_EQ(it[16], rect(-4, 10, 1522, 1214, 2434));   // below, across the region
    EXPECT_EQ(it[17], rect(-6, 0, 1522, 1224, 1522));    // across the whole sheet
}

TEST(PlaceBlock, ColumnsFirstSplitsDownTheRegion) {
    Fixture f;
    f.sheets = {sheetOf(1224, 2444, 10, 10, 10, 10)};
    f.cuts = {pieceOf(504, 304, 4)};
    LayoutBuilder b = f.start();
    Random random;
    // Strategy 7, ordered: placement 1; nx = 3, ny = 4; the demand of 4 lowers nx first: 3 x 4 > 4
    // down to nx = 1 (1 x 4 = 4).
    const Block block = b.placeBlock(1, 5, S(7), kOrdered, false, random);
    EXPECT_EQ(block.nx, 1);
    EXPECT_EQ(block.ny, 4);
    const auto regions = ofKind(b, ItemKind::Offcut);
    ASSERT_EQ(regions.size(), 2u);
    EXPECT_EQ(regions[0], rect(-4, 314, 10, 1214, 2434));  // beside, down the whole region
    EXPECT_EQ(regions[1], rect(-4, 10, 2026, 314, 2434));  // below the block
    const auto cuts = ofKind(b, ItemKind::ThroughCut);
    ASSERT_EQ(cuts.size(), 1u);
    EXPECT_EQ(cuts[0], rect(-6, 314, 0, 314, 2444));
}

TEST(PlaceBlock, DemandCapNeverLetsARowExceedTheRemainingQuantity) {
    Fixture f;
    f.sheets = {sheetOf(1000, 400)};
    f.cuts = {pieceOf(200, 200, 3)};
    LayoutBuilder b = f.start();
    Random random;
    // Strategy 1: nx = 5, ny = 2; ny goes down to 1 (5 > 3 still), then nx to 3.
    const Block block = b.placeBlock(1, 5, S(1), kOrdered, false, random);
    EXPECT_EQ(block.nx, 3);
    EXPECT_EQ(block.ny, 1);
    EXPECT_EQ(b.quantities()[0], 0.0f);
    // Strategy 3 lowers nx first: nx = 5, ny = 2 with q = 3 -> nx = 1 (1 x 2 = 2 <= 3).
    LayoutBuilder c = f.start();
    const Block column = c.placeBlock(1, 5, S(3), kOrdered, false, random);
    EXPECT_EQ(column.nx, 1);
    EXPECT_EQ(column.ny, 2);
    EXPECT_EQ(c.quantities()[0], 1.0f);
}

TEST(PlaceBlock, ToleranceZeroKeepsExactSizes) {
    Fixture f;
    f.sheets = {sheetOf(999, 500)};  // one unit short of two pieces across
    f.cuts = {pieceOf(500, 500, 5)};
    LayoutBuilder b = f.start();
    Random random;
    const Block block = b.placeBlock(1, 5, S(5), kOrdered, false, random);
    EXPECT_EQ(block.nx, 1);
    EXPECT_EQ(block.ny, 1);
    EXPECT_EQ(b.items()[6], rect(1, 0, 0, 500, 500, 1));
    // The rest (499 wide) takes no further piece.
    EXPECT_FALSE(b.placeBlock(1, b.nextFreeRegion(S(5)), S(5), kOrdered, false, random).placed());
}

TEST(PlaceBlock, ToleranceLetsTwoPiecesShareAShortRegion) {
    Fixture f;
    f.tolerance = 2;
    f.sheets = {sheetOf(300, 996)};  // 2 x 500 - 2 x 2 along y
    f.cuts = {pieceOf(500, 300, 2)};
    LayoutBuilder b = f.start();
    Random random;
    const Block block = b.placeBlock(1, 5, S(5), kOrdered, false, random);
    EXPECT_EQ(block.ny, 2);
    EXPECT_EQ(block.nx, 1);
    // Pitch 498 = 500 - 2 along y; across the exact width 300.
    EXPECT_EQ(b.items()[6], rect(1, 0, 0, 300, 498, 1));
    EXPECT_EQ(b.items()[7], rect(1, 0, 498, 300, 996, 1));
}

TEST(PlaceBlock, BladeLimitsOnlyTheCountAlongY) {
    Fixture f;
    f.blade = 1000;
    f.sheets = {sheetOf(1000, 3000)};
    f.cuts = {pieceOf(100, 100, 1000)};
    LayoutBuilder b = f.start();
    Random random;
    const Block block = b.placeBlock(1, 5, S(5), kOrdered, false, random);
    EXPECT_EQ(block.nx, 10);  // the whole width
    EXPECT_EQ(block.ny, 10);  // 1000 / 100, not 3000 / 100
}

TEST(PlaceBlock, GrainKeepsAlignedPiecesUnturned) {
    Fixture f;
    f.sheets = {sheetOf(2000, 2000, 0, 0, 0, 0, 1)};
    f.cuts = {pieceOf(600, 300, 100, 1), pieceOf(600, 300, 100, 0)};
    Random random;
    random.seed(7);
    for (int trial = 0; trial < 20; ++trial) {
        LayoutBuilder b = f.start();
        // Even strategy, ordered phase: placement 2 unless the piece must follow the grain.
        b.placeBlock(1, 5, S(2), kOrdered, false, random);
        EXPECT_EQ(b.items()[6].placement, Placement::Lengthwise);
        LayoutBuilder later = f.start();
        later.placeBlock(1, 5, S(2), kLater, false, random);
        EXPECT_EQ(later.items()[6].placement, Placement::Lengthwise);
    }
    LayoutBuilder free = f.start();
    free.placeBlock(2, 5, S(2), kOrdered, false, random);
    EXPECT_EQ(free.items()[6].placement, Placement::Turned);
    EXPECT_EQ(free.items()[6].x2 - free.items()[6].x1, 600.0f);  // turned: length along x
}

TEST(PlaceBlock, DrawsPlacementBeforeTheCountsEvenWhenNothingFits) {
    Fixture f;
    f.sheets = {sheetOf(100, 100)};
    f.cuts = {pieceOf(600, 300, 1)};  // never fits
    LayoutBuilder b = f.start();
    Random random, twin;
    random.seed(11);
    twin.seed(11);
    EXPECT_FALSE(b.placeBlock(1, 5, S(1), kLater, true, random).placed());
    twin.draw(1, 2);  // the placement, and nothing else
    EXPECT_EQ(random.draw(1, 1000000), twin.draw(1, 1000000));
    // In the ordered phase nothing is drawn.
    EXPECT_FALSE(b.placeBlock(1, 5, S(1), kOrdered, true, random).placed());
    EXPECT_EQ(random.draw(1, 1000000), twin.draw(1, 1000000));
}

TEST(PlaceBlock, RandomBlockSizeDrawsByPhase) {
    Fixture f;
    f.sheets = {sheetOf(1000, 1000)};
    f.cuts = {pieceOf(100, 100, 1000)};
    for (long long i : {2LL, 150LL, 250LL}) {
        Random random, twin;
        random.seed(static_cast<std::uint32_t>(i));
        twin.seed(static_cast<std::uint32_t>(i));
        const IterationPhase phase{i, 300};
        LayoutBuilder b = f.start();
        const Block block = b.placeBlock(1, 5, S(1), phase, true, random);
        long long nx = 10, ny = 10;
        if (!phase.ordered()) twin.draw(1, 2);  // the placement
        if (i <= 100) {                          // i <= round(300 / 3): ny, then nx
            ny = twin.draw(1, ny);
            nx = twin.draw(1, nx);
        } else if (i > 200) {                    // beyond round(300 x 0.6667): strategy 1 draws nx
            nx = twin.draw(1, nx);
        } else {                                 // between: strategy 1 draws ny
            ny = twin.draw(1, ny);
        }
        EXPECT_EQ(block.nx, nx) << i;
        EXPECT_EQ(block.ny, ny) << i;
    }
    // Iteration 1 never draws a size.
    Random random;
    LayoutBuilder b = f.start();
    const Block first = b.placeBlock(1, 5, S(1), IterationPhase{1, 300}, true, random);
    EXPECT_EQ(first.nx, 10);
    EXPECT_EQ(first.ny, 10);
}

TEST(NextFreeRegion, AcrossStrategiesGoTopFirstDownStrategiesLeftFirst) {
    Fixture f;
    f.sheets = {sheetOf(1000, 1000)};
    f.cuts = {pieceOf(300, 400, 1)};
    LayoutBuilder b = f.start();
    Random random;
    ASSERT_TRUE(b.placeBlock(1, 5, S(5), kOrdered, false, random).placed());
    // A = (400, 0, 1000, 300) beside, B = (0, 300, 1000, 1000) below.
    const std::size_t across = b.nextFreeRegion(S(1));
    const std::size_t down = b.nextFreeRegion(S(3));
    EXPECT_EQ(b.items()[across], rect(-4, 400, 0, 1000, 300));
    EXPECT_EQ(b.items()[down], rect(-4, 0, 300, 1000, 1000));
}

TEST(PlaceBlock, SplitOrderOfStrategiesOneToFourFollowsTheMargin) {
    Fixture f;
    f.sheets = {sheetOf(1000, 1000, 20, 20, 0, 0)};
    f.cuts = {pieceOf(300, 400, 2), pieceOf(300, 150, 1)};
    Random random;
    // Strategy 1 at the left margin: rows first, the region below spans the whole region width.
    // Variety 1: nx = 2, ny = 3, the demand of 2 makes it 2 x 1.
    LayoutBuilder b = f.start();
    b.placeBlock(1, 5, S(1), kOrdered, false, random);
    const auto rows = ofKind(b, ItemKind::Offcut);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], rect(-4, 820, 20, 1000, 320));
    EXPECT_EQ(rows[1], rect(-4, 20, 320, 1000, 1000));
    // Strategy 1 in the region beside (x1 = 820 is not the left margin): columns first, so the
    // region below the 150-wide block is only as wide as the block (and has no height).
    const std::size_t a = b.nextFreeRegion(S(1));
    ASSERT_EQ(b.items()[a].x1, 820.0f);
    ASSERT_TRUE(b.placeBlock(2, a, S(1), kOrdered, false, random).placed());
    EXPECT_EQ(b.items().back(), rect(-3, 820, 320, 970, 320));
    // Strategy 3 at the top margin: columns first. nx = 2, ny = 3 with the demand of 2: nx goes
    // to 1 first (1 x 3 > 2 still), then ny to 2.
    LayoutBuilder c = f.start();
    const Block block = c.placeBlock(1, 5, S(3), kOrdered, false, random);
    EXPECT_EQ(block.nx, 1);
    EXPECT_EQ(block.ny, 2);
    const auto columns = ofKind(c, ItemKind::Offcut);
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[0], rect(-4, 420, 20, 1000, 1000));
    EXPECT_EQ(columns[1], rect(-4, 20, 620, 420, 1000));
}

TEST(OffcutsAcceptable, NarrowRegionsFailUnlessFlat) {
    Fixture f;
    f.minOffcut = 100;
    f.sheets = {sheetOf(1000, 500)};
    f.cuts = {pieceOf(500, 950, 1)};
    LayoutBuilder b = f.start();
    Random random;
    ASSERT_TRUE(b.placeBlock(1, 5, S(5), kOrdered, false, random).placed());
    // A strip 50 wide and 500 long is left beside the piece.
    EXPECT_FALSE(b.offcutsAcceptable());

    LayoutBuilder flat = f.start();
    flat.items()[5].kind = ItemKind::Consumed;
    flat.items().push_back(rect(-4, 0, 0, 50, 0));  // no height: not an off-cut that counts
    EXPECT_TRUE(flat.offcutsAcceptable());
}

TEST(Fill, BlockedRegionsAreReleasedAndFiguresComputed) {
    Fixture f;
    f.sheets = {sheetOf(1000, 1000)};
    f.cuts = {pieceOf(600, 600, 1), pieceOf(300, 300, 1)};
    LayoutBuilder b = f.start();
    Random random;
    b.fill(S(5), kOrdered, true, random);
    EXPECT_EQ(b.quantities()[0], 0.0f);
    EXPECT_EQ(b.quantities()[1], 0.0f);
    EXPECT_TRUE(ofKind(b, ItemKind::Blocked).empty());
    const CandidateFigures fig = b.figures();
    EXPECT_EQ(fig.sheetArea, 1e6);
    EXPECT_EQ(fig.pieceArea, 360000.0 + 90000.0);
    EXPECT_DOUBLE_EQ(fig.yield(), 0.45);
    // The small piece went beside the big one (region 400 x 600, rows first, not at the left
    // margin so no through cut). Left: beside the small piece 100 x 300, below it 400 x 300, and
    // below the big piece across the sheet 1000 x 400, which is the largest.
    EXPECT_EQ(fig.largestOffcut, 400000.0);
    EXPECT_EQ(fig.throughCuts, 1);
    EXPECT_EQ(ofKind(b, ItemKind::Offcut).size(), 3u);
}

}  // namespace
}  // namespace veltrix::engine
