// The job windows driven by the keyboard: typing rules, blank row, Delete, sort, clipboard, import
// lock, change confirmation, side displays; a job typed in, saved, reopened and saved again.

#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

#include "job/job_tables.h"
#include "table/file_ops.h"
#include "ui/base_window.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/job_windows.h"
#include "ui/previews.h"
#include "ui_support.h"

namespace veltrix::ui {
namespace {

using test::Harness;
using test::typeInto;

struct JobWindows : ::testing::Test {
    Harness h;
    std::unique_ptr<BaseWindow> base;

    void start(StockMode mode = StockMode::Sheet, const char* reportOption = "Area") {
        h.dir.write("misc.set", std::string("\"") + reportOption + "\"\r\n0\r\n1\r\n");
        base = std::make_unique<BaseWindow>(h.services, mode);
        base->setAttribute(Qt::WA_DeleteOnClose, false);
        base->start();
    }
    GridTable& cuts() { return base->module().tables().cuts; }
    GridTable& sheets() { return base->module().tables().sheets; }
    GridTable& basic() { return base->module().tables().basic; }
};

TEST_F(JobWindows, AJobTypedInIsSavedReopenedAndSavedAgainByteForByte) {
    start();
    BasicWindow& b = *base->basicWindow();
    typeInto(b, 1, kMat, "mdf board");
    typeInto(b, 1, kGrain, "x");
    typeInto(b, 1, kThick, "18.5.5");
    typeInto(b, 1, kBlade, "3100");
    typeInto(b, 1, kKerf, "4");
    typeInto(b, 1, kNote, "a,b\"c");
    EXPECT_EQ(basic().cell(1, kMat), "MDF BOARD");
    EXPECT_EQ(basic().cell(1, kGrain), "YES");
    EXPECT_EQ(basic().cell(1, kThick), "18.55");
    EXPECT_EQ(basic().cell(1, kNote), "ABC");
    // The basic details keep one row.
    EXPECT_EQ(b.model()->rowCount(), 1);

    SheetWindow& s = *base->sheetWindow();
    typeInto(s, 1, kSheetLength, "2440");
    // Typing into the last row adds a blank row after it.
    EXPECT_EQ(s.model()->rowCount(), 2);
    EXPECT_EQ(s.model()->headerData(1, Qt::Vertical, Qt::DisplayRole).toString(), "2");
    typeInto(s, 1, kSheetWidth, "1220");
    typeInto(s, 1, kSheetQty, "12345678");  // the eighth digit is refused
    typeInto(s, 1, kSheetLocation, "rack a");

    CutWindow& c = *base->cutWindow();
    typeInto(c, 1, kCutLength, "600");
    typeInto(c, 1, kCutWidth, "4000\b");
    typeInto(c, 1, kCutQty, "2");
    typeInto(c, 1, kCutAlign, "q");
    typeInto(c, 1, kCutDescription, "side");
    EXPECT_EQ(c.model()->rowCount(), 2);
    EXPECT_TRUE(base->module().state().changed);

    const auto path = h.dir / "typed.opt";
    h.dialogs.pushSave(path.string());
    base->action("mnuSaveAs")->trigger();
    const std::string expected =
        "[BASIC.TLF]\r\n\"MDF BOARD\",\"YES\",\"18.55\",\"3100\",\"\",\"4\",\"\",\"ABC\"\r\n[END]\r\n"
        "[OPTIONS.TLF]\r\n-1,0\r\n[END]\r\n"
        "[SHEET.TLF]\r\n\"2440\",\"1220\",\"1234567\",\"\",\"\",\"\",\"\",\"RACK A\"\r\n[END]\r\n"
        "[CUT.TLF]\r\n\"600\",\"\",\"\",\"\",\"\",\"400\",\"\",\"\",\"\",\"\",\"2\",\"YES\",\"SIDE\",\"\",\"\",\"\",\"\"\r\n"
        "[END]\r\n"
        "[DIA.TLF]\r\n[END]\r\n";
    EXPECT_EQ(h.dir.read("typed.opt"), expected);
    EXPECT_FALSE(base->module().state().changed);
    EXPECT_EQ(base->windowTitle().toStdString(), "Veltrix Suite [Base Module] - " + toLower(path.string()));

    // A fresh base module opens the file and shows the same cells.
    base.reset();
    start();
    h.dialogs.pushOpen(path.string());
    base->action("mnuOpen")->trigger();
    EXPECT_EQ(base->basicWindow()->model()->index(0, kMat - 1).data().toString(), "MDF BOARD");
    EXPECT_EQ(base->sheetWindow()->model()->index(0, kSheetQty - 1).data().toString(), "1234567");
    EXPECT_EQ(base->cutWindow()->model()->index(0, kCutAlign - 1).data().toString(), "YES");
    EXPECT_EQ(base->cutWindow()->model()->rowCount(), 2);
    EXPECT_EQ(h.messageTexts().back(), "This file was not optimized.");
    std::filesystem::remove(path);
    base->action("mnuSave")->trigger();  // named: no dialog
    EXPECT_EQ(h.dir.read("typed.opt"), expected);
}

TEST_F(JobWindows, DeleteBackspaceAndTheClipboard) {
    h.dir.write("cut.tlf",
                "\"720\",\"\",\"\",\"\",\"\",\"560\",\"\",\"\",\"\",\"\",\"8\",\"\",\"SIDE\",\"\",\"\",\"\",\"\"\r\n");
    start();
    CutWindow& c = *base->cutWindow();
    c.setCurrentCell(1, kCutDescription);
    QTest::keyClick(c.view(), Qt::Key_Delete);
    EXPECT_EQ(cuts().cell(1, kCutDescription), "");
    typeInto(c, 1, kCutLength, "\b");
    EXPECT_EQ(cuts().cell(1, kCutLength), "72");

    // Ctrl+C copies the visible cells of the selection; hidden edge columns take no field.
    c.view()->setCurrentIndex(c.model()->index(0, kCutLength - 1));
    c.view()->selectionModel()->select(
        QItemSelection(c.model()->index(0, kCutLength - 1), c.model()->index(0, kCutQty - 1)),
        QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(c.view(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(h.clipboard.text(), "72\t560\t8\r\n");

    // Ctrl+V asks first, then fills the row below, adding the rows it needs.
    h.clipboard.setText("100\t50\t3\r\n200\t60\t4\r\n");
    h.prompt.push(Answer::Yes);
    c.setCurrentCell(2, kCutLength);
    QTest::keyClick(c.view(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(h.messageTexts().back(), "Paste from clipboard ?");
    EXPECT_EQ(cuts().cell(3, kCutLength), "200");
    EXPECT_EQ(cuts().cell(3, kCutWidth), "60");
    EXPECT_EQ(cuts().cell(3, kCutQty), "4");
    EXPECT_EQ(c.model()->rowCount(), 4);  // three rows and the blank one
    EXPECT_EQ(c.totalText(), "15");
}

TEST_F(JobWindows, SortingIsNumericForSizesAndKeepsOneBlankRow) {
    h.dir.write("cut.tlf",
                "\"800\",\"\",\"\",\"\",\"\",\"300\",\"\",\"\",\"\",\"\",\"1\",\"\",\"b\",\"\",\"\",\"\",\"\"\r\n"
                "\"1200\",\"\",\"\",\"\",\"\",\"300\",\"\",\"\",\"\",\"\",\"1\",\"\",\"A\",\"\",\"\",\"\",\"\"\r\n");
    start();
    CutWindow& c = *base->cutWindow();
    c.setCurrentCell(1, kCutLength);
    c.toolBar()->findChild<QAction*>("SortDescending")->trigger();
    EXPECT_EQ(cuts().cell(1, kCutLength), "1200");
    EXPECT_EQ(cuts().cell(2, kCutLength), "800");
    EXPECT_EQ(c.model()->rowCount(), 3);
    EXPECT_TRUE(cuts().rowEmpty(3));
    EXPECT_TRUE(base->module().state().changed);
    // Sorting on the description ignores letter case.
    c.setCurrentCell(1, kCutDescription);
    c.toolBar()->findChild<QAction*>("SortAscending")->trigger();
    EXPECT_EQ(cuts().cell(1, kCutDescription), "A");
    EXPECT_EQ(c.currentRow(), 1);
    EXPECT_EQ(c.currentColumn(), kCutDescription);
}

TEST_F(JobWindows, TheImportLockRefusesEveryKeyOnMaterialGrainAndThickness) {
    h.dir.write("basic.tlf", "\"PB\",\"\",\"18\",\"3000\",\"0\",\"4\",\"0\",\"\"\r\n");
    start();
    base->module().state().importLock = true;
    BasicWindow& b = *base->basicWindow();
    b.setCurrentCell(1, kThick);
    QTest::keyClick(b.view(), Qt::Key_Right);  // even a move
    EXPECT_EQ(b.currentColumn(), kThick);
    typeInto(b, 1, kThick, "5");
    EXPECT_EQ(basic().cell(1, kThick), "18");
    ASSERT_EQ(h.prompt.messages.size(), 2u);
    EXPECT_EQ(h.prompt.messages[0].text,
              "MATERIAL, GRAIN and THICKNESS can not be changed after import. Select New File to change these "
              "parameters.");
    EXPECT_EQ(h.prompt.messages[0].icon, Icon::Exclamation);
    EXPECT_EQ(h.prompt.messages[0].title, "");
    typeInto(b, 1, kNote, "ok");
    EXPECT_EQ(basic().cell(1, kNote), "OK");
    EXPECT_EQ(h.prompt.messages.size(), 2u);
}

TEST_F(JobWindows, EditingAJobWithAResultAsksBeforeDiscardingIt) {
    start();
    h.dir.write("dia.tlf", "1,-1,1,0,0,1220,2440,1,0\r\n");
    CutWindow& c = *base->cutWindow();
    h.prompt.push(Answer::No);
    typeInto(c, 1, kCutLength, "5");
    EXPECT_EQ(cuts().cell(1, kCutLength), "");
    EXPECT_EQ(h.prompt.messages.back().text,
              "You are trying to change data. If you continue, you will need to Optimize again. Continue?");
    EXPECT_FALSE(h.dir.read("dia.tlf").empty());

    // A sort would reorder the pieces a result refers to: it asks too.
    h.prompt.push(Answer::No);
    c.toolBar()->findChild<QAction*>("SortAscending")->trigger();
    EXPECT_EQ(h.prompt.messages.size(), 2u);

    h.prompt.push(Answer::Yes);
    typeInto(c, 1, kCutLength, "5");
    EXPECT_EQ(cuts().cell(1, kCutLength), "5");
    EXPECT_TRUE(h.dir.read("dia.tlf").empty());
    // Once the result is gone nothing more is asked.
    typeInto(c, 1, kCutLength, "0");
    EXPECT_EQ(h.prompt.messages.size(), 3u);
}

TEST_F(JobWindows, CoilModeHidesQuantityAndImport) {
    start(StockMode::Coil);
    SheetWindow& s = *base->sheetWindow();
    EXPECT_EQ(s.windowTitle(), "Coil Specifications");
    EXPECT_TRUE(s.view()->isColumnHidden(kSheetQty - 1));
    EXPECT_FALSE(s.view()->isColumnHidden(kSheetLength - 1));
    EXPECT_FALSE(s.importButton()->isEnabled());
    EXPECT_EQ(base->windowTitle(), "RiRiza Manager");
    EXPECT_EQ(base->action("mnuSheets")->text(), "Coi&l Specifications");
    EXPECT_FALSE(base->action("tbSheets")->isVisible());
    EXPECT_TRUE(base->action("tbCoils")->isVisible());
}

TEST_F(JobWindows, SheetModeShowsQuantityAndImports) {
    h.dir.write("basic.tlf", "\"PB\",\"\",\"18\",\"3000\",\"0\",\"4\",\"0\",\"\"\r\n");
    h.dir.write("mlm.dat", "\"PB\",\"\",\"18\",\"2800\",\"2070\",\"4\",\"RACK 1\"\r\n");
    start();
    SheetWindow& s = *base->sheetWindow();
    EXPECT_EQ(s.windowTitle(), "Sheet Specifications");
    EXPECT_FALSE(s.view()->isColumnHidden(kSheetQty - 1));
    EXPECT_EQ(base->action("mnuSheets")->text(), "&Sheet Specifications");
    s.importButton()->click();
    EXPECT_EQ(h.messageTexts().back(), "1 size(s) imported from MLM");
    EXPECT_EQ(s.model()->index(0, kSheetLength - 1).data().toString(), "2800");
    EXPECT_TRUE(base->module().state().importLock);
}

TEST_F(JobWindows, MarginMarkersFollowTheCurrentRow) {
    h.dir.write("sheet.tlf",
                "\"2440\",\"1220\",\"1\",\"10\",\"\",\"0\",\"5\",\"\"\r\n"
                "\"2440\",\"1220\",\"1\",\"\",\"12\",\"12\",\"\",\"\"\r\n");
    start();
    SheetWindow& s = *base->sheetWindow();
    s.setCurrentCell(1, 1);
    MarginMarkers& m = *s.markers();
    EXPECT_TRUE(m.shown(0));
    EXPECT_FALSE(m.shown(1));
    EXPECT_FALSE(m.shown(2));
    EXPECT_TRUE(m.shown(3));
    s.setCurrentCell(2, 1);
    EXPECT_FALSE(m.shown(0));
    EXPECT_TRUE(m.shown(1));
    EXPECT_TRUE(m.shown(2));
    EXPECT_FALSE(m.shown(3));
    // Typing a margin shows its marker at once.
    typeInto(s, 2, kMarginLeft, "3");
    EXPECT_TRUE(m.shown(0));
}

TEST_F(JobWindows, TheCutPieceWindowTotalsAndPreviews) {
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const auto bmp = h.dir / "side.bmp";
    ASSERT_TRUE(picture.save(QString::fromStdString(bmp.string()), "BMP"));
    const auto dxf = h.dir.write("part.dxf",
                                 "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nCIRCLE\r\n  8\r\n0\r\n 10\r\n50\r\n"
                                 " 20\r\n50\r\n 40\r\n25\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n");
    h.dir.write("cut.tlf",
                "\"720\",\"\",\"\",\"\",\"\",\"560\",\"\",\"\",\"\",\"\",\"2\",\"\",\"\",\"\",\"\",\"" + bmp.string() +
                    "\",\"" + dxf.string() + "\"\r\n"
                    "\"720\",\"\",\"\",\"\",\"\",\"560\",\"\",\"\",\"\",\"\",\"3\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
                    "\"720\",\"\",\"\",\"\",\"\",\"560\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
    start(StockMode::Sheet, "Area With Edge Banding");
    CutWindow& c = *base->cutWindow();
    EXPECT_EQ(c.totalText(), "5");
    c.setCurrentCell(1, 1);
    EXPECT_FALSE(c.labelPreview()->pixmap().isNull());
    EXPECT_EQ(c.dxfPreview()->outline().size(), 1u);
    c.setCurrentCell(2, 1);
    EXPECT_TRUE(c.labelPreview()->pixmap().isNull());
    EXPECT_TRUE(c.dxfPreview()->outline().empty());
    // "Area With Edge Banding" shows the edge columns; the path columns stay visible.
    EXPECT_FALSE(c.view()->isColumnHidden(kLenEdge1 - 1));
    EXPECT_FALSE(c.view()->isColumnHidden(kCutDxfFile - 1));
    EXPECT_EQ(c.model()->data(c.model()->index(0, kCutDxfFile - 1), Qt::TextAlignmentRole).toInt() & Qt::AlignRight,
              Qt::AlignRight);
}

TEST_F(JobWindows, EdgeColumnsHideForOtherReportOptions) {
    start(StockMode::Sheet, "Weight");
    CutWindow& c = *base->cutWindow();
    for (int col : {kLenEdge1, kLenRem1, kLenEdge2, kLenRem2, kWidEdge1, kWidRem1, kWidEdge2, kWidRem2})
        EXPECT_TRUE(c.view()->isColumnHidden(col - 1)) << col;
    EXPECT_FALSE(c.view()->isColumnHidden(kCutQty - 1));
    // Typing moves past hidden columns: Right from LENGTH lands on WIDTH.
    c.setCurrentCell(1, kCutLength);
    QTest::keyClick(c.view(), Qt::Key_Right);
    EXPECT_EQ(c.currentColumn(), kCutWidth);

    // A changed report option shows when the windows open again on a job.
    h.dir.write("misc.set", "\"Area With Edge Banding\"\r\n0\r\n10\r\n");
    const auto job = h.dir.write("job.opt", "[BASIC.TLF]\r\n[END]\r\n[OPTIONS.TLF]\r\n-1,0\r\n[END]\r\n"
                                            "[SHEET.TLF]\r\n[END]\r\n[CUT.TLF]\r\n[END]\r\n[DIA.TLF]\r\n[END]\r\n");
    h.dialogs.pushOpen(job.string());
    base->action("mnuOpen")->trigger();
    EXPECT_FALSE(c.view()->isColumnHidden(kLenEdge1 - 1));
    EXPECT_FALSE(c.view()->isColumnHidden(kWidRem2 - 1));
}

TEST_F(JobWindows, AClosedJobWindowWritesItsFileAndReopensFromIt) {
    start();
    typeInto(*base->sheetWindow(), 1, kSheetLength, "2440");
    base->sheetWindow()->parentWidget()->close();
    EXPECT_EQ(h.dir.read("sheet.tlf"), "\"2440\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
    h.dir.write("sheet.tlf", "\"3050\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
    base->action("mnuSheets")->trigger();
    EXPECT_TRUE(base->sheetWindow()->isVisible());
    EXPECT_EQ(sheets().cell(1, kSheetLength), "3050");

    // Opening a job opens every job window again.
    base->cutWindow()->parentWidget()->close();
    EXPECT_FALSE(base->cutWindow()->isVisible());
    const auto job = h.dir.write("job.opt", "[BASIC.TLF]\r\n[END]\r\n[OPTIONS.TLF]\r\n-1,0\r\n[END]\r\n"
                                            "[SHEET.TLF]\r\n[END]\r\n[CUT.TLF]\r\n[END]\r\n[DIA.TLF]\r\n[END]\r\n");
    h.prompt.push(Answer::No);  // the typed sheet need not be saved
    h.dialogs.pushOpen(job.string());
    base->action("mnuOpen")->trigger();
    EXPECT_TRUE(base->cutWindow()->isVisible());
}

}  // namespace
}  // namespace veltrix::ui
