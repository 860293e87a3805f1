// Hand edits of a plan as commands: every kind of edit is undone to exactly the plan it started
// from and redone to exactly the plan it made; an arrangement run is one edit.

#include <gtest/gtest.h>

#include "app/base_module.h"
#include "app/job_commands.h"
#include "app/layout_commands.h"
#include "app/layout_viewer.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace veltrix {
namespace {

// Twenty 600 x 400 sides and four 300 x 200 shelves on 2440 x 1220 boards, kerf 4.
const char* kJob =
    "[BASIC.TLF]\r\n\"PB\",\"\",\"18\",\"3000\",\"0\",\"4\",\"0\",\"\"\r\n[END]\r\n"
    "[OPTIONS.TLF]\r\n-1,0\r\n[END]\r\n"
    "[SHEET.TLF]\r\n\"2440\",\"1220\",\"5\",\"0\",\"0\",\"0\",\"0\",\"A\"\r\n[END]\r\n"
    "[CUT.TLF]\r\n\"600\",\"\",\"\",\"\",\"\",\"400\",\"\",\"\",\"\",\"\",\"20\",\"\",\"SIDE\",\"\",\"\",\"\",\"\"\r\n"
    "\"300\",\"\",\"\",\"\",\"\",\"200\",\"\",\"\",\"\",\"\",\"4\",\"\",\"SHELF\",\"\",\"\",\"\",\"\"\r\n[END]\r\n"
    "[DIA.TLF]\r\n[END]\r\n";

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
        dialogs.pushOpen(dir.write("job.opt", kJob).string());
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

TEST_F(PlanEdits, AnArrangementRunIsOneEditAndTheOriginalComesBack) {
    const std::string original = plan();
    viewer->select(viewer->layoutCount());  // the last layout, with room to spare
    ArrangeSession session;
    bool found = false;
    for (int t = 0; t < 3; ++t) found = arrangeCurrentLayout(*viewer, session) || found;
    ASSERT_TRUE(found);
    EXPECT_EQ(module.history().undoName(), "Arrange Layout");
    ASSERT_TRUE(module.history().canUndo());
    // The three tries stand as one edit: one undo is back at the original.
    ASSERT_TRUE(restoreArrangement(*viewer, session));
    EXPECT_EQ(plan(), original);
    EXPECT_FALSE(module.history().canUndo());
    EXPECT_FALSE(restoreArrangement(*viewer, session));
}

TEST_F(PlanEdits, ANewEditForgetsWhatWasUndoneAndANewPlanForgetsTheHistory) {
    const layouts::EditTarget target = layouts::existingTarget(viewer->result(), first(true));
    layouts::EditRow row = *editRowOf(*viewer, target);
    row.ys += 2;
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
