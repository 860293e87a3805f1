// The application commands the desktop program adds: typing into the other grids, the DXF and
// picture choices of the cut-piece grid, the sheet import command, Start Optimization before,
// during and after the dialog, and the state of the Layouts window.

#include <gtest/gtest.h>

#include "app/base_module.h"
#include "app/cell_choice.h"
#include "app/grid_editing.h"
#include "app/layout_viewer.h"
#include "app/library_commands.h"
#include "app/optimize_command.h"
#include "job/job_tables.h"
#include "platform/event_pump.h"
#include "platform/file_dialogs.h"
#include "platform/prompt.h"
#include "small_job.h"
#include "support/temp_folder.h"
#include "table/file_ops.h"
#include "table/grid_table.h"

namespace veltrix {
namespace {

using test::TempFolder;

using test::kQuickMisc;
const char* const kBasic = test::kSmallBasic;
const char* const kSheets = test::kSmallSheets;
const char* const kCuts = test::kSmallCuts;

struct Hooks : FrameHooks {
    int closedResults = 0, layoutsShown = 0;
    void closeResultWindows() override { ++closedResults; }
    void showLayouts() override { ++layoutsShown; }
};

struct Job : ::testing::Test {
    TempFolder dir;
    ScriptedPrompt prompt;
    ScriptedFileDialogs dialogs;
    Hooks hooks;
    std::unique_ptr<BaseModule> module;

    void open(StockMode mode = StockMode::Sheet) {
        dir.write("basic.tlf", kBasic);
        dir.write("sheet.tlf", kSheets);
        dir.write("cut.tlf", kCuts);
        dir.write("misc.set", kQuickMisc);
        module = std::make_unique<BaseModule>(Workspace(dir.path()), mode, prompt, dialogs, hooks);
        module->start();
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> t;
        for (const auto& m : prompt.messages) t.push_back(m.text);
        return t;
    }
};

// Stops the run after the iteration given.
struct StopAfter : engine::RunObserver {
    explicit StopAfter(long long at) : at(at) {}
    engine::RunDriver* driver = nullptr;
    long long at;
    std::vector<std::string> messages;
    void messageChanged(const std::string& text) override { messages.push_back(text); }
    void iterationDone(const engine::RunFigures& f) override {
        if (f.iteration == at && driver) driver->requestStop();
    }
};

TEST(GridEditing, TypingKeepsABlankRowAndMarksTheChange) {
    GridTable density({"MAT", "DENSITY"});
    bool changed = false;
    typeIntoGrid(density, 1, 1, 'm', true, changed);
    typeIntoGrid(density, 1, 2, '0', true, changed);
    typeIntoGrid(density, 1, 2, '.', true, changed);
    typeIntoGrid(density, 1, 2, '.', true, changed);
    typeIntoGrid(density, 1, 2, '7', true, changed);
    EXPECT_TRUE(changed);
    EXPECT_EQ(density.cell(1, 1), "M");
    EXPECT_EQ(density.cell(1, 2), "0.7");
    // The row typed into was the last: a blank row follows it, numbered.
    ASSERT_EQ(density.rowCount(), 3);
    EXPECT_EQ(density.cell(2, 0), "2");

    GridTable criteria({"DIM-1", "CRITERIA", "DIM-2"});
    bool touched = false;
    typeIntoGrid(criteria, 1, 2, 'x', false, touched);
    EXPECT_EQ(criteria.cell(1, 2), "OR");
    typeIntoGrid(criteria, 1, 2, kBackspace, false, touched);
    EXPECT_EQ(criteria.cell(1, 2), "AND");
    EXPECT_EQ(criteria.rowCount(), 2);  // one row of criteria, no blank row added

    bool deleted = false;
    EXPECT_TRUE(deleteInGrid(density, 1, 1, deleted));
    EXPECT_TRUE(deleted);
    EXPECT_EQ(density.cell(1, 1), "");
    // Cells outside the grid are left alone.
    bool outside = false;
    typeIntoGrid(density, 9, 1, 'A', true, outside);
    EXPECT_FALSE(deleteInGrid(density, 0, 1, outside));
    EXPECT_FALSE(outside);
}

TEST_F(Job, ChoosingADxfOutlineSetsThePieceSize) {
    open();
    // A drawing 600 wide and 0.5 high.
    const auto dxf = dir.write("strip.dxf",
                               "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n"
                               "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n0\r\n 20\r\n0\r\n 11\r\n600\r\n 21\r\n0\r\n"
                               "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n0\r\n 20\r\n0\r\n 11\r\n0\r\n 21\r\n0.5\r\n"
                               "  0\r\nENDSEC\r\n  0\r\nEOF\r\n");
    dialogs.pushOpen(dxf.string());
    EXPECT_TRUE(chooseForCell(*module, JobGrid::Cuts, 2, kCutDxfFile, KeyAction::OpenDxfDialog));
    const GridTable& cuts = module->tables().cuts;
    EXPECT_EQ(cuts.cell(2, kCutDxfFile), dxf.string());
    EXPECT_EQ(cuts.cell(2, kCutLength), "600.00");
    EXPECT_EQ(cuts.cell(2, kCutWidth), ".50");
    EXPECT_TRUE(module->state().changed);
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].title, "Open DXF file...");
    EXPECT_EQ(dialogs.requests[0].filter, "AutoCAD R12/LT2 DXF (*.dxf)|*.dxf|");

    // Cancelling keeps the cell.
    dialogs.pushOpen(std::nullopt);
    EXPECT_FALSE(chooseForCell(*module, JobGrid::Cuts, 2, kCutDxfFile, KeyAction::OpenDxfDialog));
    EXPECT_EQ(cuts.cell(2, kCutDxfFile), dxf.string());

    // A drawing that cannot be read leaves the size as it was and says why.
    const auto broken = dir.write("broken.dxf", "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nLINE\r\n 10\r\n");
    dialogs.pushOpen(broken.string());
    chooseForCell(*module, JobGrid::Cuts, 1, kCutDxfFile, KeyAction::OpenDxfDialog);
    EXPECT_EQ(cuts.cell(1, kCutLength), "600");
    EXPECT_EQ(cuts.cell(1, kCutWidth), "400");
    ASSERT_FALSE(prompt.messages.empty());
    EXPECT_NE(prompt.messages.back().text.find("broken.dxf"), std::string::npos);

    const auto garbage = dir.write("noise.dxf", std::string("\x01\x02\xff garbage", 12));
    const std::size_t told = prompt.messages.size();
    dialogs.pushOpen(garbage.string());
    chooseForCell(*module, JobGrid::Cuts, 1, kCutDxfFile, KeyAction::OpenDxfDialog);
    EXPECT_EQ(cuts.cell(1, kCutLength), "600");
    EXPECT_GT(prompt.messages.size(), told);
}

TEST_F(Job, ChoosingALabelPictureStoresItsPath) {
    open();
    dialogs.pushOpen("/pictures/side.gif");
    EXPECT_TRUE(chooseForCell(*module, JobGrid::Cuts, 1, kCutLabelFile, KeyAction::OpenPictureDialog));
    EXPECT_EQ(module->tables().cuts.cell(1, kCutLabelFile), "/pictures/side.gif");
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].title, "Open Picture file...");
    EXPECT_EQ(dialogs.requests[0].filter, "Picture Files (*.gif;*.jpg;*.bmp)|*.GIF;*.JPG;*.BMP|");
    // The size is not touched by a picture.
    EXPECT_EQ(module->tables().cuts.cell(1, kCutLength), "600");
}

TEST_F(Job, ImportSetsTheLockTheChangeAndTheExportMark) {
    dir.write("mlm.dat",
              "\"PB\",\"\",\"18.0\",\"2800\",\"2070\",\"4\",\"RACK 1\"\r\n"
              "\"PB\",\"\",\"18\",\"900\",\"600\",\"1\",\"SCRAP\"\r\n");
    open();
    const SheetImportResult r = importSheetsFromLibrary(*module);
    EXPECT_EQ(r.outcome, SheetImportResult::Outcome::Imported);
    EXPECT_EQ(r.count, 1);
    EXPECT_TRUE(module->state().importLock);
    EXPECT_TRUE(module->state().changed);
    EXPECT_TRUE(module->state().exportMark);
    EXPECT_EQ(module->tables().sheets.cell(1, kSheetLength), "2800");
    EXPECT_EQ(module->tables().sheets.cell(1, kSheetLocation), "RACK 1");
    EXPECT_EQ(hooks.closedResults, 0);
}

TEST_F(Job, ImportDiscardingAResultClosesTheResultWindows) {
    dir.write("mlm.dat", "\"PB\",\"\",\"18\",\"2800\",\"2070\",\"4\",\"RACK 1\"\r\n");
    open();
    dir.write("dia.tlf", "1,-1,1,0,0,1220,2440,1,0\r\n");
    module->state().continuationIteration = 7;
    prompt.push(Answer::Yes);  // discard the result
    const SheetImportResult r = importSheetsFromLibrary(*module);
    EXPECT_EQ(r.outcome, SheetImportResult::Outcome::Imported);
    EXPECT_EQ(hooks.closedResults, 1);
    EXPECT_EQ(module->state().continuationIteration, 0);
    EXPECT_TRUE(fileEmptyOrMissing(dir / "dia.tlf"));
}

TEST_F(Job, ImportInCoilModeDoesNothing) {
    dir.write("mlm.dat", "\"PB\",\"\",\"18\",\"2800\",\"2070\",\"4\",\"RACK 1\"\r\n");
    open(StockMode::Coil);
    const SheetImportResult r = importSheetsFromLibrary(*module);
    EXPECT_EQ(r.outcome, SheetImportResult::Outcome::NotFound);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_FALSE(module->state().importLock);
    EXPECT_EQ(module->tables().sheets.cell(1, kSheetLength), "2440");
}

TEST_F(Job, AToleranceAboveTenRunsNothing) {
    open();
    module->tables().basic.setCell(1, kTol, "10.5");
    NullEventPump events;
    engine::RunObserver observer;
    engine::RunDriver driver(prompt, events, observer);
    EXPECT_EQ(prepareRun(*module, driver), RunPreparation::ToleranceRefused);
    EXPECT_EQ(texts(), std::vector<std::string>{"Tolerance should not exceed 10"});
    EXPECT_FALSE(fileExists(dir / "tmp.tlf"));
    EXPECT_EQ(hooks.closedResults, 0);

    module->tables().basic.setCell(1, kTol, "10");
    EXPECT_EQ(prepareRun(*module, driver), RunPreparation::Ready);
    EXPECT_EQ(hooks.closedResults, 1);
    // tmp.tlf bundles the job as it stands in the grids.
    const std::string tmp = dir.read("tmp.tlf");
    EXPECT_EQ(tmp.substr(0, 13), "[BASIC.TLF]\r\n");
    EXPECT_NE(tmp.find("\"PB\",\"\",\"18\",\"3000\",\"10\",\"4\",\"0\",\"\""), std::string::npos);
    EXPECT_NE(tmp.find("[OPTIONS.TLF]\r\n-1,0\r\n[END]"), std::string::npos);
}

TEST_F(Job, WeightReportsAskForTheDensityUntilItIsThere) {
    open();
    dir.write("misc.set", "\"Weight\"\r\n0\r\n1\r\n");
    NullEventPump events;
    engine::RunObserver observer;
    engine::RunDriver driver(prompt, events, observer);
    int edits = 0;
    prompt.push(Answer::Yes);
    EXPECT_EQ(prepareRun(*module, driver,
                         [&] {
                             ++edits;
                             dir.write("density.dat", "\"PB\",\".65\"\r\n");
                         }),
              RunPreparation::Ready);
    EXPECT_EQ(edits, 1);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].defaultAnswer, Answer::No);
}

TEST_F(Job, AStoppedRunContinuesToTheSamePlanAsAWholeRun) {
    // The whole run, in a folder of its own.
    TempFolder whole;
    whole.write("basic.tlf", kBasic);
    whole.write("sheet.tlf", kSheets);
    whole.write("cut.tlf", kCuts);
    whole.write("misc.set", kQuickMisc);
    ScriptedPrompt wholePrompt;
    ScriptedFileDialogs wholeDialogs;
    Hooks wholeHooks;
    BaseModule wholeModule(Workspace(whole.path()), StockMode::Sheet, wholePrompt, wholeDialogs, wholeHooks);
    wholeModule.start();
    NullEventPump events;
    engine::RunObserver quiet;
    engine::RunDriver wholeDriver(wholePrompt, events, quiet);
    ASSERT_EQ(prepareRun(wholeModule, wholeDriver), RunPreparation::Ready);
    const engine::RunOutcome done = runJob(wholeModule, wholeDriver);
    EXPECT_EQ(done.message, "Optimization done.");
    const std::string plan = whole.read("dia.tlf");
    ASSERT_FALSE(plan.empty());

    open();
    StopAfter stopper(1);
    engine::RunDriver driver(prompt, events, stopper);
    stopper.driver = &driver;
    ASSERT_EQ(prepareRun(*module, driver), RunPreparation::Ready);
    const engine::RunOutcome stopped = runJob(*module, driver);
    EXPECT_EQ(stopped.status, engine::RunOutcome::Status::Stopped);
    EXPECT_EQ(stopped.message.rfind("Optimization Stopped.", 0), 0u);
    EXPECT_GT(module->state().continuationIteration, 0);
    EXPECT_FALSE(fileEmptyOrMissing(dir / "dia.tlf"));

    StopAfter never(-1);
    engine::RunDriver again(prompt, events, never);
    ASSERT_EQ(prepareRun(*module, again), RunPreparation::Ready);
    const engine::RunOutcome continued = runJob(*module, again);
    EXPECT_EQ(continued.message, "Optimization done.");
    EXPECT_EQ(dir.read("dia.tlf"), plan);
}

TEST_F(Job, AfterARunTheLayoutsShowAndSaveAsFollows) {
    open();
    NullEventPump events;
    engine::RunObserver quiet;
    engine::RunDriver driver(prompt, events, quiet);
    ASSERT_EQ(prepareRun(*module, driver), RunPreparation::Ready);
    runJob(*module, driver);
    const auto saved = dir / "job.opt";
    dialogs.pushSave(saved.string());
    afterRun(*module);
    EXPECT_EQ(hooks.layoutsShown, 1);
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].title, "Save File...");
    // The saved project carries the result in its fifth section.
    const std::string project = readWholeFile(saved);
    const auto result = project.find("[DIA.TLF]\r\n");
    ASSERT_NE(result, std::string::npos);
    EXPECT_EQ(project.substr(result + 11, 2), "1,");
}

TEST_F(Job, WithoutAResultSaveAsStillFollows) {
    open();
    dialogs.pushSave(std::nullopt);
    afterRun(*module);
    EXPECT_EQ(hooks.layoutsShown, 0);
    EXPECT_EQ(texts(), std::vector<std::string>{"This file was not optimized."});
    EXPECT_EQ(dialogs.requests.size(), 1u);
}

TEST_F(Job, TheViewerSelectsZoomsAndPrints) {
    open();
    // Two layouts by hand: a sheet with one piece of variety 1 each, the second cut twice.
    // Variety 1 is the larger piece (600 x 400) after the sort by area.
    dir.write("dia.tlf",
              "1,-1,1,0,0,1224,2444,1,0\r\n1,1,1,0,0,404,604,1,1\r\n"
              "2,-1,1,0,0,1224,2444,2,0\r\n2,1,1,0,0,404,604,2,1\r\n");
    LayoutViewer viewer(*module);
    EXPECT_EQ(viewer.layoutCount(), 2);
    EXPECT_EQ(viewer.selectorEntries(), (std::vector<std::string>{"1 / 2", "2 / 2"}));
    EXPECT_EQ(viewer.current(), 1);
    viewer.select(9);
    EXPECT_EQ(viewer.current(), 2);
    viewer.select(0);
    EXPECT_EQ(viewer.current(), 1);
    // The report and off-cut table are written as the viewer opens.
    EXPECT_NE(dir.read("report.tlf").find("Layout No. 2/2"), std::string::npos);
    EXPECT_TRUE(fileExists(dir / "offcut.tlf"));

    EXPECT_FALSE(viewer.magnified());
    viewer.toggleZoom();
    EXPECT_TRUE(viewer.magnified());
    viewer.toggleZoom();
    EXPECT_FALSE(viewer.magnified());

    viewer.select(2);
    RecordingSurface printer(2480, 3508);
    EXPECT_EQ(viewer.print(printer, PrintRange::All), 2);
    EXPECT_EQ(printer.all<RecordingSurface::NewPage>().size(), 1u);
    EXPECT_EQ(viewer.current(), 2);  // the layout shown before printing
    RecordingSurface one(2480, 3508);
    EXPECT_EQ(viewer.print(one, PrintRange::Selection), 1);
    EXPECT_TRUE(one.all<RecordingSurface::NewPage>().empty());

    RecordingSurface screen(500, 500);
    const layouts::DrawnLayout drawn = viewer.draw(screen);
    EXPECT_EQ(drawn.listing.rfind("Layout No. 2/2", 0), 0u);
    EXPECT_FALSE(screen.all<RecordingSurface::Box>().empty());
}

TEST_F(Job, AResultThatDoesNotFitTheJobIsToldNotRead) {
    open();
    dir.write("dia.tlf", "1,-1,1,0,0,1224,2444,1,0\r\n1,9,1,0,0,404,604,1,1\r\n");
    EXPECT_EQ(openLayoutViewer(*module), nullptr);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_FALSE(prompt.messages[0].text.empty());
    dir.write("dia.tlf", "");
    EXPECT_EQ(openLayoutViewer(*module), nullptr);
    EXPECT_EQ(prompt.messages.back().text, "This file was not optimized.");
}

TEST_F(Job, ArrangeIsForSheetModeOnly) {
    open(StockMode::Coil);
    dir.write("dia.tlf", "1,-1,1,0,0,1224,2444,1,0\r\n1,1,1,0,0,404,604,1,1\r\n");
    const auto viewer = openLayoutViewer(*module);
    ASSERT_NE(viewer, nullptr);
    EXPECT_FALSE(viewer->arrangeAllowed());
}

TEST(Listing, TheQuantityLineIsBoldLightBlueAndTextIsEscaped) {
    const std::string html = listingHtml("Layout No. 1/2\r\nSize    : 2440 X 1220\r\nQuantity: 3\r\n<B> & CO\r\n");
    EXPECT_NE(html.find("<b><span style=\"color:#0000ff;\">Quantity: 3</span></b>\n"), std::string::npos);
    EXPECT_NE(html.find("&lt;B&gt; &amp; CO"), std::string::npos);
    EXPECT_EQ(html.find('\r'), std::string::npos);
    // Only the first "Quantity:" is marked.
    const std::string twice = listingHtml("Quantity: 1\nQuantity: 2\n");
    EXPECT_EQ(twice.find("<b>", twice.find("</b>")), std::string::npos);
    EXPECT_EQ(listingHtml("no figures").find("<b>"), std::string::npos);
}

}  // namespace
}  // namespace veltrix
