// Runs through the menu: the example job optimized to "Optimization done." and its layouts, a run
// stopped and continued, a failed run with its hint, the tolerance check, and the result windows.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QPrinter>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>

#include "app/optimize_command.h"
#include "job/job_tables.h"
#include "platform/event_pump.h"
#include "table/file_ops.h"
#include "ui/base_window.h"
#include "ui/dia_window.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/job_windows.h"
#include "ui/progress_dialog.h"
#include "ui/result_windows.h"
#include "small_job.h"
#include "ui_support.h"

namespace veltrix::ui {
namespace {

using test::Harness;

using veltrix::test::kQuickMisc;
const char* const kBasic = veltrix::test::kSmallBasic;
const char* const kSheets = veltrix::test::kSmallSheets;
const char* const kCuts = veltrix::test::kSmallCuts;

// What the progress dialog showed when its run ended.
struct Shown {
    bool appeared = false;
    std::string message, layouts, yield;
    bool hint = false, barVisible = true;
    QString button;
    int iterations = 0;
};

// Starts the run through the menu; clicks Stop after the first iteration when asked, and OK when
// the run is over.
Shown runThroughMenu(BaseWindow& base, bool stopEarly = false, bool pressF1 = false) {
    Shown shown;
    test::whileModal([&] { base.action("mnuOptimize")->trigger(); },
                     [&](QWidget* modal) {
                         auto* dialog = qobject_cast<ProgressDialog*>(modal);
                         if (!dialog) return false;
                         if (!shown.appeared) {
                             shown.appeared = true;
                             QObject::connect(dialog, &ProgressDialog::iterationShown, dialog, [&, dialog] {
                                 if (++shown.iterations == 1 && stopEarly) dialog->button()->click();
                             });
                         }
                         if (!dialog->finished()) return false;
                         shown.message = dialog->messageLabel()->text().toStdString();
                         shown.layouts = dialog->layoutsLabel()->text().toStdString();
                         shown.yield = dialog->yieldLabel()->text().toStdString();
                         shown.hint = dialog->helpLabel()->isVisible();
                         shown.barVisible = dialog->progressBar()->isVisible();
                         shown.button = dialog->button()->text();
                         if (pressF1) QTest::keyClick(dialog, Qt::Key_F1);
                         dialog->button()->click();
                         return true;
                     });
    return shown;
}

// The layout number of the last item of a dia.tlf text, read independently of the program.
int lastLayoutNumber(const std::string& dia) {
    std::string text = dia;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    const std::size_t start = text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1;
    return std::stoi(text.substr(start, text.find(',', start) - start));
}

// The figure of the report's first line, "Overall Yield(%)=...".
std::string reportYield(const std::string& report) {
    const std::string head = "Overall Yield(%)=";
    if (report.rfind(head, 0) != 0) return {};
    return report.substr(head.size(), report.find('\r') - head.size());
}

struct Runs : ::testing::Test {
    Harness h;
    std::unique_ptr<BaseWindow> base;

    void startBase() {
        base = std::make_unique<BaseWindow>(h.services, StockMode::Sheet);
        base->setAttribute(Qt::WA_DeleteOnClose, false);
        base->start();
    }
    void openExample() {
        h.copyExample();
        startBase();
        h.dialogs.pushOpen((h.dir / "kitchen.opt").string());
        base->action("mnuOpen")->trigger();
    }
    void smallJob(const char* basic = kBasic) {
        h.dir.write("basic.tlf", basic);
        h.dir.write("sheet.tlf", kSheets);
        h.dir.write("cut.tlf", kCuts);
        h.dir.write("misc.set", kQuickMisc);
        startBase();
    }
};

TEST_F(Runs, TheExampleRunsThroughTheMenuToItsLayouts) {
    openExample();
    ASSERT_EQ(h.messageTexts(), std::vector<std::string>{"This file was not optimized."});
    h.dialogs.pushSave(std::nullopt);  // the Save As after the run: cancelled
    const Shown shown = runThroughMenu(*base);
    ASSERT_TRUE(shown.appeared);
    EXPECT_EQ(shown.message, "Optimization done.");
    EXPECT_FALSE(shown.hint);
    EXPECT_FALSE(shown.barVisible);
    EXPECT_EQ(shown.button, "OK");
    EXPECT_GT(shown.iterations, 0);

    const std::string dia = h.dir.read("dia.tlf");
    ASSERT_FALSE(dia.empty());
    const int n = lastLayoutNumber(dia);
    EXPECT_EQ(shown.layouts, std::to_string(n));
    EXPECT_EQ(shown.yield, reportYield(h.dir.read("report.tlf")));

    // The layouts opened, then the Save As dialog with the job's name.
    DiaWindow* dia_ = base->diaWindow();
    ASSERT_NE(dia_, nullptr);
    ASSERT_EQ(dia_->selector()->count(), n);
    EXPECT_EQ(dia_->selector()->itemText(0), "1 / " + QString::number(n));
    EXPECT_EQ(dia_->selector()->itemText(n - 1), QString::number(n) + " / " + QString::number(n));
    EXPECT_EQ(dia_->selector()->currentIndex(), 0);
    EXPECT_TRUE(dia_->listing()->toPlainText().startsWith("Layout No. 1/" + QString::number(n)));
    EXPECT_FALSE(dia_->picture()->picture().isNull());
    ASSERT_FALSE(h.dialogs.requests.empty());
    EXPECT_EQ(h.dialogs.requests.back().title, "Save File...");
    EXPECT_EQ(h.dialogs.requests.back().initialPath, (h.dir / "kitchen.opt").string());

    // Choosing another layout draws it.
    dia_->selector()->setCurrentIndex(n - 1);
    EXPECT_TRUE(dia_->listing()->toPlainText().startsWith("Layout No. " + QString::number(n) + "/"));
    EXPECT_NE(h.dir.read("DiaCur.tlf").find("Layout No. " + std::to_string(n) + "/"), std::string::npos);
}

TEST_F(Runs, AStoppedRunContinuesToTheSamePlanAsAnUninterruptedOne) {
    h.copyExample();
    h.dir.write("misc.set", "\"Area\"\r\n0\r\n3\r\n");
    // The uninterrupted run, in a folder of its own.
    Harness whole;
    whole.copyExample();
    whole.dir.write("misc.set", "\"Area\"\r\n0\r\n3\r\n");
    std::filesystem::copy_file(whole.dir / "kitchen.opt", whole.dir / "Defaults",
                               std::filesystem::copy_options::overwrite_existing);
    {
        FrameHooks noWindows;
        BaseModule module(whole.services.workspace, StockMode::Sheet, whole.prompt, whole.dialogs, noWindows);
        module.start();
        NullEventPump events;
        engine::RunObserver quiet;
        engine::RunDriver driver(whole.prompt, events, quiet);
        ASSERT_EQ(prepareRun(module, driver), RunPreparation::Ready);
        ASSERT_EQ(runJob(module, driver).message, "Optimization done.");
    }
    const std::string plan = whole.dir.read("dia.tlf");

    startBase();
    h.dialogs.pushOpen((h.dir / "kitchen.opt").string());
    base->action("mnuOpen")->trigger();
    h.dialogs.pushSave(std::nullopt);
    const Shown stopped = runThroughMenu(*base, true);
    EXPECT_EQ(stopped.message.rfind("Optimization Stopped.", 0), 0u) << stopped.message;
    EXPECT_EQ(stopped.iterations, 1);
    EXPECT_GT(base->module().state().continuationIteration, 0);
    EXPECT_NE(base->diaWindow(), nullptr);  // the best plan so far can be viewed

    h.dialogs.pushSave(std::nullopt);
    const Shown continued = runThroughMenu(*base);
    EXPECT_EQ(continued.message, "Optimization done.");
    EXPECT_EQ(h.dir.read("dia.tlf"), plan);
}

TEST_F(Runs, AFailedRunShowsTheHintAndItsHelpTopic) {
    smallJob("\"PB\",\"\",\"18\",\"1000\",\"0\",\"4\",\"0\",\"\"\r\n");  // blade shorter than the sheet
    h.dialogs.pushSave(std::nullopt);
    const Shown shown = runThroughMenu(*base, false, true);
    EXPECT_EQ(shown.message, "No valid SHEETS specified.");
    EXPECT_TRUE(shown.hint);
    EXPECT_EQ(shown.button, "OK");
    ASSERT_FALSE(h.shell.topics.empty());
    EXPECT_EQ(h.shell.topics.back(), 54);
    EXPECT_EQ(h.shell.helpShown.back(), h.dir / "opt.hlp");
    // No result: the layouts cannot show; Save As follows all the same.
    EXPECT_EQ(h.messageTexts().back(), "This file was not optimized.");
    EXPECT_EQ(base->diaWindow(), nullptr);
    EXPECT_EQ(h.dialogs.requests.size(), 1u);
}

TEST_F(Runs, AToleranceAboveTenTakesTheUserToIt) {
    smallJob("\"PB\",\"\",\"18\",\"3000\",\"10.5\",\"4\",\"0\",\"\"\r\n");
    const Shown shown = runThroughMenu(*base);
    EXPECT_FALSE(shown.appeared);
    EXPECT_EQ(h.messageTexts(), std::vector<std::string>{"Tolerance should not exceed 10"});
    EXPECT_EQ(base->basicWindow()->currentColumn(), kTol);
    EXPECT_FALSE(fileExists(h.dir / "tmp.tlf"));
}

TEST_F(Runs, TheResultWindowsShowTheRunAndCloseWhenTheJobChanges) {
    h.dir.write("mlm.dat", "\"PB\",\"\",\"18\",\"2440\",\"1220\",\"5\",\"A\"\r\n");
    smallJob();
    base->sheetWindow()->importButton()->click();  // the sheets come from the library
    h.dialogs.pushSave(std::nullopt);
    ASSERT_EQ(runThroughMenu(*base).message, "Optimization done.");
    const int n = lastLayoutNumber(h.dir.read("dia.tlf"));
    ASSERT_GE(n, 2);
    DiaWindow* dia = base->diaWindow();
    ASSERT_NE(dia, nullptr);

    // Printing all layouts prints one page each; the current layout stays.
    dia->selector()->setCurrentIndex(n - 1);
    h.dialogs.pushPrint(PrintRange::All);
    dia->tool("Print")->trigger();
    ASSERT_EQ(h.printed.size(), 1u);
    EXPECT_EQ(h.printed[0]->all<RecordingSurface::NewPage>().size(), static_cast<std::size_t>(n - 1));
    EXPECT_EQ(dia->selector()->currentIndex(), n - 1);
    h.dialogs.pushPrint(std::nullopt);  // cancelled: nothing printed
    dia->tool("Print")->trigger();
    EXPECT_EQ(h.printed.size(), 1u);

    // Export of all layouts as DXF files, between the templates of the working folder.
    for (const char* name : {"dxf.hd", "dxf.ft"})
        std::filesystem::copy_file(std::filesystem::path(VELTRIX_EXAMPLES) / "workshop" / name, h.dir / name);
    h.dialogs.pushSave((h.dir / "plan.dxf").string());
    dia->findChild<QAction*>("ExportAll")->trigger();
    for (int k = 1; k <= n; ++k)
        EXPECT_TRUE(fileExists(h.dir / ("plan_" + std::to_string(k) + "-" + std::to_string(n) + ".dxf"))) << k;
    EXPECT_EQ(h.messageTexts().back(), std::to_string(n) + " Layout(s) exported as DXF file(s)!");

    // The settings window writes dia.set and the drawing follows it.
    test::whileModal([&] { dia->tool("Settings")->trigger(); },
                     [](QWidget* modal) {
                         if (modal->objectName() != "DiaSet") return false;
                         modal->findChild<QPushButton*>("cmdApply")->click();
                         return true;
                     });
    EXPECT_EQ(h.dir.read("dia.set").size(), 14u * 3u);

    // The report with its headings highlighted.
    base->action("mnuReport")->trigger();
    ReportWindow* report = base->reportWindow();
    ASSERT_NE(report, nullptr);
    int layoutHeadings = 0;
    for (int r = 1; r < report->table().rowCount(); ++r) {
        const std::string& line = report->table().cell(r, 1);
        const bool heading = line.rfind("Layout No. ", 0) == 0 || line == "Basic Details" ||
                             line == "Sheet(s) Utilization Summary";
        if (heading) {
            EXPECT_TRUE(report->highlighted(r)) << line;
        }
        if (line.rfind("Overall Yield", 0) == 0) {
            EXPECT_FALSE(report->highlighted(r));
        }
        if (line.rfind("Layout No. ", 0) == 0) ++layoutHeadings;
    }
    EXPECT_EQ(layoutHeadings, n);

    // The off-cut table: editable, and its Export returns the off-cuts to the library once.
    base->action("mnuOffcuts")->trigger();
    OffcutWindow* offcuts = base->offcutWindow();
    ASSERT_NE(offcuts, nullptr);
    EXPECT_TRUE(offcuts->exportButton()->isEnabled());
    h.prompt.push(Answer::Yes);
    offcuts->exportButton()->click();
    EXPECT_EQ(h.messageTexts().back(), "Material Library Updated!");
    EXPECT_FALSE(offcuts->exportButton()->isEnabled());
    EXPECT_FALSE(base->module().state().exportMark);

    // A change of the job asks, and on Yes every result window closes.
    h.prompt.push(Answer::Yes);
    test::typeInto(*base->cutWindow(), 1, kCutQty, "1");
    EXPECT_EQ(base->diaWindow(), nullptr);
    EXPECT_EQ(base->reportWindow(), nullptr);
    EXPECT_EQ(base->offcutWindow(), nullptr);
    EXPECT_TRUE(h.dir.read("dia.tlf").empty());
}

TEST_F(Runs, TheOffcutTableIsEditedAndWrittenBack) {
    smallJob();
    h.dialogs.pushSave(std::nullopt);
    ASSERT_EQ(runThroughMenu(*base).message, "Optimization done.");
    const std::string table = h.dir.read("offcut.tlf");
    ASSERT_FALSE(table.empty()) << "the small job leaves off-cuts";
    base->action("mnuOffcuts")->trigger();
    OffcutWindow* offcuts = base->offcutWindow();
    ASSERT_NE(offcuts, nullptr);
    EXPECT_FALSE(offcuts->exportButton()->isEnabled());  // the sheets were not imported
    test::typeInto(*offcuts, 1, 5, "rack z");
    EXPECT_EQ(offcuts->table().cell(1, 5), "RACK Z");
    base->mdiArea()->activeSubWindow()->close();
    EXPECT_NE(h.dir.read("offcut.tlf").find("\"RACK Z\""), std::string::npos);
}

TEST_F(Runs, LayoutsPrintToAPdfFileOnePagePerLayout) {
    // The printer as the print dialog leaves it when the user prints to a file.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const auto pdf = h.dir / "layouts.pdf";
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    h.services.startPrintJob = [&printer] { return printerJob(printer); };
    smallJob();
    h.dialogs.pushSave(std::nullopt);
    ASSERT_EQ(runThroughMenu(*base).message, "Optimization done.");
    const int n = lastLayoutNumber(h.dir.read("dia.tlf"));
    h.dialogs.pushPrint(PrintRange::All);
    base->diaWindow()->tool("Print")->trigger();
    const std::string bytes = h.dir.read("layouts.pdf");
    ASSERT_EQ(bytes.rfind("%PDF", 0), 0u);
    // Page objects: "/Type /Page" not followed by "s".
    int pages = 0;
    for (std::size_t at = bytes.find("/Type /Page"); at != std::string::npos; at = bytes.find("/Type /Page", at + 1))
        if (at + 11 < bytes.size() && bytes[at + 11] != 's') ++pages;
    EXPECT_EQ(pages, n);
    EXPECT_GE(n, 2);
}

}  // namespace
}  // namespace veltrix::ui
