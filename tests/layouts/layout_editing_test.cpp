// Editing a layout by hand: what a point of the picture hits, the edit.tlf row and the Edit
// window's rules on it, addnew.lst, and the items stored back (sheet and coil mode).

#include "layouts/layout_editing.h"

#include <gtest/gtest.h>

#include "engine/result_files.h"
#include "layouts/layout_drawing.h"
#include "layouts/sample_result.h"
#include "support/temp_folder.h"
#include "table/error.h"
#include "table/grid_table.h"
#include "table/workspace.h"

namespace veltrix::layouts {
namespace {

using engine::LayoutItem;
using test::item;

// The sample layout (sheet 1200 x 1000, kerf 4) has, by index: 0 sheet, 1 top margin, 2 and 3
// pieces of variety 1 side by side (the second 399.5 wide), 4 a turned piece of variety 2, 5 an
// off-cut, 6 and 7 through cuts.
const engine::LoadedResult kSample = test::sampleResult();

GridTable editGrid(const std::string& row) {
    GridTable grid(editKeys());
    grid.loadText(row);
    return grid;
}

std::vector<std::string> rowTexts(const GridTable& grid) { return grid.rowTexts(1); }

TEST(LayoutEditingHit, TheLatestCutPieceOrOffcutUnderThePointWins) {
    EXPECT_EQ(itemAt(kSample, 1, 200, 300), std::optional<std::size_t>(2));
    // The shared edge of the two side panels: the later one.
    EXPECT_EQ(itemAt(kSample, 1, 414, 300), std::optional<std::size_t>(3));
    // A corner shared by a piece and the off-cut.
    EXPECT_EQ(itemAt(kSample, 1, 314, 614), std::optional<std::size_t>(5));
    EXPECT_EQ(itemAt(kSample, 1, 1004, 1204), std::optional<std::size_t>(5));
    // Margins, sheet and through cuts are never hit; nor is anything off the sheet.
    EXPECT_FALSE(itemAt(kSample, 1, 500, 5).has_value());
    EXPECT_FALSE(itemAt(kSample, 1, -50, -50).has_value());
    EXPECT_FALSE(itemAt(kSample, 1, 1004.5, 700).has_value());
    EXPECT_FALSE(itemAt(kSample, 2, 200, 300).has_value());
}

TEST(LayoutEditingHit, TooltipsNameTheNetSizeAlongTheLengthFirst) {
    EXPECT_EQ(pointTooltip(kSample, 1, 600, 300), "EDIT Cut-Piece 600 x 399.5");
    EXPECT_EQ(pointTooltip(kSample, 1, 100, 700), "EDIT Cut-Piece 200 x 300");
    EXPECT_EQ(pointTooltip(kSample, 1, 900, 1000), "EDIT Off-Cut 586 x 686");
    EXPECT_EQ(pointTooltip(kSample, 1, -10, 5), "ADD Off-Cut / Cut-Piece ");
}

TEST(LayoutEditingHit, APointOfThePictureMapsThroughTheDrawingsScale) {
    // On the screen the picture is 1.25 x 1204 job units square, the sheet a tenth in.
    const ScaleSpec screen = layoutScale(kSample, 1, DrawTarget{}, 500, 500);
    EXPECT_DOUBLE_EQ(screen.height, 1505);
    EXPECT_DOUBLE_EQ(screen.width, 1505);
    EXPECT_DOUBLE_EQ(screen.left, -150.5);
    EXPECT_DOUBLE_EQ(screen.top, -150.5);
    // Magnified, the sheet's 1004 with the margins fills the width: 1004 + 301 = 1305.
    DrawTarget zoomed;
    zoomed.magnified = true;
    const ScaleSpec magnified = layoutScale(kSample, 1, zoomed, 500, 500);
    EXPECT_DOUBLE_EQ(magnified.width, 1305);
    EXPECT_DOUBLE_EQ(magnified.left, -150.5 * 1305 / 1505);
    EXPECT_DOUBLE_EQ(magnified.height, 1505);
}

TEST(LayoutEditingRows, TheRowsTheEditWindowOpensWith) {
    EXPECT_EQ(editRowText(editRowFor(kSample, 1, existingTarget(kSample, 3))), "414,10,399.5,600,1,1200,1000\r\n");
    EXPECT_EQ(editRowText(editRowFor(kSample, 1, existingTarget(kSample, 5))), "314,614,686,586,0,1200,1000\r\n");
    EXPECT_EQ(editRowText(editRowFor(kSample, 1, newCutPieceTarget(1))), "0,0,600,400,1,1200,1000\r\n");
    EXPECT_EQ(editRowText(editRowFor(kSample, 1, newOffcutTarget())), "0,0,0,0,0,1200,1000\r\n");

    EXPECT_EQ(existingTarget(kSample, 4).mode, EditMode::MoveCutPiece);
    EXPECT_EQ(existingTarget(kSample, 5).mode, EditMode::ModifyOffcut);
    EXPECT_THROW(existingTarget(kSample, 1), InputError);  // a margin
    EXPECT_THROW(editRowFor(kSample, 1, newCutPieceTarget(3)), InputError);
    EXPECT_THROW(editRowFor(kSample, 2, newOffcutTarget()), InputError);
}

TEST(LayoutEditingRows, EditTlfIsWrittenAndReadBackAndGoneWhenCancelled) {
    test::TempFolder dir;
    const Workspace ws(dir.path());
    dir.write("edit.tlf", "stale");
    writeEditRow(ws, kSample, 1, existingTarget(kSample, 4));
    EXPECT_EQ(dir.read("edit.tlf"), "10,614,300,200,2,1200,1000\r\n");
    // The Edit window saves its grid quoted.
    dir.write("edit.tlf", "\"12.5\",\"614\",\"200\",\"300\",\"1\",\"1200\",\"1000\"\r\n");
    EXPECT_EQ(readEditRow(ws), (EditRow{12.5f, 614, 200, 300, 1, 1200, 1000}));
    std::filesystem::remove(dir / "edit.tlf");
    EXPECT_FALSE(readEditRow(ws).has_value());
    EXPECT_EQ(parseEditRow("x,,3"), (EditRow{0, 0, 3, 0, 0, 0, 0}));
}

TEST(LayoutEditingRules, OrientationPutsThePiecesLengthAlongTheSheetsLength) {
    // A new 600 x 400 piece with placement 1 shows DIM-X 400 and DIM-Y 600; ORN 2 swaps them.
    GridTable grid = editGrid(editRowText(editRowFor(kSample, 1, newCutPieceTarget(1))));
    ASSERT_TRUE(lengthIsLonger(kSample, newCutPieceTarget(1)));
    orientSizes(grid, true);
    EXPECT_EQ(grid.cell(1, 3), "400");
    EXPECT_EQ(grid.cell(1, 4), "600");
    grid.setCell(1, 5, "2");
    orientSizes(grid, true);
    EXPECT_EQ(grid.cell(1, 3), "600");
    EXPECT_EQ(grid.cell(1, 4), "400");
    // Other values of ORN change nothing.
    grid.setCell(1, 5, "");
    orientSizes(grid, true);
    EXPECT_EQ(grid.cell(1, 3), "600");
    // A size keeps its digits when it moves.
    GridTable exact = editGrid("0,0,399.5,.5,2,1200,1000\r\n");
    orientSizes(exact, true);
    EXPECT_EQ(rowTexts(exact)[2], "399.5");
    exact.setCell(1, 5, "1");
    orientSizes(exact, true);
    EXPECT_EQ(rowTexts(exact)[2], ".5");
    EXPECT_EQ(rowTexts(exact)[3], "399.5");
}

TEST(LayoutEditingRules, APieceShorterThanItIsWideKeepsItsOrientation) {
    engine::LoadedResult result = kSample;
    result.job.cuts[1] = test::piece(200, 300, "Rail");  // length 200 along Y with placement 1
    ASSERT_FALSE(lengthIsLonger(result, newCutPieceTarget(2)));
    GridTable grid = editGrid(editRowText(editRowFor(result, 1, newCutPieceTarget(2))));
    orientSizes(grid, false);
    EXPECT_EQ(grid.cell(1, 3), "300");  // its width across
    EXPECT_EQ(grid.cell(1, 4), "200");  // its length along the sheet's length
    completeRow(grid, false);
    EXPECT_EQ(grid.cell(1, 5), "1");
    grid.setCell(1, 5, "2");
    orientSizes(grid, false);
    EXPECT_EQ(grid.cell(1, 3), "200");
    completeRow(grid, false);
    EXPECT_EQ(grid.cell(1, 5), "2");
}

TEST(LayoutEditingRules, BeforeAButtonEmptyCellsAreZeroAndOrnFollowsTheShape) {
    GridTable wide = editGrid("\"\",\"\",\"500\",\"300\",\"\",\"1200\",\"1000\"\r\n");
    completeRow(wide, true);
    EXPECT_EQ(rowTexts(wide), (std::vector<std::string>{"0", "0", "500", "300", "2", "1200", "1000"}));
    GridTable tall = editGrid("5,5,300,500,2,1200,1000\r\n");
    completeRow(tall, true);
    EXPECT_EQ(tall.cell(1, 5), "1");
    GridTable square = editGrid("5,5,400,400,2,1200,1000\r\n");
    completeRow(square, true);
    EXPECT_EQ(square.cell(1, 5), "1");
    clearRow(square);
    EXPECT_EQ(rowTexts(square), (std::vector<std::string>{"0", "0", "0", "0", "0", "1200", "1000"}));
}

TEST(LayoutEditingRules, ACornerOrSizeOutsideTheSheetIsRefused) {
    // Right edge exactly on the width, bottom exactly on the length: accepted.
    EXPECT_FALSE(outOfSheetMessage(EditRow{600.5f, 600, 399.5f, 600, 1, 1200, 1000}).has_value());
    EXPECT_EQ(outOfSheetMessage(EditRow{600.6f, 0, 399.5f, 600, 1, 1200, 1000}), "Out of sheet width 1000");
    EXPECT_EQ(outOfSheetMessage(EditRow{0, 600.5f, 400, 600, 1, 1200, 1000.5f}), "Out of sheet length 1200");
    EXPECT_EQ(outOfSheetMessage(EditRow{-1, 0, 10, 10, 1, 1200, 1000}), "Out of sheet width 1000");
    // Width is checked first.
    EXPECT_EQ(outOfSheetMessage(EditRow{999, 1199, 2, 2, 1, 1200, 1000}), "Out of sheet width 1000");
    EditRow fromGrid = gridRow(editGrid("1,2,3,4,2,1200,1000\r\n"));
    EXPECT_EQ(fromGrid, (EditRow{1, 2, 3, 4, 2, 1200, 1000}));
}

TEST(LayoutEditingAddNew, OneLinePerVarietyInColumns) {
    engine::LoadedResult result = kSample;
    result.job.cuts.push_back(test::piece(2440.125f, 12.5f, "Long Rail"));
    EXPECT_EQ(addNewListText(result),
              "Off-Cut\r\n"
              "Cut-Piece 600     X 400     Side Panel\r\n"
              "Cut-Piece 300     X 200     Shelf\r\n"
              // A length of 8 characters runs past the column of " X ", which follows after a blank;
              // so does the width after it, and the description stands at its column again.
              "Cut-Piece 2440.125  X  12.5 Long Rail\r\n");
}

TEST(LayoutEditingStore, AMoveChangesTheItemAndUndoesTheThroughCuts) {
    const EditRow row{600.5f, 10, 399.5f, 600, 1, 1200, 1000};
    const auto items = editedItems(kSample, 1, existingTarget(kSample, 3), row);
    ASSERT_EQ(items.size(), kSample.items.size());
    EXPECT_EQ(items[3], (LayoutItem{1, 3 - 2, 1, 600.5f, 10, 1004, 614, 1, 1}));
    EXPECT_EQ(items[6].kind, engine::kConsumedItem);
    EXPECT_EQ(items[7].kind, engine::kConsumedItem);
    EXPECT_EQ(items[6].y1, 614);
    for (std::size_t i : {0u, 1u, 2u, 4u, 5u}) EXPECT_EQ(items[i], kSample.items[i]) << i;
}

TEST(LayoutEditingStore, DeletedItemsStayAsKerfSizedOffcutsAtTheCorner) {
    const EditRow zeros{0, 0, 0, 0, 0, 1200, 1000};
    const auto piece = editedItems(kSample, 1, existingTarget(kSample, 2), zeros);
    EXPECT_EQ(piece[2], (LayoutItem{1, engine::kOffcutItem, 1, 0, 0, 4, 4, 1, 0}));
    const auto offcut = editedItems(kSample, 1, existingTarget(kSample, 5), zeros);
    EXPECT_EQ(offcut[5], (LayoutItem{1, engine::kOffcutItem, 1, 0, 0, 4, 4, 1, 0}));
    EXPECT_EQ(offcut[2], kSample.items[2]);
}

TEST(LayoutEditingStore, AdditionsGoAfterTheLastItemOfTheLayout) {
    // Two layouts, the second on 3 sheets; something is added to the first.
    engine::LoadedResult result = kSample;
    const std::vector<LayoutItem> second = {item(2, engine::kSheetItem, 0, 0, 1004, 1204, 3),
                                            item(2, 1, 0, 0, 404, 604, 3, 1),
                                            item(2, engine::kThroughCut, 0, 604, 1004, 604, 3)};
    result.items.insert(result.items.end(), second.begin(), second.end());
    test::indexLayouts(result);

    const auto added = editedItems(result, 1, newCutPieceTarget(2), EditRow{330, 630, 300, 200, 2, 1200, 1000});
    ASSERT_EQ(added.size(), result.items.size() + 1);
    EXPECT_EQ(added[8], (LayoutItem{1, 2, 1, 330, 630, 634, 834, 1, 2}));
    EXPECT_EQ(added[9], second[0]);
    EXPECT_EQ(added[11], second[2]);  // the other layout keeps its through cut

    const auto offcut = editedItems(result, 2, newOffcutTarget(), EditRow{404, 0, 500, 300, 2, 1200, 1000});
    ASSERT_EQ(offcut.size(), result.items.size() + 1);
    EXPECT_EQ(offcut.back(), (LayoutItem{2, engine::kOffcutItem, 1, 404, 0, 908, 304, 3, 2}));
    EXPECT_EQ(offcut[10].kind, engine::kConsumedItem);
    EXPECT_EQ(offcut[6].kind, engine::kThroughCut);

    EXPECT_THROW(editedItems(result, 2, existingTarget(result, 3), EditRow{}), InputError);
}

TEST(LayoutEditingStore, StoringWritesDiaTlf) {
    test::TempFolder dir;
    const Workspace ws(dir.path());
    storeEdit(ws, kSample, 1, existingTarget(kSample, 4), EditRow{10, 620, 300, 200, 2, 1200, 1000});
    const auto stored = engine::readLayoutItems(dir / "dia.tlf");
    ASSERT_EQ(stored.size(), kSample.items.size());
    EXPECT_EQ(stored[4], (LayoutItem{1, 2, 1, 10, 620, 314, 824, 1, 2}));
    EXPECT_EQ(dir.read("dia.tlf").substr(0, 20), "1,-1,1,0,0,1004,1204");
}

// Two coil layouts as the engine stores them (coil 1250 wide, bottom margin 10, kerf 4): the first
// uses 810 of the coil and is shown turned, the second uses 2014 and is shown as stored.
std::vector<LayoutItem> storedCoilItems() {
    auto at = [](int layout, int kind, float x1, float y1, float x2, float y2, int placement = 0) {
        return LayoutItem{layout, kind, 1, x1, y1, x2, y2, 1, placement};
    };
    std::vector<LayoutItem> items;
    for (int layout : {1, 2}) {
        items.push_back(at(layout, engine::kSheetItem, 0, 0, 1254, 5004));
        items.push_back(at(layout, engine::kMarginItem, 0, 0, 1254, 10));
        items.push_back(at(layout, engine::kMarginItem, 0, 0, 10, 5004));
        items.push_back(at(layout, engine::kMarginItem, 1244, 0, 1254, 5004));
        items.push_back(at(layout, engine::kMarginItem, 0, 4994, 1254, 5004));
        if (layout == 1) {
            items.push_back(at(1, 1, 10, 10, 614, 810, 1));
            items.push_back(at(1, engine::kOffcutItem, 614, 10, 1244, 810));
            items.push_back(at(1, engine::kThroughCut, 0, 810, 1254, 810));
            items.push_back(at(1, engine::kOffcutItem, 10, 810, 1244, 4994));
        } else {
            items.push_back(at(2, 2, 10, 10, 1214, 2014, 1));
            items.push_back(at(2, engine::kOffcutItem, 10, 2014, 1244, 4994));
        }
    }
    return items;
}

engine::SheetVariety coilVariety() { return engine::SheetVariety{5000, 1250, 9999999, 0, 10, 10, 10, 10, ""}; }

// The result as the viewer holds it: stored items, and the items completed for showing.
engine::LoadedResult coilResult() {
    engine::LoadedResult r;
    r.job.stock = StockMode::Coil;
    r.job.basic.kerf = 4;
    r.job.sheets = {coilVariety()};
    r.job.cuts = {test::piece(796, 600, "Door"), test::piece(2000, 1200, "Top")};
    r.storedItems = storedCoilItems();
    r.items = r.storedItems;
    engine::completeCoilLayouts(r.items, r.job.sheets);
    for (std::size_t i = 0; i < r.items.size(); ++i)
        if (r.items[i].kind == engine::kSheetItem) r.layoutStart.push_back(i);
    return r;
}

TEST(LayoutEditingStore, CoilLayoutsAreStoredAsTheEngineWroteThemAndShowTheSameWhenLoadedAgain) {
    const engine::LoadedResult r = coilResult();
    const std::vector<LayoutItem> stored = storedCoilItems();
    // Layout 1 was turned: the piece shows 800 across and 604 down, placement 2, on coil variety 2
    // (the varieties are numbered from the last layout).
    ASSERT_EQ(r.items[5], (LayoutItem{1, 1, 2, 10, 10, 810, 614, 1, 2}));
    ASSERT_EQ(r.job.sheets[1].length, 1250);
    ASSERT_EQ(r.job.sheets[1].width, 820);

    // The piece moved 10 down in the picture.
    EXPECT_EQ(editRowFor(r, 1, existingTarget(r, 5)), (EditRow{10, 10, 796, 600, 2, 1250, 820}));
    const auto items = editedItems(r, 1, existingTarget(r, 5), EditRow{10, 20, 796, 600, 2, 1250, 820});
    ASSERT_EQ(items.size(), stored.size());
    // Stored turned back, on the engine's coil number.
    EXPECT_EQ(items[5], (LayoutItem{1, 1, 1, 20, 10, 624, 810, 1, 1}));
    EXPECT_EQ(items[7].kind, engine::kConsumedItem);
    // The other layout exactly as the engine wrote it.
    for (std::size_t i = 9; i < stored.size(); ++i) EXPECT_EQ(items[i], stored[i]) << i;
    for (const LayoutItem& it : items) EXPECT_EQ(it.sheet, 1);

    // Loaded again, the layouts look as edited.
    std::vector<LayoutItem> shown;
    for (const LayoutItem& it : items)
        if (it.kind != engine::kConsumedItem) shown.push_back(it);
    std::vector<engine::SheetVariety> coils = {coilVariety()};
    engine::completeCoilLayouts(shown, coils);
    EXPECT_EQ(shown[5], (LayoutItem{1, 1, 2, 10, 20, 810, 624, 1, 2}));
    EXPECT_EQ(shown[0], r.items[0]);
    EXPECT_EQ(coils[1].length, 1250);
    EXPECT_EQ(coils[1].width, 820);
    for (std::size_t i = 8; i < shown.size(); ++i) EXPECT_EQ(shown[i], r.items[i + 1]) << i;
}

TEST(LayoutEditingMark, TheHitItemIsOutlinedInLightRedWithItsCorner) {
    RecordingSurface surface(500, 500);
    surface.setScale(layoutScale(kSample, 1, DrawTarget{}, 500, 500));
    markItem(surface, kSample, 4);
    const auto boxes = surface.all<RecordingSurface::Box>();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_FALSE(boxes[0].filled);
    EXPECT_EQ(boxes[0].color, colors::kLightRed);
    EXPECT_DOUBLE_EQ(boxes[0].x1, 10);
    EXPECT_DOUBLE_EQ(boxes[0].y2, 818);
    const auto circles = surface.all<RecordingSurface::Circle>();
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_DOUBLE_EQ(circles[0].cx, 10);
    EXPECT_DOUBLE_EQ(circles[0].cy, 614);
    EXPECT_DOUBLE_EQ(circles[0].r, 150.5 / 8);
    const auto labels = surface.all<RecordingSurface::Text>();
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].text, "(XS,YS)");
    EXPECT_EQ(labels[0].color, colors::kWhite);
    EXPECT_TRUE(labels[0].font.bold);
    EXPECT_TRUE(boxes[1].filled);
    EXPECT_EQ(boxes[1].color, colors::kLightRed);
}

}  // namespace
}  // namespace veltrix::layouts
