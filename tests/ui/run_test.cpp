// Runs through the menu on the worker thread of the progress dialog: the example job to its
// layouts, a run stopped and continued, a failed run with its hint, the tolerance check; then the
// windows of a plan: report, off-cut table, printing to PDF, the panel-saw instructions.

#include <gtest/gtest.h>

#include <cstdlib>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include "app/base_module.h"
#include "app/optimize_command.h"
#include "engine/optimize.h"
#include "job/plan.h"
#include "reports/saw_instructions.h"
#include "ui/base_window.h"
#include "ui/grid_view.h"
#include "ui/job_windows.h"
#include "ui/labels_windows.h"
#include "ui/layouts_window.h"
#include "ui/progress_dialog.h"
#include "ui/result_windows.h"
#include "ui/saw_instructions_window.h"
#include "ui_support.h"

namespace veltrix::ui {
namespace {

using test::Harness;
using test::pressKey;

// A run started with F5 in the base module, as the user starts it.
test::SeenRun runThroughMenu(BaseWindow& base, std::function<void(ProgressDialog&)> whileRunning = {},
                             bool pressF1 = false) {
    return test::runAndWatch(base, [] { pressKey(Qt::Key_F5); }, std::move(whileRunning), pressF1);
}

// The plan an uninterrupted run of the base module's job gives, straight from the engine.
Plan uninterruptedPlan(const BaseModule& module) {
    RunRequest request = runRequest(module);
    request.settings.continueFrom = 0;
    engine::RunObserver quiet;
    return engine::optimize(request.job, request.settings, quiet).plan;
}

struct Runs : ::testing::Test {
    Harness h;
    std::unique_ptr<BaseWindow> base;

    void openKitchen() {
        h.copyExample();
        base = h.startBase();
        h.open(*base, h.dir / "kitchen.opt");
        ASSERT_EQ(h.messageTexts(), std::vector<std::string>{"This file was not optimized."});
    }
    const Document& doc() const { return base->module().document(); }
};

// Stopped as soon as it is seen going on, the run keeps its best plan so far; run again, it
// continues to exactly the plan of an uninterrupted run and opens its layouts.
TEST_F(Runs, AStoppedRunContinuesOnTheWorkerThreadToThePlanOfAnUninterruptedOne) {
    openKitchen();
    const Plan expected = uninterruptedPlan(base->module());
    h.dialogs.pushSave(std::nullopt);  // the Save As after a run: cancelled
    const test::SeenRun stopped = runThroughMenu(*base, [](ProgressDialog& dialog) { dialog.button()->click(); });
    EXPECT_EQ(stopped.message.rfind("Optimization Stopped.", 0), 0u) << stopped.message;
    EXPECT_GT(base->module().state().continuationIteration, 0);
    ASSERT_FALSE(doc().plan.empty());  // the best plan so far can be viewed
    EXPECT_NE(base->layoutsWindow(), nullptr);

    h.dialogs.pushSave(std::nullopt);
    const test::SeenRun seen = runThroughMenu(*base);
    EXPECT_EQ(seen.message, "Optimization done.");
    EXPECT_GT(seen.reportsWhileRunning, 0) << "no progress reached the dialog while the run went on";
    EXPECT_FALSE(seen.hint);
    EXPECT_FALSE(seen.barVisible);
    EXPECT_EQ(seen.button, "OK");
    EXPECT_EQ(base->module().state().continuationIteration, 0);
    EXPECT_EQ(planText(doc().plan), planText(expected));

    // The layouts opened, then Save As with the job's name.
    LayoutsWindow* layouts = base->layoutsWindow();
    ASSERT_NE(layouts, nullptr);
    const int n = expected.layoutCount();
    ASSERT_EQ(layouts->layoutSelector()->count(), n);
    layouts->layoutSelector()->setCurrentIndex(n - 1);
    EXPECT_TRUE(layouts->listing()->toPlainText().startsWith("Layout No. " + QString::number(n) + "/"));
    EXPECT_EQ(h.dialogs.requests.back().title, "Save File...");
    EXPECT_EQ(h.dialogs.requests.back().initialPath, (h.dir / "kitchen.opt").string());
}

// A tolerance above 10 is told before any run, at its cell; a run that fails shows the hint, and
// F1 opens its help topic.
TEST_F(Runs, ATooLargeToleranceIsToldAtItsCellAndAFailedRunShowsItsHint) {
    base = h.startBase();
    JobTables& tables = base->module().tables();
    tables.basic.loadText("\"PB\",\"\",\"18\",\"1000\",\"10.5\",\"4\",\"0\",\"\"\r\n");
    tables.sheets.loadText("\"2440\",\"1220\",\"5\",\"0\",\"0\",\"0\",\"0\",\"A\"\r\n");
    tables.cuts.loadText(
        "\"600\",\"\",\"\",\"\",\"\",\"400\",\"\",\"\",\"\",\"\",\"2\",\"\",\"SIDE\",\"\",\"\",\"\",\"\"\r\n");
    EXPECT_FALSE(runThroughMenu(*base).appeared);
    EXPECT_EQ(h.messageTexts(), std::vector<std::string>{"Tolerance should not exceed 10"});
    EXPECT_EQ(base->basicWindow()->currentColumn(), kTol);
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(base->basicWindow()->view()));

    tables.basic.setCell(1, kTol, "0");
    const test::SeenRun seen = runThroughMenu(*base, {}, true);
    EXPECT_EQ(seen.message.rfind("No valid SHEETS specified.", 0), 0u) << seen.message;  // the blade is too short
    EXPECT_TRUE(seen.hint);
    EXPECT_EQ(seen.button, "OK");
    ASSERT_EQ(h.shell.topics.size(), 1u);
    EXPECT_EQ(h.shell.topics[0], 54);
    EXPECT_EQ(h.shell.helpShown[0], h.dir / "opt.hlp");
    EXPECT_TRUE(doc().plan.empty());
    EXPECT_EQ(base->layoutsWindow(), nullptr);
}

// The windows of a plan: the report with its headings highlighted, the off-cut table written back
// when it closes, the layouts printed to a PDF file one page a layout, and the panel-saw
// instructions of the current layout.
TEST_F(Runs, TheReportTheOffcutTablePrintingAndThePanelSawInstructionsOfAPlan) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const auto pdf = h.dir / "layouts.pdf";
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    h.services.startPrintJob = [&printer] { return printerJob(printer); };
    base = h.startBase();
    h.open(*base, h.writeTwoLayoutJob());
    LayoutsWindow* layouts = base->layoutsWindow();
    ASSERT_NE(layouts, nullptr);

    pressKey(Qt::Key_F7);
    ReportWindow* report = base->reportWindow();
    ASSERT_NE(report, nullptr);
    std::vector<std::string> headings;
    for (int r = 1; r < report->table().rowCount(); ++r)
        if (report->highlighted(r)) headings.push_back(report->table().cell(r, 1));
    EXPECT_EQ(headings, (std::vector<std::string>{"Basic Details", "Sheet(s) Utilization Summary",
                                                   "Cut-Piece(s) Summary", "Overall Utitlization Summary",
                                                   "Cutting Statistics Summary", "Layout No. 1/2", "Layout No. 2/2"}));
    EXPECT_EQ(report->table().cell(1, 1).rfind("Overall Yield(%)=", 0), 0u);
    // Every line shows whole, the rules of 76 stars included.
    EXPECT_GE(report->view()->columnWidth(0), report->view()->fontMetrics().horizontalAdvance(QString(76, '*')));

    pressKey(Qt::Key_F6);
    OffcutWindow* offcuts = base->offcutWindow();
    ASSERT_NE(offcuts, nullptr);
    EXPECT_FALSE(offcuts->exportButton()->isEnabled());  // the sheets were not imported
    ASSERT_GT(offcuts->table().rowCount(), 1);
    test::typeInto(*offcuts, 1, 5, "rack z");
    EXPECT_EQ(offcuts->table().cell(1, 5), "RACK Z");
    offcuts->parentWidget()->close();
    EXPECT_NE(h.dir.read("offcut.tlf").find("\"RACK Z\""), std::string::npos);

    layouts->layoutSelector()->setCurrentIndex(1);
    h.dialogs.pushPrint(PrintRange::All);
    layouts->tool("print")->trigger();
    EXPECT_EQ(h.dialogs.printPreselections, std::vector<bool>{false});  // all layouts offered first
    EXPECT_EQ(layouts->layoutSelector()->currentIndex(), 1);  // the current layout stays
    // poppler draws every page of the file.
    const std::string command = "pdftoppm -r 10 -png '" + pdf.string() + "' '" + (h.dir / "page").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(std::filesystem::exists(h.dir / "page-1.png"));
    EXPECT_TRUE(std::filesystem::exists(h.dir / "page-2.png"));
    EXPECT_FALSE(std::filesystem::exists(h.dir / "page-3.png"));

    ASSERT_TRUE(layouts->tool("sawInstructions")->isEnabled());
    layouts->tool("sawInstructions")->trigger();
    auto* saw = layouts->findChild<SawInstructionsWindow*>();
    ASSERT_NE(saw, nullptr);
    EXPECT_TRUE(saw->isVisible());
    EXPECT_EQ(saw->windowTitle(), reports::kSawInstructionsCaption);
    EXPECT_EQ(saw->instructions().layout, 2);
    EXPECT_FALSE(h.dir.read("controller.tlf").empty());
}

}  // namespace
}  // namespace veltrix::ui
