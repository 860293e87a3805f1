// Hand edits of a plan as commands: every kind of edit is undone to exactly the plan it started
// from and redone to exactly the plan it made (an arrangement run as one edit is checked through
// the desktop program, tests/ui).

#include <gtest/gtest.h>

#include "app/base_module.h"
#include "app/job_commands.h"
#include "app/layout_commands.h"
#include "app/layout_viewer.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "two_variety_job.h"

namespace veltrix {
namespace {

struct PlanEdits : ::testing::Test {
    test::TempFolder dir;
    ScriptedPrompt prompt;
    ScriptedFileDialogs dialogs;
    FrameHooks hooks;
    BaseModule module{Workspace(dir.path()), StockMode::Sheet, prompt, dialogs, hooks};
    std::unique_ptr<LayoutViewer> viewer;

    PlanEdits() {
        dir.write("misc.set", "\"Area\"\r\n0\r\n1\r\n");
        module.start();
        dialogs.pushOpen(dir.write("job.opt", test::kTwoVarietyJob).string());
        module.fileOpen();
        engine::RunObserver quiet;
        optimizeJob(module.document(), module.workspace(), {}, quiet, {}, prompt);
        module.setPlan(module.document().plan);
        viewer = std::make_unique<LayoutViewer>(module);
    }
    std::string plan() const { return planText(module.document().plan); }
    // The first item of the current layout of a kind.
    std::size_t first(bool piece) const {
        const auto& r = viewer->result();
        for (std::size_t i = r.layoutBegin(viewer->current()); i < r.layoutEnd(viewer->current()); ++i)
            if (piece ? r.items[i].isPiece() : r.items[i].kind == ItemKind::Offcut) return i;
        ADD_FAILURE() << "no such item";
        return 0;
    }
};

TEST_F(PlanEdits, EveryKindOfEditIsUndoneAndRedoneByteForByte) {
    ASSERT_FALSE(module.document().plan.empty());
    struct Case {
        const char* name;
        std::function<layouts::EditTarget()> target;
        std::function<void(layouts::EditRow&)> change;
    };
    const std::vector<Case> cases{
        {"Move Cut-Piece", [&] { return layouts::existingTarget(viewer->result(), first(true)); },
         [](layouts::EditRow& r) { r.xs += 1; }},
        {"Delete Cut-Piece", [&] { return layouts::existingTarget(viewer->result(), first(true)); },
         [](layouts::EditRow& r) { r = layouts::EditRow{0, 0, 0, 0, 0, r.length, r.width}; }},
        {"Modify Off-Cut", [&] { return layouts::existingTarget(viewer->result(), first(false)); },
         [](layouts::EditRow& r) { r.dimY -= 1; }},
        {"Add Cut-Piece", [] { return addTarget(2); }, [](layouts::EditRow& r) { r.xs = 5; }},
        {"Add Off-Cut", [] { return addTarget(0); }, [](layouts::EditRow& r) { r.dimX = r.dimY = 7; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompt.push(Answer::Yes);  // kept even where it overlaps: undo is what is tried here
        const std::string before = plan();
        const layouts::EditTarget target = c.target();
        layouts::EditRow row = *editRowOf(*viewer, target);
        c.change(row);
        ASSERT_EQ(applyEdit(*viewer, target, row), EditOutcome::Stored);
        const std::string after = plan();
        EXPECT_NE(after, before);
        EXPECT_EQ(module.history().undoName(), c.name);
        ASSERT_TRUE(undoEdit(*viewer));
        EXPECT_EQ(plan(), before);
        ASSERT_TRUE(redoEdit(*viewer));
        EXPECT_EQ(plan(), after);
        ASSERT_TRUE(undoEdit(*viewer));  // the next case starts from the optimized plan
    }
    EXPECT_TRUE(module.document().changed);
}

TEST_F(PlanEdits, AnEditThatOverlapsIsAppliedOnlyWhenTheUserSaysSo) {
    // The first piece moved onto the second: asked, No preselected, No keeps the plan.
    const auto& r = viewer->result();
    const std::size_t a = first(true);
    std::size_t b = a + 1;
    while (!r.items[b].isPiece()) ++b;
    const layouts::EditTarget target = layouts::existingTarget(r, a);
    layouts::EditRow row = *editRowOf(*viewer, target);
    row.xs = r.items[b].x1;
    row.ys = r.items[b].y1;
    const std::string before = plan();
    prompt.messages.clear();
    prompt.push(Answer::No);
    EXPECT_EQ(applyEdit(*viewer, target, row), EditOutcome::Declined);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text.rfind("This overlaps cut-piece ", 0), 0u) << prompt.messages[0].text;
    EXPECT_EQ(prompt.messages[0].defaultAnswer, Answer::No);
    EXPECT_EQ(plan(), before);
    EXPECT_FALSE(module.history().canUndo());
    const auto layoutYield = [&] {
        const std::string& text = viewer->reports().report.text;
        const std::size_t at = text.find("Yield(%): ", text.find("Layout No. " + std::to_string(viewer->current()) + "/"));
        return std::stod(text.substr(at + 10, 6));
    };
    const double yieldBefore = layoutYield();
    prompt.push(Answer::Yes);
    EXPECT_EQ(applyEdit(*viewer, target, row), EditOutcome::Stored);
    EXPECT_NE(plan(), before);
    // Kept anyway, the two pieces on one place count once: the layout's yield drops.
    EXPECT_LT(layoutYield(), yieldBefore);

    // An off-cut added where the two pieces now lie names both; the place the first piece left is
    // free, so an off-cut there asks nothing.
    layouts::EditRow offcut = *editRowOf(*viewer, addTarget(0));
    offcut.xs = row.xs;
    offcut.ys = row.ys;
    offcut.dimX = offcut.dimY = 5;
    prompt.push(Answer::No);
    EXPECT_EQ(applyEdit(*viewer, addTarget(0), offcut), EditOutcome::Declined);
    const std::string& question = prompt.messages.back().text;
    EXPECT_NE(question.find(" and cut-piece "), std::string::npos) << question;
    const std::size_t asked = prompt.messages.size();
    offcut.xs = offcut.ys = 0;
    EXPECT_EQ(applyEdit(*viewer, addTarget(0), offcut), EditOutcome::Stored);
    EXPECT_EQ(prompt.messages.size(), asked);
    const layouts::EditRow deleted{0, 0, 0, 0, 0, row.length, row.width};
    EXPECT_TRUE(layouts::editOverlaps(viewer->result(), viewer->current(), target, deleted).empty());
}

TEST_F(PlanEdits, AnOffcutAddedAtTheCornerOfASheetWithMarginsNamesThem) {
    module.tables().sheets.loadText("\"2440\",\"1220\",\"5\",\"10\",\"15\",\"10\",\"10\",\"A\"\r\n");
    engine::RunObserver quiet;
    module.document().plan = {};
    optimizeJob(module.document(), module.workspace(), {}, quiet, {}, prompt);
    viewer = std::make_unique<LayoutViewer>(module);
    layouts::EditRow offcut = *editRowOf(*viewer, addTarget(0));
    offcut.dimX = 30;
    offcut.dimY = 30;
    const auto overlaps = layouts::editOverlaps(viewer->result(), viewer->current(), addTarget(0), offcut);
    ASSERT_GE(overlaps.size(), 3u);
    EXPECT_EQ(overlaps.front().rfind("cut-piece ", 0), 0u) << overlaps.front();
    EXPECT_EQ(overlaps[overlaps.size() - 2], "the left margin");
    EXPECT_EQ(overlaps.back(), "the top margin");
}

TEST(OverlapQuestion, NamesEachThingInOneSentence) {
    EXPECT_EQ(layouts::overlapQuestion({"cut-piece 720 x 560 SIDE"}),
              "This overlaps cut-piece 720 x 560 SIDE. Keep it anyway?");
    EXPECT_EQ(layouts::overlapQuestion({"an off-cut 300 x 120", "cut-piece 1 x 2", "the top margin"}),
              "This overlaps an off-cut 300 x 120, cut-piece 1 x 2 and the top margin. Keep it anyway?");
}

TEST_F(PlanEdits, ANewEditForgetsWhatWasUndoneAndANewPlanForgetsTheHistory) {
    const layouts::EditTarget target = layouts::existingTarget(viewer->result(), first(true));
    layouts::EditRow row = *editRowOf(*viewer, target);
    row.ys += 2;
    for (int i = 0; i < 2; ++i) prompt.push(Answer::Yes);
    applyEdit(*viewer, target, row);
    undoEdit(*viewer);
    EXPECT_TRUE(module.history().canRedo());
    row.ys += 1;
    applyEdit(*viewer, target, row);
    EXPECT_FALSE(module.history().canRedo());
    EXPECT_FALSE(redoEdit(*viewer));
    module.setPlan(module.document().plan);
    EXPECT_FALSE(module.history().canUndo());
    EXPECT_FALSE(undoEdit(*viewer));
}

}  // namespace
}  // namespace veltrix
