// The tool windows driven as a user would: the unit conversion tool, plainly and from a grid cell
// (its "Paste" typing through the grid's rules), and the backup window.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "app/layout_viewer.h"
#include "job/job_tables.h"
#include "table/file_ops.h"
#include "ui/base_window.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/job_windows.h"
#include "ui/result_windows.h"
#include "ui/tool_windows.h"
#include "small_job.h"
#include "ui_support.h"

namespace veltrix::ui {
namespace {

namespace fs = std::filesystem;
using test::Harness;

void chooseUnit(QComboBox* list, const char* unit) {
    list->setCurrentIndex(list->findText(QString::fromLatin1(unit)));
    emit list->activated(list->currentIndex());
}

void deleteLater() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

TEST(UnitTool, ConvertsAsTypedAndKeepsTheUnitsUsedLast) {
    Harness h;
    QPointer<UnitWindow> tool = new UnitWindow(h.services);
    EXPECT_EQ(tool->windowTitle(), "Unit Conversion Tool");
    EXPECT_EQ(tool->button()->text(), "Close");
    EXPECT_EQ(tool->inputUnit()->currentText(), "mm");
    EXPECT_EQ(tool->outputUnit()->currentText(), "mm");
    EXPECT_EQ(tool->inputUnit()->count(), 5);

    QTest::keyClicks(tool->input(), "1");
    EXPECT_EQ(tool->result()->text(), "1.0000");
    chooseUnit(tool->inputUnit(), "in");
    EXPECT_EQ(tool->result()->text(), "25.4000");
    tool->input()->setText("1 1/2");
    EXPECT_EQ(tool->result()->text(), "38.1000");
    // A fraction that cannot be read leaves the last result.
    tool->input()->setText("1 1/0");
    EXPECT_EQ(tool->result()->text(), "38.1000");
    tool->input()->setText("abc");
    EXPECT_EQ(tool->result()->text(), "0.0000");
    tool->input()->setText("1");
    chooseUnit(tool->inputUnit(), "ft");
    chooseUnit(tool->outputUnit(), "mt");
    EXPECT_EQ(tool->result()->text(), "0.3048");

    tool->button()->click();
    deleteLater();
    EXPECT_TRUE(tool.isNull());
    EXPECT_EQ(h.dir.read("unit.tlf"), "\"ft\",\"mt\"\r\n");

    // Opened again, it shows the pair used last.
    QPointer<UnitWindow> again = new UnitWindow(h.services);
    EXPECT_EQ(again->inputUnit()->currentText(), "ft");
    EXPECT_EQ(again->outputUnit()->currentText(), "mt");
    // Escape closes without storing.
    chooseUnit(again->outputUnit(), "cm");
    QTest::keyClick(again, Qt::Key_Escape);
    deleteLater();
    EXPECT_TRUE(again.isNull());
    EXPECT_EQ(h.dir.read("unit.tlf"), "\"ft\",\"mt\"\r\n");
}

struct UnitFromGrid : ::testing::Test {
    Harness h;
    std::unique_ptr<BaseWindow> base;

    void SetUp() override {
        h.dir.write("basic.tlf", veltrix::test::kSmallBasic);
        h.dir.write("sheet.tlf", veltrix::test::kSmallSheets);
        h.dir.write("cut.tlf", veltrix::test::kSmallCuts);
        base = std::make_unique<BaseWindow>(h.services, StockMode::Sheet);
        base->setAttribute(Qt::WA_DeleteOnClose, false);
        base->start();
    }
    // Tools > Unit Conversion Tool with cell (row, column) of the cut-piece window current.
    UnitWindow* openFromCut(int row, int column) {
        base->showJobWindow(JobGrid::Cuts);
        base->cutWindow()->setCurrentCell(row, column);
        base->action("mnuUnit")->trigger();
        return base->findChild<UnitWindow*>();
    }
    std::string cut(int row, int column) const { return base->module().tables().cuts.cell(row, column); }
};

TEST_F(UnitFromGrid, PasteTypesTheResultIntoTheCellWithinItsWidth) {
    UnitWindow* tool = openFromCut(1, kCutLength);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->button()->text(), "Paste");
    EXPECT_EQ(tool->input()->text(), "600");
    tool->input()->setText("1234.5678");
    ASSERT_EQ(tool->result()->text(), "1234.5678");
    tool->button()->click();
    // LENGTH holds 7 characters: the rest of the keys are refused.
    EXPECT_EQ(cut(1, kCutLength), "1234.56");
    EXPECT_TRUE(base->module().state().changed);
    EXPECT_EQ(base->cutWindow()->model()->index(0, kCutLength - 1).data().toString(), "1234.56");
    deleteLater();
    EXPECT_EQ(base->findChild<UnitWindow*>(), nullptr);

    // From inches: 8 in is 203.2 mm, "203.2000" cut to the width of 7.
    tool = openFromCut(2, kCutWidth);
    ASSERT_NE(tool, nullptr);
    chooseUnit(tool->inputUnit(), "in");
    chooseUnit(tool->outputUnit(), "mm");
    tool->input()->setText("8");
    tool->button()->click();
    EXPECT_EQ(cut(2, kCutWidth), "203.200");
    EXPECT_EQ(h.dir.read("unit.tlf"), "\"in\",\"mm\"\r\n");
}

TEST_F(UnitFromGrid, OtherCellsOpenThePlainTool) {
    UnitWindow* tool = openFromCut(1, kCutDescription);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->button()->text(), "Close");
    EXPECT_TRUE(tool->input()->text().isEmpty());
    tool->input()->setText("5");
    tool->button()->click();
    EXPECT_EQ(cut(1, kCutDescription), "SIDE");
    deleteLater();
    // QTY is a whole-number column, not a real one.
    tool = openFromCut(1, kCutQty);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->button()->text(), "Close");
}

TEST_F(UnitFromGrid, ADeclinedChangeConfirmationIsAskedOnceAndTypesNothing) {
    h.dir.write("dia.tlf", "1,-1,1,0,0,1224,2444,1,0\r\n");
    UnitWindow* tool = openFromCut(1, kCutLength);
    ASSERT_NE(tool, nullptr);
    tool->input()->setText("300");
    h.prompt.push(Answer::No);
    tool->button()->click();
    ASSERT_EQ(h.prompt.messages.size(), 1u);
    EXPECT_EQ(h.prompt.messages[0].text, kChangeQuestion);
    EXPECT_EQ(cut(1, kCutLength), "600");
    EXPECT_FALSE(h.dir.read("dia.tlf").empty());
    deleteLater();

    // Yes: the result is discarded once and the value typed.
    tool = openFromCut(1, kCutLength);
    tool->input()->setText("300");
    h.prompt.push(Answer::Yes);
    tool->button()->click();
    EXPECT_EQ(h.prompt.messages.size(), 2u);
    EXPECT_EQ(cut(1, kCutLength), "300.000");
    EXPECT_TRUE(h.dir.read("dia.tlf").empty());
}

TEST_F(UnitFromGrid, TheImportLockRefusesThePasteWithOneMessage) {
    base->module().state().importLock = true;
    base->showJobWindow(JobGrid::Basic);
    base->basicWindow()->setCurrentCell(1, kThick);
    base->action("mnuUnit")->trigger();
    UnitWindow* tool = base->findChild<UnitWindow*>();
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->input()->text(), "18");
    tool->input()->setText("19");
    tool->button()->click();
    EXPECT_EQ(h.messageTexts(), std::vector<std::string>{kImportLockMessage});
    EXPECT_EQ(base->module().tables().basic.cell(1, kThick), "18");
}

TEST(UnitTool, PastesIntoTheOffcutTableThroughItsKeys) {
    Harness h;
    h.dir.write("basic.tlf", veltrix::test::kSmallBasic);
    h.dir.write("sheet.tlf", veltrix::test::kSmallSheets);
    h.dir.write("cut.tlf", "\"600\",\"\",\"\",\"\",\"\",\"400\",\"\",\"\",\"\",\"\",\"1\",\"\",\"SIDE\",\"\",\"\",\"\",\"\"\r\n");
    // One layout with one piece and an off-cut; the sheet is 1224 x 2444 with the kerf.
    h.dir.write("dia.tlf",
                "1,-1,1,0,0,1224,2444,1,0\r\n1,-2,1,0,0,1224,0,1,0\r\n1,-2,1,0,0,0,2444,1,0\r\n"
                "1,-2,1,1224,0,1224,2444,1,0\r\n1,-2,1,0,2444,1224,2444,1,0\r\n1,1,1,0,0,404,604,1,1\r\n"
                "1,-4,1,404,0,1224,2444,1,0\r\n");
    BaseWindow base(h.services, StockMode::Sheet);
    base.setAttribute(Qt::WA_DeleteOnClose, false);
    base.start();
    base.action("mnuOffcuts")->trigger();
    OffcutWindow* offcuts = base.offcutWindow();
    ASSERT_NE(offcuts, nullptr);
    ASSERT_EQ(offcuts->table().key(2), "LENGTH");
    offcuts->setCurrentCell(1, 2);
    offcuts->view()->setFocus();
    base.action("mnuUnit")->trigger();
    UnitWindow* tool = base.findChild<UnitWindow*>();
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->button()->text(), "Paste");
    tool->input()->setText("2");
    chooseUnit(tool->inputUnit(), "mt");
    chooseUnit(tool->outputUnit(), "mm");
    tool->button()->click();
    EXPECT_EQ(offcuts->table().cell(1, 2), "2000.00");
    EXPECT_TRUE(base.module().state().changed);
}

TEST(BackupWindow, CopiesTheWorkingFolderToTheChosenFolder) {
    Harness h;
    h.dir.write("cut.tlf", "x");
    h.dir.write("Defaults", "y");
    veltrix::test::TempFolder drive;
    BackupWindow window(h.services);
    EXPECT_EQ(window.windowTitle(), "Backup");
    EXPECT_EQ(window.files()->count(), 2);
    // Nothing chosen yet: nothing to start.
    window.drive()->setEditText({});
    EXPECT_FALSE(window.startButton()->isEnabled());
    window.setFolderChooser([&]() -> std::optional<std::string> { return drive.path().string(); });
    window.browseButton()->click();
    EXPECT_EQ(window.drive()->currentText().toStdString(), drive.path().string());
    ASSERT_TRUE(window.startButton()->isEnabled());
    window.startButton()->click();
    EXPECT_EQ(h.messageTexts(), std::vector<std::string>{"BACKUP completed."});
    EXPECT_EQ(h.prompt.messages[0].icon, Icon::Information);
    EXPECT_EQ(drive.read("optdata/cut.tlf"), "x");
    EXPECT_EQ(drive.read("optdata/Defaults"), "y");
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(window.progress()->value(), 2);
}

TEST(BackupWindow, NothingToCopyOrAFailedCopyIsToldAndTheWindowStays) {
    Harness h;
    veltrix::test::TempFolder drive;
    BackupWindow window(h.services);
    window.show();
    window.drive()->setEditText(QString::fromStdString(drive.path().string()));
    window.startButton()->click();
    EXPECT_EQ(h.messageTexts(), std::vector<std::string>{"No file(s) to BACKUP"});
    EXPECT_EQ(h.prompt.messages[0].icon, Icon::Exclamation);
    EXPECT_FALSE(fs::exists(drive / "optdata"));
    EXPECT_TRUE(window.isVisible());

    h.dir.write("a.tlf", "a");
    h.dir.write("b.tlf", "b");
    fs::create_directories(drive / "optdata" / "b.tlf");  // a folder where the file should go
    window.startButton()->click();
    EXPECT_EQ(h.messageTexts().back(), "Problem occured! You need to run BACKUP again. ");
    EXPECT_EQ(h.prompt.messages.back().icon, Icon::Critical);
    EXPECT_EQ(drive.read("optdata/a.tlf"), "a");
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.files()->isVisible());
    EXPECT_TRUE(window.startButton()->isEnabled());
}

}  // namespace
}  // namespace veltrix::ui
