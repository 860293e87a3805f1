// Editing a layout by hand: what a point of the picture hits, the Edit window's rows and rules,
// the AddNew list, and the plan with the edit applied in sheet and coil mode, checked by the
// independent plan checker.

#include "layouts/layout_editing.h"

#include <gtest/gtest.h>

#include "../engine/plan_checker.h"
#include "layouts/sample_result.h"
#include "base/error.h"
#include "table/grid_table.h"

namespace veltrix::layouts {
namespace {

// sample.opt (see sample_result.h): 0 sheet, 1 top margin, 2 and 3 pieces of variety 1 side by
// side (the second 399.5 wide), 4 a turned piece of variety 2, 5 an off-cut, 6 and 7 through cuts.
const engine::LoadedResult kSample = test::loadProject("sample.opt");

GridTable editGrid(const std::string& row) {
    GridTable grid(editKeys());
    grid.loadText(row + "\r\n");
    return grid;
}

TEST(LayoutEditing, HitTestAndTooltipNameTheLatestPieceOrOffcutUnderThePoint) {
    const std::string add = kAddTooltip;
    // x, y, the item hit (-1: none), the tooltip. On a shared edge or corner the later item wins;
    // margins, sheet and through cuts are never hit.
    const std::tuple<double, double, int, std::string> cases[] = {
        {200, 300, 2, "EDIT Cut-Piece 600 x 400"}, {414, 300, 3, "EDIT Cut-Piece 600 x 399.5"},
        {100, 700, 4, "EDIT Cut-Piece 200 x 300"}, {314, 614, 5, "EDIT Off-Cut 586 x 686"},
        {1004, 1204, 5, "EDIT Off-Cut 586 x 686"}, {500, 5, -1, add}, {-50, -50, -1, add}, {1004.5, 700, -1, add}};
    for (const auto& [x, y, hit, tooltip] : cases) {
        EXPECT_EQ(itemAt(kSample, 1, x, y).value_or(-1), static_cast<std::size_t>(hit)) << x << "," << y;
        EXPECT_EQ(pointTooltip(kSample, 1, x, y), tooltip) << x << "," << y;
    }
    EXPECT_FALSE(itemAt(kSample, 2, 200, 300).has_value());
}

TEST(LayoutEditing, TheWindowsModesAndTheRowsItOpensWith) {
    const std::string move = "Delete / Move Existing Cut-Piece";
    const std::tuple<EditTarget, std::string, std::string, bool, bool, std::string> modes[] = {
        // target, caption, button, DIM-X and DIM-Y shown (else ORN), Delete shown, the row. A piece's
        // and a new piece's windows are driven through the desktop program (tests/ui), a turned
        // piece's row in the coil edits below.
        {existingTarget(kSample, 3), move, "Move", false, true, "414,10,399.5,600,1,1200,1000"},
        {existingTarget(kSample, 5), "Delete / Modify Existing Off-Cut", "Modify", true, true,
         "314,614,686,586,0,1200,1000"},
        {newOffcutTarget(), "Define Position & Size of New Off-Cut", "Add", true, false, "0,0,0,0,0,1200,1000"}};
    for (const auto& [target, caption, button, sizes, canDelete, row] : modes) {
        EXPECT_EQ(editCaption(target.mode), caption);
        EXPECT_EQ(editActionCaption(target.mode), button);
        EXPECT_EQ(std::pair(editShowsSizes(target.mode), editShowsOrientation(target.mode)), std::pair(sizes, !sizes));
        EXPECT_EQ(editCanDelete(target.mode), canDelete);
        EXPECT_EQ(editRowText(editRowFor(kSample, 1, target)), row + "\r\n");
    }
    EXPECT_THROW(existingTarget(kSample, 1), InputError);  // a margin
    EXPECT_THROW(editRowFor(kSample, 1, newCutPieceTarget(3)), InputError);
    EXPECT_THROW(editRowFor(kSample, 2, newOffcutTarget()), InputError);
}

TEST(LayoutEditing, EditWindowRulesOnItsRow) {
    enum Rule { Orient, Complete, Clear };
    const std::tuple<Rule, bool, std::string, std::string> cases[] = {
        // rule, the piece's length the larger size, the row before, after. ORN 1 puts the piece's
        // length along Y, ORN 2 turns it, other values change nothing; a size keeps its digits.
        {Orient, true, "0,0,600,400,1,1200,1000", "0,0,400,600,1,1200,1000"},
        {Orient, true, "0,0,400,600,2,1200,1000", "0,0,600,400,2,1200,1000"},
        {Orient, true, "0,0,600,400,,1200,1000", "0,0,600,400,,1200,1000"},
        {Orient, true, "0,0,.5,399.5,2,1200,1000", "0,0,399.5,.5,2,1200,1000"},
        {Orient, false, "0,0,200,300,1,1200,1000", "0,0,300,200,1,1200,1000"},  // shorter than wide
        {Orient, false, "0,0,300,200,2,1200,1000", "0,0,200,300,2,1200,1000"},
        // Before a button: empty cells become 0 and ORN follows the shape; a square ends with 1.
        {Complete, true, "\"\",\"\",\"500\",\"300\",\"\",\"1200\",\"1000\"", "0,0,500,300,2,1200,1000"},
        {Complete, true, "5,5,300,500,2,1200,1000", "5,5,300,500,1,1200,1000"},
        {Complete, true, "5,5,400,400,2,1200,1000", "5,5,400,400,1,1200,1000"},
        {Complete, false, "0,0,300,200,2,1200,1000", "0,0,300,200,1,1200,1000"},
        {Complete, false, "0,0,200,300,1,1200,1000", "0,0,200,300,2,1200,1000"},
        {Clear, true, "5,5,400,400,2,1200,1000", "0,0,0,0,0,1200,1000"}};
    for (const auto& [rule, lengthLonger, before, after] : cases) {
        GridTable grid = editGrid(before);
        if (rule == Orient) orientSizes(grid, lengthLonger);
        if (rule == Complete) completeRow(grid, lengthLonger);
        if (rule == Clear) clearRow(grid);
        EXPECT_EQ(grid.rowTexts(1), editGrid(after).rowTexts(1)) << before;
    }
    engine::LoadedResult rail = kSample;  // variety 2 made 200 long and 300 wide
    rail.job.cuts[1].length = 200;
    rail.job.cuts[1].width = 300;
    EXPECT_TRUE(lengthIsLonger(kSample, newCutPieceTarget(1)) && lengthIsLonger(rail, existingTarget(rail, 5)));
    EXPECT_FALSE(lengthIsLonger(rail, newCutPieceTarget(2)) || lengthIsLonger(rail, existingTarget(rail, 4)));
    EXPECT_EQ(gridRow(editGrid("1,2,3,4.5,2,1200,1000")), (EditRow{1, 2, 3, 4.5f, 2, 1200, 1000}));

    // "Move", "Modify" and "Add" refuse a corner or size outside the sheet, the width first;
    // edges exactly on the sheet's pass.
    const std::pair<EditRow, std::optional<std::string>> rows[] = {
        {{600.5f, 600, 399.5f, 600, 1, 1200, 1000}, std::nullopt},
        {{600.6f, 0, 399.5f, 600, 1, 1200, 1000}, "Out of sheet width 1000"},
        {{0, 600.5f, 400, 600, 1, 1200, 1000.5f}, "Out of sheet length 1200"},
        {{-1, 0, 10, 10, 1, 1200, 1000}, "Out of sheet width 1000"},
        {{0, -1, 10, 10, 1, 1200, 1000}, "Out of sheet length 1200"},
        {{999, 1199, 2, 2, 1, 1200, 1000}, "Out of sheet width 1000"}};
    for (const auto& [row, message] : rows) EXPECT_EQ(outOfSheetMessage(row), message) << row.xs << "," << row.ys;
}

TEST(LayoutEditing, AddNewListsOneLinePerVarietyInColumns) {
    engine::LoadedResult result = kSample;
    result.job.cuts.push_back(engine::CutVariety{.length = 2440.125f, .width = 12.5f, .description = "Long Rail"});
    // A length of 8 characters runs past the column of " X ", which follows after a blank; so does
    // the width after it, and the description stands at its column again.
    EXPECT_EQ(addNewListText(result),
              "Off-Cut\r\nCut-Piece 600     X 400     Side Panel\r\nCut-Piece 300     X 200     Shelf\r\n"
              "Cut-Piece 2440.125  X  12.5 Long Rail\r\n");
}

// The problems the plan checker finds in a plan of a project of tests/data/layouts; consumed items
// are absent.
std::vector<std::string> problems(const std::string& project, const Plan& plan) {
    Plan kept;
    for (const LayoutItem& it : plan.items)
        if (it.kind != ItemKind::Consumed) kept.items.push_back(it);
    const std::string text = test::readFile(test::dataFile("layouts/" + project));
    return test::checkProjectPlan(text, project.ends_with(".dcm"), planText(kept)).problems;
}

bool mentions(const std::vector<std::string>& problems, const std::string& text) {
    return std::any_of(problems.begin(), problems.end(),
                       [&](const auto& p) { return p.find(text) != std::string::npos; });
}

TEST(LayoutEditing, SheetEditsGiveCuttablePlansOnceTheOffcutsMakeRoom) {
    const Document doc = test::project("two-layouts.opt");
    const engine::LoadedResult result = engine::loadResult(doc.job(), doc.plan);
    ASSERT_TRUE(problems("two-layouts.opt", doc.plan).empty());

    // The bottom off-cut of layout 1 (item 10) made smaller, leaving room at its left.
    const Plan shrunk = editedPlan(result, 1, existingTarget(result, 10), EditRow{614, 734, 376, 456, 1, 1200, 1000});
    ASSERT_EQ(shrunk.items.size(), doc.plan.items.size());
    EXPECT_EQ(shrunk.items[10], (LayoutItem{1, ItemKind::Offcut, 1, 614, 734, 994, 1194, 1, Placement::Lengthwise}));
    EXPECT_EQ(shrunk.items[9].kind, ItemKind::Consumed);     // layout 1's through cut is undone
    EXPECT_EQ(shrunk.items[19].kind, ItemKind::ThroughCut);  // layout 2's stays
    for (std::size_t i : {0u, 5u, 6u, 7u, 8u, 11u, 20u}) EXPECT_EQ(shrunk.items[i], doc.plan.items[i]) << i;
    EXPECT_EQ(problems("two-layouts.opt", shrunk), std::vector<std::string>{});

    // The shelf (item 6) moved there turned, through the Edit window's rules.
    const engine::LoadedResult again = engine::loadResult(doc.job(), shrunk);
    const EditTarget shelf = existingTarget(again, 6);
    GridTable grid = editGrid(editRowText(editRowFor(again, 1, shelf)));
    grid.setCell(1, 1, "10");
    grid.setCell(1, 2, "734");
    grid.setCell(1, 5, "2");
    orientSizes(grid, lengthIsLonger(again, shelf));
    completeRow(grid, lengthIsLonger(again, shelf));
    ASSERT_EQ(gridRow(grid), (EditRow{10, 734, 600, 400, 2, 1200, 1000}));
    ASSERT_FALSE(outOfSheetMessage(gridRow(grid)));
    const Plan moved = editedPlan(again, 1, shelf, gridRow(grid));
    EXPECT_EQ(moved.items[6], (LayoutItem{1, pieceKind(2), 1, 10, 734, 614, 1138, 1, Placement::Turned}));
    EXPECT_EQ(problems("two-layouts.opt", moved), std::vector<std::string>{});

    // Moved there before the off-cut made room, the shelf lies on it.
    const Plan early = editedPlan(result, 1, existingTarget(result, 6), gridRow(grid));
    EXPECT_TRUE(mentions(problems("two-layouts.opt", early), "an off-cut overlaps a piece"));
}

TEST(LayoutEditing, AdditionsFollowTheLayoutAndDeletionsLeaveAKerfSizedOffcut) {
    const Document doc = test::project("two-layouts.opt");
    const engine::LoadedResult result = engine::loadResult(doc.job(), doc.plan);
    // (A piece added to layout 1 going directly after its last item is driven through the desktop
    // program, tests/ui.) A new off-cut of layout 2 takes the sheet item's layout number, quantity and sheet.
    const Plan offcut = editedPlan(result, 2, newOffcutTarget(), EditRow{818, 10, 172, 600, 1, 1200, 1000});
    EXPECT_EQ(offcut.items.back(), (LayoutItem{2, ItemKind::Offcut, 1, 818, 10, 994, 614, 1, Placement::Lengthwise}));
    EXPECT_EQ(offcut.items[9].kind, ItemKind::ThroughCut);

    // Deleted, the hob panel (item 5) or an off-cut (item 7) stays as a kerf-sized off-cut at the
    // sheet's corner; the panel is then missing from the production.
    const EditRow zeros{0, 0, 0, 0, 0, 1200, 1000};
    const Plan deleted = editedPlan(result, 1, existingTarget(result, 5), zeros);
    EXPECT_EQ(deleted.items[5], (LayoutItem{1, ItemKind::Offcut, 1, 0, 0, 4, 4, 1, Placement::None}));
    EXPECT_TRUE(mentions(problems("two-layouts.opt", deleted), "cut-piece 1: produced 0"));
    EXPECT_EQ(editedPlan(result, 1, existingTarget(result, 7), zeros).items[7], deleted.items[5]);
    EXPECT_THROW(editedPlan(result, 2, existingTarget(result, 5), zeros), InputError);
}

TEST(LayoutEditing, CoilEditsAreStoredAsTheEngineWroteThemTurnedBack) {
    const Document doc = test::project("coil-two-layouts.dcm");
    const engine::LoadedResult result = engine::loadResult(doc.job(), doc.plan);
    // Layout 1 is shown turned: the door (item 5) 800 across and 604 down, the off-cut beside it
    // (item 6) below it, on a coil variety of its own (2: the varieties count from the last layout).
    ASSERT_EQ(result.items[5], (LayoutItem{1, pieceKind(2), 2, 10, 10, 810, 614, 1, Placement::Turned}));
    ASSERT_EQ(result.items[6], (LayoutItem{1, ItemKind::Offcut, 2, 10, 614, 810, 1244, 1, Placement::None}));
    EXPECT_EQ(editRowFor(result, 1, existingTarget(result, 5)), (EditRow{10, 10, 796, 600, 2, 1250, 820}));

    // The off-cut made 20 shorter from the top, then the door moved 10 down in the picture.
    // Placement codes 1 and 2 change places with x and y.
    const Plan shrunk = editedPlan(result, 1, existingTarget(result, 6), EditRow{10, 634, 796, 606, 1, 1250, 820});
    EXPECT_EQ(shrunk.items[6], (LayoutItem{1, ItemKind::Offcut, 1, 634, 10, 1244, 810, 1, Placement::Turned}));
    EXPECT_EQ(shrunk.items[7].kind, ItemKind::Consumed);
    const engine::LoadedResult again = engine::loadResult(doc.job(), shrunk);  // without the consumed cut
    const Plan moved = editedPlan(again, 1, existingTarget(again, 5), EditRow{10, 20, 796, 600, 2, 1250, 820});
    ASSERT_EQ(moved.items.size(), doc.plan.items.size() - 1);
    EXPECT_EQ(moved.items[5], (LayoutItem{1, pieceKind(2), 1, 20, 10, 624, 810, 1, Placement::Lengthwise}));
    EXPECT_EQ(moved.items[6], shrunk.items[6]);
    for (std::size_t i = 9; i < doc.plan.items.size(); ++i) EXPECT_EQ(moved.items[i - 1], doc.plan.items[i]) << i;
    for (const LayoutItem& it : moved.items) EXPECT_EQ(it.sheet, 1);
    // The edited layout is stored cut back to the 820 it uses; all else the checker asks holds.
    EXPECT_EQ(moved.items[0], (LayoutItem{1, ItemKind::Sheet, 1, 0, 0, 1254, 820, 1, Placement::None}));
    EXPECT_EQ(problems("coil-two-layouts.dcm", moved),
              std::vector<std::string>{"layout 1: the sheet item is not the whole sheet"});
    // Loaded again, the layout looks as edited.
    const engine::LoadedResult shown = engine::loadResult(doc.job(), moved);
    EXPECT_EQ(shown.items[5], (LayoutItem{1, pieceKind(2), 2, 10, 20, 810, 624, 1, Placement::Turned}));
    EXPECT_EQ(shown.items[0], result.items[0]);
    EXPECT_EQ(shown.job.sheets[1].width, 820);
}

}  // namespace
}  // namespace veltrix::layouts
