// The launcher and the windows of the settings, libraries, labels and tools, driven as a user
// would: buttons, F1, the settings files written, the material library's Update, the label sheet
// with its codes switch and the labels of a plan, the label range, the unit tool typing into a
// cell, the backup.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QToolBar>

#include "base/file_ops.h"
#include "ui/base_window.h"
#include "ui/density_window.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/grid_window.h"
#include "ui/job_windows.h"
#include "ui/labels_windows.h"
#include "ui/launcher_window.h"
#include "ui/layout_settings_window.h"
#include "ui/layouts_window.h"
#include "ui/library_windows.h"
#include "ui/scrap_window.h"
#include "ui/settings_windows.h"
#include "ui/tool_windows.h"
#include "ui_support.h"

namespace veltrix::ui {
namespace {

using test::Harness;
using test::pressKey;
using test::typeInto;
using test::typeKeys;

// Presses a button of the launcher and hands the modal window it opens to `handle`; the name of
// the window handled, empty when none opened.
QString openFromLauncher(LauncherWindow& launcher, const char* button, const std::function<void(QDialog&)>& handle) {
    QString opened;
    test::activate(launcher);
    test::whileModal([&] { launcher.button(button)->click(); },
                     [&](QWidget* modal) {
                         opened = modal->objectName();
                         handle(*qobject_cast<QDialog*>(modal));
                         return true;
                     });
    return opened;
}

TEST(LauncherWindow, ButtonsOpenTheirWindowsF1OpensTheHelpAndExitDeletesTheScratchTables) {
    Harness h;
    h.dir.write("sheets.Adj", "x");
    h.dir.write("kitchen.opt", "x");
    LauncherWindow launcher(h.services);
    launcher.show();
    test::activate(launcher);
    pressKey(Qt::Key_F1);
    ASSERT_EQ(h.shell.topics, std::vector<int>{0});
    EXPECT_EQ(h.shell.helpShown[0], h.dir / "opt.hlp");

    const auto close = [](QDialog& d) { d.reject(); };
    EXPECT_EQ(openFromLauncher(launcher, "configureButton", close), "configureWindow");
    EXPECT_EQ(openFromLauncher(launcher, "materialLibraryButton", close), "materialLibraryWindow");
    EXPECT_TRUE(h.messageTexts().empty());  // nothing edited: no "Save Changes?"
    EXPECT_EQ(openFromLauncher(launcher, "backupButton",
                               [](QDialog& d) {
                                   pressKey(Qt::Key_F1);  // the backup's own topic
                                   d.reject();
                               }),
              "backupWindow");
    EXPECT_EQ(h.shell.topics, (std::vector<int>{0, 60}));
    EXPECT_EQ(openFromLauncher(launcher, "loadProductsButton", close), "");
    EXPECT_EQ(h.messageTexts().back(), "No valid products in PLM");

    launcher.button("coilModuleButton")->click();
    ASSERT_NE(launcher.baseWindow(), nullptr);
    EXPECT_EQ(launcher.baseWindow()->module().mode(), StockMode::Coil);
    EXPECT_FALSE(launcher.isVisible());
    launcher.baseWindow()->close();  // nothing changed: nothing asked
    EXPECT_TRUE(launcher.isVisible());

    launcher.button("exitButton")->click();
    EXPECT_FALSE(fileExists(h.dir / "sheets.Adj"));
    EXPECT_TRUE(fileExists(h.dir / "kitchen.opt"));
    EXPECT_FALSE(launcher.isVisible());
}

TEST(SettingsWindows, MiscShowsAndStoresTheSettingsHoweverItCloses) {
    Harness h;
    h.dir.write("misc.set", "\"Area With Edge Banding\"\r\n2.5\r\n40\r\n");
    h.dir.write("netpath.set", "\\\\server\\lib\\\r\n");
    MiscWindow w(h.services);
    EXPECT_TRUE(w.option(2)->isChecked());
    EXPECT_EQ(w.increment()->text(), "2.5");
    EXPECT_EQ(w.efficiencyFrame()->title(), "Nesting Efficiency (40%)");
    EXPECT_EQ(w.netPath()->text(), "\\\\server\\lib\\");
    w.efficiency()->setValue(25);
    EXPECT_EQ(w.efficiencyFrame()->title(), "Nesting Efficiency (25%)");
    w.option(0)->setChecked(true);
    w.show();
    // Junk in the increment is named and the window stays open with nothing stored.
    w.increment()->setText(QStringLiteral("1.2.3"));
    w.reject();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(h.messageTexts().back(),
              "Edge-banding increment: \"1.2.3\" is not a number: type digits and at most one point, nothing negative.");
    EXPECT_EQ(h.dir.read("misc.set"), "\"Area With Edge Banding\"\r\n2.5\r\n40\r\n");
    w.increment()->setText(QStringLiteral("2.5"));
    w.reject();  // the title bar's close button stores as well
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(h.dir.read("misc.set"), "\"Weight\"\r\n2.5\r\n25\r\n");
}

TEST(SettingsWindows, TheDensityTableAsksThenSortsOnMaterialAndStores) {
    Harness h;
    h.dir.write("density.dat", "\"PB\",\".65\"\r\n\"MDF\",\".75\"\r\n");
    bool changed = false;
    DensityWindow w(h.services, &changed);
    w.show();
    test::activate(w);
    typeInto(*w.grid(), 3, 1, "oak");
    typeInto(*w.grid(), 3, 2, ".9");
    EXPECT_TRUE(changed);
    h.prompt.push(Answer::Cancel);
    pressKey(Qt::Key_Escape);  // asks as "Update" does
    EXPECT_EQ(h.prompt.messages.back().text, "Save Changes?");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(h.dir.read("density.dat"), "\"PB\",\".65\"\r\n\"MDF\",\".75\"\r\n");
    h.prompt.push(Answer::Yes);
    w.findChild<QPushButton*>("updateButton")->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(h.dir.read("density.dat"), "\"MDF\",\".75\"\r\n\"OAK\",\".9\"\r\n\"PB\",\".65\"\r\n");
}

TEST(SettingsWindows, TheScrapCriteriaSpellOutTheRuleAndAreStoredOnClose) {
    Harness h;
    h.dir.write("scrap.dat", "\"300\",\"\",\"100.50\"\r\n");
    ScrapWindow w(h.services);
    EXPECT_EQ(w.explanation(), "Offcut having one dimension <= 300 OR other dimension <= 100.5 will be treated as SCRAP");
    typeInto(*w.grid(), 1, 2, "a");
    EXPECT_EQ(w.explanation(),
              "Offcut having one dimension <= 300 AND other dimension <= 100.5 will be treated as SCRAP");
    EXPECT_EQ(w.grid()->model()->rowCount(), 1);
    w.accept();
    EXPECT_EQ(h.dir.read("scrap.dat"), "\"300\",\"AND\",\"100.50\"\r\n");
}

TEST(SettingsWindows, LayoutSettingsApplyRewritesAllFourteenLinesAndCloseWritesNothing) {
    Harness h;
    const std::string stored = "1\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n3\r\n";
    h.dir.write("dia.set", stored);
    {
        LayoutSettingsWindow w(h.services);
        w.check(4)->setChecked(true);
        w.reject();
    }
    EXPECT_EQ(h.dir.read("dia.set"), stored);
    LayoutSettingsWindow w(h.services);
    EXPECT_TRUE(w.check(12)->isChecked());
    EXPECT_EQ(w.lineWidth()->currentText(), "3");
    w.check(4)->setChecked(true);
    w.lineWidth()->setCurrentIndex(4);
    w.findChild<QPushButton*>("applyButton")->click();
    EXPECT_EQ(h.dir.read("dia.set"), "1\r\n0\r\n1\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n5\r\n");
}

TEST(LibraryWindows, MaterialLibraryUpdateSortsMergesAndStoresInTheLibraryFolder) {
    Harness h;
    h.dir.write("netpath.set", "lib/\r\n");
    const std::string stored =
        "\"PB\",\"\",\"18\",\"800\",\"600\",\"5\",\"A\"\r\n"
        "\"MDF\",\"YES\",\"16\",\"2440\",\"1220\",\"2\",\"RACK\"\r\n"
        "\"PB\",\"\",\"18.0\",\"800\",\"600\",\"-2\",\"A\"\r\n"
        "\"PB\",\"\",\"18\",\"800\",\"600\",\"4\",\"B\"\r\n";
    h.dir.write("lib/mlm.dat", stored);
    MaterialLibraryWindow w(h.services, nullptr);
    w.show();
    test::activate(w);
    GridWindow& g = *w.grid();
    typeInto(g, 5, 1, "mdf\tx\t16\t2440\t1220\t3\track");  // any key toggles GRAIN
    g.setCurrentCell(1, 1);
    g.toolBar()->findChild<QAction*>("SortAscending")->trigger();
    EXPECT_EQ(h.dir.read("lib/mlm.dat"), stored);  // a sort goes to the working copy only

    // Yes: sorted on MAT and the columns to its right as text, then equal stock folded together:
    // the two MDF records (2 + 3), and PB 18 with PB 18.0 at location A (5 - 2). PB at location B
    // stays apart.
    h.prompt.push(Answer::Yes);
    w.updateButton()->click();
    EXPECT_EQ(h.prompt.messages.back().text, "Save Changes?");
    EXPECT_EQ(h.dir.read("lib/mlm.dat"),
              "\"MDF\",\"YES\",\"16\",\"2440\",\"1220\",\"5\",\"RACK\"\r\n"
              "\"PB\",\"\",\"18\",\"800\",\"600\",\"4\",\"B\"\r\n"
              "\"PB\",\"\",\"18\",\"800\",\"600\",\"3\",\"A\"\r\n");
}

// The label sheet is one row drawn as it is typed; it and the codes switch beside it are stored
// when the window closes. The Layouts window's labels then carry the codes of each part of the job
// "shelves", and when no program can show the page the user is told where it is.
TEST(LabelWindows, TheLabelSheetAndItsCodesSwitchAreStoredOnCloseAndGiveTheLayoutsLabels) {
    Harness h;
    h.dir.write("LBl.def", "\"4\",\"3\",\"150\",\"\",\"YES\",\"YES\",\"\",\"YES\",\"YES\",\"YES\",\"YES\",\"YES\",\"\"\r\n");
    {
        LabelSheetWindow w(h.services);
        w.show();
        test::activate(w);
        GridWindow& g = *w.grid();
        ASSERT_EQ(g.model()->columnCount(), 13);
        ASSERT_TRUE(w.picture()->sheet().has_value());
        EXPECT_EQ(w.picture()->sheet()->rows, 4);
        EXPECT_FALSE(w.barcodes()->isChecked());  // no labels.set yet: off
        w.barcodes()->click();
        typeInto(g, 1, 4, "x");   // BIGGER FONTSIZE on
        typeInto(g, 1, 12, "x");  // SHOW PRODUCT off
        typeInto(g, 1, 1, "\b2.");
        typeInto(g, 1, 2, "\b");
        EXPECT_EQ(g.model()->rowCount(), 1);  // the definition stays one row
        EXPECT_FALSE(w.picture()->sheet().has_value());  // COLS is empty: no page, and the window says why
        EXPECT_NE(w.problem().indexOf("COLS"), -1);
        typeInto(g, 1, 2, "2");
        ASSERT_TRUE(w.picture()->sheet().has_value());
        EXPECT_EQ(w.picture()->sheet()->rows, 2);
        EXPECT_TRUE(w.picture()->sheet()->biggerFont);
        EXPECT_EQ(h.dir.read("LBl.def").substr(0, 4), "\"4\",");  // nothing stored before the window closes
        EXPECT_FALSE(std::filesystem::exists(h.dir / "labels.set"));
        pressKey(Qt::Key_Escape);
    }
    EXPECT_EQ(h.dir.read("LBl.def"),
              "\"2\",\"2\",\"150\",\"YES\",\"YES\",\"YES\",\"\",\"YES\",\"YES\",\"YES\",\"YES\",\"\",\"\"\r\n");
    EXPECT_EQ(h.dir.read("labels.set"), "\"YES\"\r\n");
    EXPECT_TRUE(LabelSheetWindow(h.services).barcodes()->isChecked());

    auto base = h.startBase();
    h.open(*base, h.writeTwoLayoutJob("shelves.opt"));
    ASSERT_NE(base->layoutsWindow(), nullptr);
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
        EXPECT_NE(h.dir.read("lbl.htm").find("\r\n<br>shelves L1 P1 720x560\r\n"), std::string::npos);
        if (failing)
            EXPECT_EQ(h.messageTexts(), std::vector<std::string>{"The labels were written to " + page.string() +
                                                                 ", but no program could be started to show them. "
                                                                 "Open that file in a web browser to print the labels."});
        else
            EXPECT_TRUE(h.messageTexts().empty());
    }
}

TEST(LabelWindows, TheRangeWindowAllowsOkOnlyWhileFromIsNotAfterTo) {
    test::ensureApplication();
    LabelRangeWindow w(5, 3);
    EXPECT_EQ(w.from()->currentText(), "3");
    EXPECT_EQ(w.to()->currentText(), "3");
    const std::tuple<int, int, bool> steps[] = {{3, 2, false}, {3, 4, true}, {3, 0, false}, {0, 0, true}};
    for (const auto& [from, to, ok] : steps) {  // indices of the selectors; OK enabled
        w.from()->setCurrentIndex(from);
        w.to()->setCurrentIndex(to);
        EXPECT_EQ(w.okButton()->isEnabled(), ok) << from << " " << to;
    }
    std::optional<std::pair<int, int>> chosen;
    test::whileModal([&] { chosen = chooseLabelRange(4, 9, nullptr); },
                     [&](QWidget* modal) {
                         auto* range = qobject_cast<LabelRangeWindow*>(modal);
                         EXPECT_EQ(range->from()->currentText(), "4");  // held within the layouts
                         range->from()->setCurrentIndex(1);
                         range->okButton()->click();
                         return true;
                     });
    EXPECT_EQ(chosen, std::make_pair(2, 4));
}

TEST(ToolWindows, TheUnitToolPastesItsResultIntoTheCellWithinTheCellsWidth) {
    Harness h;
    auto base = h.startBase();
    base->module().tables().cuts.loadText(
        "\"600\",\"\",\"\",\"\",\"\",\"400\",\"\",\"\",\"\",\"\",\"2\",\"\",\"SIDE\",\"\",\"\",\"\",\"\"\r\n");
    base->tablesReloaded();
    base->cutWindow()->setCurrentCell(1, kCutWidth);
    pressKey(Qt::Key_F9);
    auto* tool = base->findChild<UnitConversionWindow*>();
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->input()->text(), "400");
    tool->inputUnit()->setCurrentIndex(tool->inputUnit()->findText("in"));
    emit tool->inputUnit()->activated(tool->inputUnit()->currentIndex());
    tool->input()->setText("8");
    tool->button()->click();
    EXPECT_EQ(base->module().tables().cuts.cell(1, kCutWidth), "203.200");  // WIDTH holds 7 characters
    EXPECT_TRUE(base->module().document().changed);
}

TEST(ToolWindows, TheBackupCopiesTheWorkingFolderOrSaysWhyNot) {
    Harness h;
    veltrix::test::TempFolder drive;
    BackupWindow w(h.services);
    w.show();
    w.setFolderChooser([&]() -> std::optional<std::string> { return drive.path().string(); });
    w.browseButton()->click();
    ASSERT_TRUE(w.startButton()->isEnabled());
    w.startButton()->click();
    EXPECT_EQ(h.messageTexts(), std::vector<std::string>{"No file(s) to BACKUP"});
    EXPECT_TRUE(w.isVisible());

    h.dir.write("cut.tlf", "x");
    w.startButton()->click();
    EXPECT_EQ(h.messageTexts().back(), "BACKUP completed.");
    EXPECT_EQ(drive.read("optdata/cut.tlf"), "x");
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace veltrix::ui
