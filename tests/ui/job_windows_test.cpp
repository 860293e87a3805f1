// The job windows driven by the keyboard: a job typed into the three windows where the focus is,
// saved, reopened and saved again; Delete, Backspace and the clipboard; sorting; the import lock;
// the question before a job with a plan is changed; coil mode with its windows and layout tools.

#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

#include "app/base_module.h"
#include "job/plan.h"
#include "base/file_ops.h"
#include "ui/base_window.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/job_windows.h"
#include "ui/layouts_window.h"
#include "ui/previews.h"
#include "ui_support.h"

namespace veltrix::ui {
namespace {

using test::Harness;
using test::pressKey;
using test::typeKeys;

constexpr const char* kCutRow = "\"720\",\"\",\"\",\"\",\"\",\"560\",\"\",\"\",\"\",\"\",\"8\",\"\",\"SIDE\",\"\",\"\",\"\",\"\"\r\n";

struct JobWindows : ::testing::Test {
    Harness h;
    std::unique_ptr<BaseWindow> base;

    void start(StockMode mode = StockMode::Sheet) { base = h.startBase(mode); }
    GridTable& cuts() { return base->module().tables().cuts; }
    GridTable& basic() { return base->module().tables().basic; }
    // The job's tables set as if opened; the windows show them again.
    void setTables(const char* basicText, const char* cutText) {
        if (basicText) basic().loadText(basicText);
        if (cutText) {
            cuts().loadText(cutText);
            cuts().keepBlankRow();
        }
        base->tablesReloaded();
    }
    static QString shown(GridWindow& w, int row, int column) { return w.model()->index(row - 1, column - 1).data().toString(); }
};

TEST_F(JobWindows, AJobTypedWhereTheFocusIsIsSavedReopenedAndSavedAgainByteForByte) {
    start();
    pressKey(Qt::Key_F4);  // Basic Details: the focus goes to its grid
    typeKeys("mdf board\tx\t18.5.5\t3100\t\t4\t\ta,b\"c");
    EXPECT_EQ(base->basicWindow()->model()->rowCount(), 1);  // the basic details keep one row
    pressKey(Qt::Key_F2);
    typeKeys("2440\t1220\t12345678\t\t\t\t\track a");  // the eighth digit of QTY is refused
    pressKey(Qt::Key_F3);
    typeKeys("600\t4000\b\t2\tq\tside\n");  // hidden edge columns are passed over; Enter moves on
    EXPECT_EQ(base->cutWindow()->model()->rowCount(), 2);  // one blank row after the typed one
    EXPECT_EQ(base->cutWindow()->currentColumn(), kCutProduct);
    EXPECT_TRUE(base->module().document().changed);

    const auto path = h.dir / "typed.opt";
    h.dialogs.pushSave(path.string());
    pressKey(Qt::Key_S, Qt::ControlModifier);  // a new job: Save asks where
    const std::string expected =
        "[BASIC.TLF]\r\n\"MDF BOARD\",\"YES\",\"18.55\",\"3100\",\"\",\"4\",\"\",\"ABC\"\r\n[END]\r\n"
        "[OPTIONS.TLF]\r\n-1,0\r\n[END]\r\n"
        "[SHEET.TLF]\r\n\"2440\",\"1220\",\"1234567\",\"\",\"\",\"\",\"\",\"RACK A\"\r\n[END]\r\n"
        "[CUT.TLF]\r\n\"600\",\"\",\"\",\"\",\"\",\"400\",\"\",\"\",\"\",\"\",\"2\",\"YES\",\"SIDE\",\"\",\"\",\"\",\"\"\r\n"
        "[END]\r\n"
        "[DIA.TLF]\r\n[END]\r\n";
    EXPECT_EQ(h.dir.read("typed.opt"), expected);
    EXPECT_FALSE(base->module().document().changed);
    EXPECT_EQ(base->windowTitle().toStdString(), "Veltrix Suite [Base Module] - " + toLower(path.string()));

    // A fresh base module opens the file and shows the same cells.
    base.reset();
    start();
    h.open(*base, path);
    EXPECT_EQ(shown(*base->basicWindow(), 1, kMat), "MDF BOARD");
    EXPECT_EQ(shown(*base->sheetWindow(), 1, kSheetQty), "1234567");
    EXPECT_EQ(shown(*base->cutWindow(), 1, kCutAlign), "YES");
    EXPECT_EQ(h.messageTexts().back(), "This file was not optimized.");
    std::filesystem::remove(path);
    pressKey(Qt::Key_S, Qt::ControlModifier);  // named now: no dialog
    EXPECT_EQ(h.dir.read("typed.opt"), expected);
    EXPECT_EQ(h.dialogs.requests.size(), 2u);
}

// Delete, Backspace, the clipboard and the sort act on the visible columns; sizes sort as numbers
// and one blank row stays last.
TEST_F(JobWindows, DeleteBackspaceTheClipboardAndSortingOfTheVisibleColumns) {
    start();
    setTables(nullptr, kCutRow);
    CutWindow& c = *base->cutWindow();
    c.setCurrentCell(1, kCutDescription);
    pressKey(Qt::Key_Delete);
    EXPECT_EQ(cuts().cell(1, kCutDescription), "");
    c.setCurrentCell(1, kCutLength);
    pressKey(Qt::Key_Backspace);  // 720 becomes 72, as copied below

    // Ctrl+C copies the visible cells of the selection; hidden edge columns take no field.
    c.view()->selectionModel()->select(
        QItemSelection(c.model()->index(0, kCutLength - 1), c.model()->index(0, kCutQty - 1)),
        QItemSelectionModel::ClearAndSelect);
    pressKey(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(h.clipboard.text(), "72\t560\t8\r\n");

    // Ctrl+V asks first, then fills the visible columns from the current cell, adding rows.
    h.clipboard.setText("100\t50\t3\r\n200\t60\t4\r\n");
    h.prompt.push(Answer::No);
    c.setCurrentCell(2, kCutLength);
    pressKey(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(h.messageTexts().back(), "Paste from clipboard ?");
    EXPECT_TRUE(cuts().rowEmpty(2));
    h.prompt.push(Answer::Yes);
    pressKey(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cuts().rowTexts(3), (std::vector<std::string>{"200", "", "", "", "", "60", "", "", "", "", "4", "", "",
                                                            "", "", "", ""}));
    EXPECT_EQ(c.totalText(), "15");

    // As text 72 would come first.
    c.toolBar()->findChild<QAction*>("SortDescending")->trigger();
    EXPECT_EQ(cuts().cell(1, kCutLength), "200");
    EXPECT_EQ(cuts().cell(3, kCutLength), "72");
    ASSERT_EQ(c.model()->rowCount(), 4);
    EXPECT_TRUE(cuts().rowEmpty(4));
    EXPECT_EQ(c.currentRow(), 1);
    EXPECT_EQ(c.currentColumn(), kCutLength);
}

TEST_F(JobWindows, SheetsImportedFromTheLibraryLockMaterialGrainAndThickness) {
    h.dir.write("mlm.dat", "\"PB\",\"\",\"18\",\"2800\",\"2070\",\"4\",\"RACK 1\"\r\n");
    start();
    setTables("\"PB\",\"\",\"18\",\"3000\",\"0\",\"4\",\"0\",\"\"\r\n", nullptr);
    base->sheetWindow()->importButton()->click();
    EXPECT_EQ(h.messageTexts().back(), "1 size(s) imported from MLM");
    EXPECT_EQ(shown(*base->sheetWindow(), 1, kSheetLocation), "RACK 1");

    pressKey(Qt::Key_F4);
    base->basicWindow()->setCurrentCell(1, kThick);
    const std::size_t told = h.prompt.messages.size();
    pressKey(Qt::Key_Right);  // even a move is refused
    typeKeys("5");
    EXPECT_EQ(base->basicWindow()->currentColumn(), kThick);
    EXPECT_EQ(basic().cell(1, kThick), "18");
    ASSERT_EQ(h.prompt.messages.size(), told + 2);
    EXPECT_EQ(h.prompt.messages.back().text, kImportLockMessage);
    base->basicWindow()->setCurrentCell(1, kNote);
    typeKeys("ok");
    EXPECT_EQ(basic().cell(1, kNote), "OK");
    EXPECT_EQ(h.prompt.messages.size(), told + 2);
}

TEST_F(JobWindows, ChangingAJobWithAPlanAsksFirstAndYesClosesEveryResultWindow) {
    start();
    h.open(*base, h.writeTwoLayoutJob());
    ASSERT_NE(base->layoutsWindow(), nullptr);  // a job with a plan opens on its layouts
    pressKey(Qt::Key_F7);
    pressKey(Qt::Key_F6);
    ASSERT_NE(base->reportWindow(), nullptr);
    ASSERT_NE(base->offcutWindow(), nullptr);
    const std::string plan = planText(base->module().document().plan);
    pressKey(Qt::Key_F3);

    h.prompt.push(Answer::No);
    typeKeys("5");
    EXPECT_EQ(h.prompt.messages.back().text, kChangeQuestion);
    EXPECT_EQ(cuts().cell(1, kCutLength), "720");
    EXPECT_EQ(planText(base->module().document().plan), plan);
    EXPECT_NE(base->layoutsWindow(), nullptr);
    // A sort would reorder the pieces the plan refers to: it asks too.
    h.prompt.push(Answer::No);
    base->cutWindow()->toolBar()->findChild<QAction*>("SortAscending")->trigger();
    EXPECT_EQ(h.prompt.messages.size(), 2u);
    EXPECT_EQ(cuts().cell(1, kCutDescription), "HOB PANEL");

    h.prompt.push(Answer::Yes);
    typeKeys("5");
    EXPECT_EQ(cuts().cell(1, kCutLength), "7205");
    EXPECT_TRUE(base->module().document().plan.empty());
    EXPECT_EQ(base->layoutsWindow(), nullptr);
    EXPECT_EQ(base->reportWindow(), nullptr);
    EXPECT_EQ(base->offcutWindow(), nullptr);
    typeKeys("\b");  // once the plan is gone nothing more is asked
    EXPECT_EQ(h.prompt.messages.size(), 3u);
}

// Coil mode has no sheet quantity, no import and no sheet-only layout tools.
TEST_F(JobWindows, CoilModeHidesQuantityTheSheetImportAndTheSheetOnlyLayoutTools) {
    start(StockMode::Coil);
    SheetWindow& s = *base->sheetWindow();
    EXPECT_EQ(s.windowTitle(), "Coil Specifications");
    EXPECT_TRUE(s.view()->isColumnHidden(kSheetQty - 1));
    EXPECT_FALSE(s.importButton()->isEnabled());
    EXPECT_FALSE(base->action("toolSheets")->isVisible());
    EXPECT_TRUE(base->action("toolCoils")->isVisible());
    h.open(*base, veltrix::test::dataFile("layouts/coil-two-layouts.dcm"));
    ASSERT_NE(base->layoutsWindow(), nullptr);
    EXPECT_FALSE(base->layoutsWindow()->tool("sawInstructions")->isEnabled());
    EXPECT_FALSE(base->layoutsWindow()->tool("arrange")->isEnabled());
    EXPECT_TRUE(base->layoutsWindow()->tool("add")->isEnabled());
}

// Outline and picture names in the job are relative to the working folder, not to the folder the
// program was started in; typed names are upper case, the files' names are not.
TEST_F(JobWindows, OutlineAndPictureOfACutPieceAreFoundInTheWorkingFolderWhereverTheProgramStarted) {
    namespace fs = std::filesystem;
    fs::copy_file(fs::path(VELTRIX_EXAMPLES) / "workshop/outline-corner.dxf", h.dir / "corner.dxf");
    QImage logo(8, 8, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(QString::fromStdString((h.dir / "logo.bmp").string())));
    veltrix::test::TempFolder elsewhere;
    const fs::path started = fs::current_path();
    fs::current_path(elsewhere.path());
    start();
    setTables(nullptr, "\"1\",\"\",\"\",\"\",\"\",\"1\",\"\",\"\",\"\",\"\",\"2\",\"\",\"TOP\",\"\",\"\",\"LOGO.BMP\","
                       "\"CORNER.DXF\"\r\n");
    CutWindow& w = *base->cutWindow();
    w.setCurrentCell(1, kCutQty);
    EXPECT_EQ(dxf::boundingBox(w.dxfPreview()->outline()).width(), 600);
    EXPECT_FALSE(w.labelPreview()->pixmap().isNull());
    // Choosing the outline again (the dialog opens at the file) measures it into LENGTH and WIDTH.
    h.dialogs.pushOpen("CORNER.DXF");
    test::typeInto(w, 1, kCutDxfFile, " ");
    EXPECT_EQ(h.dialogs.requests.back().initialPath, (h.dir / "corner.dxf").string());
    EXPECT_EQ(cuts().cell(1, kCutLength), "600.00");
    EXPECT_EQ(cuts().cell(1, kCutWidth), "400.00");
    fs::current_path(started);
}

}  // namespace
}  // namespace veltrix::ui
