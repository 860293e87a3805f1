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

// What the user saw of a run through the menu.
struct Seen {
    bool appeared = false;
    int reportsWhileRunning = 0;  // iterations the interface showed while the worker still ran
    std::string message;
    bool hint = false, barVisible = true;
    QString button;
};

// F5 in the base module, then: `whileRunning` as soon as the run is seen going on; OK when it is
// over (F1 first when asked).
Seen runThroughMenu(BaseWindow& base, std::function<void(ProgressDialog&)> whileRunning = {}, bool pressF1 = false) {
    Seen seen;
    test::activate(base);
    test::whileModal([] { pressKey(Qt::Key_F5); },
                     [&](QWidget* modal) {
                         auto* dialog = qobject_cast<ProgressDialog*>(modal);
                         if (!dialog) return false;
                         if (!seen.appeared) {
                             seen.appeared = true;
                             QObject::connect(dialog, &ProgressDialog::iterationShown, dialog, [&, dialog] {
                                 if (dialog->running()) ++seen.reportsWhileRunning;
                             });
                         }
                         if (whileRunning && dialog->running()) {
                             whileRunning(*dialog);
                             whileRunning = {};
                         }
                         if (!dialog->finished()) return false;
                         seen.message = dialog->messageLabel()->text().toStdString();
                         seen.hint = dialog->helpLabel()->isVisible();
                         seen.barVisible = dialog->progressBar()->isVisible();
                         seen.button = dialog->button()->text();
                         if (pressF1) pressKey(Qt::Key_F1);
                         dialog->button()->click();
                         return true;
                     });
    return seen;
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
    void openTwoLayouts() {
        base = h.startBase();
        h.open(*base, h.writeTwoLayoutJob());
        ASSERT_NE(base->layoutsWindow(), nullptr);
    }
    const Document& doc() const { return base->module().document(); }
};

TEST_F(Runs, TheExampleRunsOnTheWorkerThreadToItsLayoutsAndItsPlanIsStored) {
    openKitchen();
    const Plan expected = uninterruptedPlan(base->module());
    h.dialogs.pushSave(std::nullopt);  // the Save As after the run: cancelled
    const Seen seen = runThroughMenu(*base);
    ASSERT_TRUE(seen.appeared);
    EXPECT_EQ(seen.message, "Optimization done.");
    EXPECT_GT(seen.reportsWhileRunning, 0) << "no progress reached the dialog while the run went on";
    EXPECT_FALSE(seen.hint);
    EXPECT_FALSE(seen.barVisible);
    EXPECT_EQ(seen.button, "OK");
    EXPECT_EQ(planText(doc().plan), planText(expected));

    // The layouts opened, then Save As with the job's name.
    LayoutsWindow* layouts = base->layoutsWindow();
    ASSERT_NE(layouts, nullptr);
    const int n = expected.layoutCount();
    ASSERT_EQ(layouts->layoutSelector()->count(), n);
    EXPECT_EQ(layouts->layoutSelector()->itemText(n - 1), QString::number(n) + " / " + QString::number(n));
    layouts->layoutSelector()->setCurrentIndex(n - 1);
    EXPECT_TRUE(layouts->listing()->toPlainText().startsWith("Layout No. " + QString::number(n) + "/"));
    ASSERT_EQ(h.dialogs.requests.size(), 2u);
    EXPECT_EQ(h.dialogs.requests.back().title, "Save File...");
    EXPECT_EQ(h.dialogs.requests.back().initialPath, (h.dir / "kitchen.opt").string());
}

TEST_F(Runs, AStoppedRunContinuesToExactlyThePlanOfAnUninterruptedOne) {
    openKitchen();
    const Plan expected = uninterruptedPlan(base->module());
    h.dialogs.pushSave(std::nullopt);
    const Seen stopped = runThroughMenu(*base, [](ProgressDialog& dialog) { dialog.button()->click(); });
    EXPECT_EQ(stopped.message.rfind("Optimization Stopped.", 0), 0u) << stopped.message;
    EXPECT_GT(base->module().state().continuationIteration, 0);
    ASSERT_FALSE(doc().plan.empty());  // the best plan so far can be viewed
    EXPECT_NE(base->layoutsWindow(), nullptr);

    h.dialogs.pushSave(std::nullopt);
    EXPECT_EQ(runThroughMenu(*base).message, "Optimization done.");
    EXPECT_EQ(base->module().state().continuationIteration, 0);
    EXPECT_EQ(planText(doc().plan), planText(expected));
}

TEST_F(Runs, AFailedRunShowsTheHintAndF1OpensItsHelpTopic) {
    base = h.startBase();
    base->module().tables().basic.loadText("\"PB\",\"\",\"18\",\"1000\",\"0\",\"4\",\"0\",\"\"\r\n");
    base->module().tables().sheets.loadText("\"2440\",\"1220\",\"5\",\"0\",\"0\",\"0\",\"0\",\"A\"\r\n");
    base->module().tables().cuts.loadText(
        "\"600\",\"\",\"\",\"\",\"\",\"400\",\"\",\"\",\"\",\"\",\"2\",\"\",\"SIDE\",\"\",\"\",\"\",\"\"\r\n");
    const Seen seen = runThroughMenu(*base, {}, true);
    EXPECT_EQ(seen.message.rfind("No valid SHEETS specified.", 0), 0u) << seen.message;  // the blade is too short
    EXPECT_TRUE(seen.hint);
    EXPECT_EQ(seen.button, "OK");
    ASSERT_EQ(h.shell.topics.size(), 1u);
    EXPECT_EQ(h.shell.topics[0], 54);
    EXPECT_EQ(h.shell.helpShown[0], h.dir / "opt.hlp");
    EXPECT_TRUE(doc().plan.empty());
    EXPECT_EQ(base->layoutsWindow(), nullptr);
}

TEST_F(Runs, AToleranceAboveTenTakesTheUserToTheToleranceCell) {
    base = h.startBase();
    base->module().tables().basic.loadText("\"PB\",\"\",\"18\",\"3000\",\"10.5\",\"4\",\"0\",\"\"\r\n");
    const Seen seen = runThroughMenu(*base);
    EXPECT_FALSE(seen.appeared);
    EXPECT_EQ(h.messageTexts(), std::vector<std::string>{"Tolerance should not exceed 10"});
    EXPECT_EQ(base->basicWindow()->currentColumn(), kTol);
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(base->basicWindow()->view()));
}

TEST_F(Runs, TheReportHighlightsItsHeadingsAndTheOffcutTableIsWrittenBack) {
    openTwoLayouts();
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
}

TEST_F(Runs, LayoutsPrintToAPdfFileOnePagePerLayout) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const auto pdf = h.dir / "layouts.pdf";
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    h.services.startPrintJob = [&printer] { return printerJob(printer); };
    openTwoLayouts();
    base->layoutsWindow()->layoutSelector()->setCurrentIndex(1);
    h.dialogs.pushPrint(PrintRange::All);
    base->layoutsWindow()->tool("print")->trigger();
    EXPECT_EQ(h.dialogs.printPreselections, std::vector<bool>{false});  // all layouts offered first
    EXPECT_EQ(base->layoutsWindow()->layoutSelector()->currentIndex(), 1);  // the current layout stays
    // poppler draws every page of the file.
    const std::string command = "pdftoppm -r 10 -png '" + pdf.string() + "' '" + (h.dir / "page").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(std::filesystem::exists(h.dir / "page-1.png"));
    EXPECT_TRUE(std::filesystem::exists(h.dir / "page-2.png"));
    EXPECT_FALSE(std::filesystem::exists(h.dir / "page-3.png"));
}

TEST_F(Runs, LabelsAreOpenedInTheBrowserOrTheUserIsToldWhereThePageIs) {
    openTwoLayouts();
    h.dir.write("LBl.def", "\"1\",\"3\",\"0\",\"\",\"\",\"\",\"\",\"\",\"YES\",\"\",\"\",\"\",\"\"\r\n");
    const auto page = h.dir / "lbl.htm";
    for (const bool failing : {false, true}) {
        SCOPED_TRACE(failing);
        h.shell.failing = failing;
        h.prompt.messages.clear();
        test::whileModal([&] { base->layoutsWindow()->tool("labels")->trigger(); },
                         [&](QWidget* modal) {
                             auto* range = qobject_cast<LabelRangeWindow*>(modal);
                             if (range) range->okButton()->click();
                             return range != nullptr;
                         });
        EXPECT_EQ(h.shell.opened.back(), page);
        EXPECT_NE(h.dir.read("lbl.htm").find("SIZE     : 720 X 560"), std::string::npos);
        if (failing)
            EXPECT_EQ(h.messageTexts(), std::vector<std::string>{"The labels were written to " + page.string() +
                                                                 ", but no program could be started to show them. "
                                                                 "Open that file in a web browser to print the labels."});
        else
            EXPECT_TRUE(h.messageTexts().empty());
    }
}

TEST_F(Runs, CncOpensThePanelSawInstructionsOfTheCurrentLayoutInSheetModeOnly) {
    openTwoLayouts();
    LayoutsWindow* layouts = base->layoutsWindow();
    ASSERT_TRUE(layouts->tool("sawInstructions")->isEnabled());
    layouts->layoutSelector()->setCurrentIndex(1);
    layouts->tool("sawInstructions")->trigger();
    auto* saw = layouts->findChild<SawInstructionsWindow*>();
    ASSERT_NE(saw, nullptr);
    EXPECT_TRUE(saw->isVisible());
    EXPECT_EQ(saw->windowTitle(), reports::kSawInstructionsCaption);
    EXPECT_EQ(saw->instructions().layout, 2);
    EXPECT_FALSE(h.dir.read("controller.tlf").empty());

    Harness coil;
    auto coilBase = coil.startBase(StockMode::Coil);
    coil.open(*coilBase, veltrix::test::dataFile("layouts/coil-two-layouts.dcm"));
    ASSERT_NE(coilBase->layoutsWindow(), nullptr);
    EXPECT_FALSE(coilBase->layoutsWindow()->tool("sawInstructions")->isEnabled());
    EXPECT_FALSE(coilBase->layoutsWindow()->tool("arrange")->isEnabled());
    EXPECT_TRUE(coilBase->layoutsWindow()->tool("add")->isEnabled());
}

}  // namespace
}  // namespace veltrix::ui
