// Optimize > Deep Search through the menu: the progress names the runs and ends with the stock of
// the best plan, which replaces the standard run's; a stopped deep search keeps a valid plan and
// offers no continuation; a job that cannot run fails as a standard run does.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

#include "../engine/plan_checker.h"
#include "app/base_module.h"
#include "job/plan.h"
#include "ui/base_window.h"
#include "ui/layouts_window.h"
#include "ui/progress_dialog.h"
#include "ui_support.h"

namespace veltrix::ui {
namespace {

struct DeepSearch : ::testing::Test {
    test::Harness h;
    std::unique_ptr<BaseWindow> base;
    std::string project = veltrix::test::readFile(veltrix::test::dataFile("conformance/mixed_stock.opt"));

    // Mixed stock: 20 small and 20 large sheets; efficiency 4 keeps each run short.
    void openMixedStock() {
        h.copyExample();
        h.dir.write("misc.set", "\"Area With Edge Banding\"\r\n2\r\n4\r\n");
        base = h.startBase();
        h.open(*base, h.dir.write("mixed.opt", project));
    }
    // Runs the menu action and presses OK at its end; `stop` clicks Stop as soon as the run is
    // seen going on. The Save As after a run is cancelled.
    test::SeenRun run(const char* action, bool stop = false) {
        std::function<void(ProgressDialog&)> stopping;
        if (stop) stopping = [](ProgressDialog& dialog) { dialog.button()->click(); };
        return test::runAndWatch(*base, [&] { base->action(action)->trigger(); }, stopping);
    }
    veltrix::test::PlanCheck check() const {
        return veltrix::test::checkProjectPlan(project, false, planText(base->module().document().plan));
    }
};

TEST_F(DeepSearch, TheLargeSheetsAloneReplaceTheStandardPlanOfThreeSheets) {
    openMixedStock();
    run("actionOptimize");
    EXPECT_EQ(check().layouts, 3);

    const test::SeenRun seen = run("actionDeepSearch");
    EXPECT_EQ(seen.message, "Optimization done.\nDeep search: best with sheet rows 2");
    // The best plan's line stands from the start, so Stop does not move when a run finishes.
    EXPECT_TRUE(seen.startSeen);
    EXPECT_EQ(seen.bestLineAtStart.rfind("Best so far: ", 0), 0u) << seen.bestLineAtStart;
    EXPECT_EQ(seen.layouts, "2");
    EXPECT_EQ(seen.yield, "68.41");
    // Three runs: every sheet row, then each row alone.
    ASSERT_EQ(seen.runLines.size(), 3u);
    for (const std::string& line : seen.runLines)
        EXPECT_TRUE(QString::fromStdString(line).contains(
            QRegularExpression(QStringLiteral("^Run [1-3] of 3: (all sheet rows|sheet rows [12])$"))))
            << line;
    const veltrix::test::PlanCheck plan = check();
    EXPECT_TRUE(plan.ok()) << plan.summary();
    EXPECT_EQ(plan.layouts, 2);
    EXPECT_NEAR(plan.yield * 100, 68.41, 0.005);
    ASSERT_NE(base->layoutsWindow(), nullptr);
    EXPECT_EQ(base->layoutsWindow()->layoutSelector()->count(), 2);
    EXPECT_EQ(h.dialogs.requests.back().title, "Save File...");
}

TEST_F(DeepSearch, AStoppedDeepSearchKeepsAValidPlanAndOffersNoContinuation) {
    openMixedStock();
    run("actionOptimize");
    const std::string previous = planText(base->module().document().plan);
    ASSERT_FALSE(previous.empty());

    const test::SeenRun seen = run("actionDeepSearch", true);
    EXPECT_EQ(seen.message.find("continue"), std::string::npos) << seen.message;
    EXPECT_EQ(base->module().state().continuationIteration, 0);
    const veltrix::test::PlanCheck plan = check();
    EXPECT_TRUE(plan.ok()) << plan.summary();
    if (seen.message.rfind("Optimization failed.", 0) == 0) {  // stopped before any run finished
        EXPECT_EQ(planText(base->module().document().plan), previous);
    } else {
        EXPECT_EQ(seen.message.rfind("Optimization Stopped.\nDeep search: best with ", 0), 0u) << seen.message;
        EXPECT_EQ(seen.layouts, std::to_string(plan.layouts));
    }
}

TEST_F(DeepSearch, AJobThatCannotRunFailsAsAStandardRunDoes) {
    base = h.startBase();
    base->module().tables().basic.loadText("\"PB\",\"\",\"18\",\"1000\",\"0\",\"4\",\"0\",\"\"\r\n");
    base->module().tables().sheets.loadText("\"2440\",\"1220\",\"5\",\"0\",\"0\",\"0\",\"0\",\"A\"\r\n");
    base->module().tables().cuts.loadText(
        "\"600\",\"\",\"\",\"\",\"\",\"400\",\"\",\"\",\"\",\"\",\"2\",\"\",\"SIDE\",\"\",\"\",\"\",\"\"\r\n");
    const test::SeenRun seen = run("actionDeepSearch");
    EXPECT_EQ(seen.message.rfind("No valid SHEETS specified.", 0), 0u) << seen.message;
    EXPECT_EQ(seen.message.find("Deep search"), std::string::npos);
    EXPECT_TRUE(seen.hint);
    EXPECT_TRUE(base->module().document().plan.empty());
    EXPECT_EQ(base->layoutsWindow(), nullptr);
    EXPECT_TRUE(h.dialogs.requests.empty());  // no Save As
}

}  // namespace
}  // namespace veltrix::ui
