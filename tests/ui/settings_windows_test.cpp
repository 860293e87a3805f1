// The settings windows (Configure, Misc), the density table, the scrap criteria and the layout
// settings, and the conversion of dialog filters.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QToolBar>

#include "table/file_ops.h"
#include "ui/density_window.h"
#include "ui/dia_settings.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/grid_window.h"
#include "ui/qt_platform.h"
#include "ui/scrap_window.h"
#include "ui/settings_windows.h"
#include "ui_support.h"

namespace veltrix::ui {
namespace {

using test::Harness;

TEST(Misc, WithoutSettingsNoneIsChosenAndApplyStoresWhatIsShown) {
    Harness h;
    MiscWindow w(h.services);
    EXPECT_TRUE(w.option(3)->isChecked());  // "None", while readers elsewhere take "Area"
    EXPECT_EQ(w.efficiency()->value(), 10);
    EXPECT_EQ(w.efficiencyFrame()->title(), "Nesting Efficiency (10%)");
    w.efficiency()->setValue(25);
    EXPECT_EQ(w.efficiencyFrame()->title(), "Nesting Efficiency (25%)");
    w.netPath()->setText("shared/library");
    w.increment()->setText("abc");
    w.findChild<QPushButton*>("cmd")->click();
    EXPECT_EQ(h.dir.read("misc.set"), "\"\"\r\n0\r\n25\r\n");
    EXPECT_EQ(h.dir.read("netpath.set"), "shared/library/\r\n");
}

TEST(Misc, OpensWithTheStoredSettings) {
    Harness h;
    h.dir.write("misc.set", "\"Area With Edge Banding\"\r\n2.5\r\n40\r\n");
    h.dir.write("netpath.set", "\\\\server\\lib\\\r\n");
    MiscWindow w(h.services);
    EXPECT_TRUE(w.option(2)->isChecked());
    EXPECT_EQ(w.increment()->text(), "2.5");
    EXPECT_EQ(w.efficiency()->value(), 40);
    EXPECT_EQ(w.efficiencyFrame()->title(), "Nesting Efficiency (40%)");
    EXPECT_EQ(w.netPath()->text(), "\\\\server\\lib\\");
    // Closing by the title bar stores as well.
    w.option(0)->setChecked(true);
    w.reject();
    EXPECT_EQ(h.dir.read("misc.set"), "\"Weight\"\r\n2.5\r\n40\r\n");

    // An option text the window does not know selects nothing, and is stored as none.
    h.dir.write("misc.set", "\"Volume\"\r\n0\r\n");
    MiscWindow other(h.services);
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(other.option(i)->isChecked()) << i;
    EXPECT_EQ(other.efficiency()->value(), 10);  // two-line file
}

TEST(Configure, ItsButtons) {
    Harness h;
    CustomWindow w(h.services, nullptr);
    EXPECT_EQ(w.windowTitle(), "Configure");
    for (const char* name : {"cmdDensity", "cmdScrap", "cmdLabels", "cmdMisc", "cmdClose"})
        EXPECT_NE(w.findChild<QPushButton*>(name), nullptr) << name;
    // Each window opens modally over it.
    bool sawMisc = false;
    test::whileModal([&] { w.findChild<QPushButton*>("cmdMisc")->click(); },
                     [&](QWidget* modal) {
                         if (modal->objectName() != "Misc") return false;
                         sawMisc = true;
                         static_cast<QDialog*>(modal)->accept();
                         return true;
                     });
    EXPECT_TRUE(sawMisc);
    EXPECT_TRUE(fileExists(h.dir / "misc.set"));
}

TEST(Density, UpdateAsksThenSortsAndStores) {
    Harness h;
    h.dir.write("density.dat", "\"PB\",\".65\"\r\n\"MDF\",\".75\"\r\n");
    bool changed = false;
    DensityWindow w(h.services, &changed);
    EXPECT_EQ(w.windowTitle(), "Density Table");
    EXPECT_EQ(w.grid()->model()->rowCount(), 3);
    test::typeInto(*w.grid(), 3, 1, "oak");
    test::typeInto(*w.grid(), 3, 2, ".9");
    EXPECT_TRUE(changed);
    EXPECT_EQ(w.grid()->model()->rowCount(), 4);

    h.prompt.push(Answer::Cancel);
    w.update();
    EXPECT_EQ(h.prompt.messages.back().text, "Save Changes?");
    EXPECT_EQ(h.prompt.messages.back().buttons, Buttons::YesNoCancel);
    EXPECT_EQ(w.result(), 0);  // still open
    EXPECT_EQ(h.dir.read("density.dat"), "\"PB\",\".65\"\r\n\"MDF\",\".75\"\r\n");

    h.prompt.push(Answer::Yes);
    w.update();
    EXPECT_EQ(h.dir.read("density.dat"), "\"MDF\",\".75\"\r\n\"OAK\",\".9\"\r\n\"PB\",\".65\"\r\n");
}

TEST(Density, NoClosesWithoutStoring) {
    Harness h;
    h.dir.write("density.dat", "\"PB\",\".65\"\r\n");
    DensityWindow w(h.services, nullptr);
    test::typeInto(*w.grid(), 1, 2, "5");
    // A sort goes to the working copy, not to density.dat.
    w.grid()->toolBar()->findChild<QAction*>("SortAscending")->trigger();
    EXPECT_EQ(h.dir.read("density.tlf"), "\"PB\",\".655\"\r\n");
    h.prompt.push(Answer::No);
    w.update();
    EXPECT_EQ(h.dir.read("density.dat"), "\"PB\",\".65\"\r\n");
}

TEST(ScrapCriteria, TheRuleIsSpelledOutAndStoredOnClose) {
    Harness h;
    h.dir.write("scrap.dat", "\"300\",\"\",\"100.50\"\r\n");
    ScrapWindow w(h.services);
    EXPECT_EQ(w.table().cell(1, 2), "OR");  // an empty rule reads as OR
    EXPECT_EQ(w.explanation(),
              "Offcut having one dimension <= 300 OR other dimension <= 100.5 will be treated as SCRAP");
    test::typeInto(*w.grid(), 1, 2, "a");
    EXPECT_EQ(w.explanation(),
              "Offcut having one dimension <= 300 AND other dimension <= 100.5 will be treated as SCRAP");
    EXPECT_EQ(w.grid()->model()->rowCount(), 1);
    w.accept();
    EXPECT_EQ(h.dir.read("scrap.dat"), "\"300\",\"AND\",\"100.50\"\r\n");
}

TEST(ScrapCriteria, WithoutAFileTheRowIsEmpty) {
    Harness h;
    ScrapWindow w(h.services);
    EXPECT_EQ(w.explanation(), "Offcut having one dimension <= 0 OR other dimension <= 0 will be treated as SCRAP");
}

TEST(LayoutSettings, ApplyRewritesAllFourteenLines) {
    Harness h;
    h.dir.write("dia.set", "1\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n3\r\n");
    DiaSetWindow w(h.services);
    EXPECT_EQ(w.windowTitle(), "Layout Settings");
    EXPECT_TRUE(w.check(0)->isChecked());
    EXPECT_FALSE(w.check(1)->isChecked());
    EXPECT_TRUE(w.check(12)->isChecked());
    EXPECT_EQ(w.check(9)->text(), "OffCut Boundries");
    EXPECT_EQ(w.lineWidth()->currentText(), "3");
    EXPECT_EQ(w.lineWidth()->count(), 5);
    w.check(4)->setChecked(true);
    w.findChild<QPushButton*>("cmdApply")->click();
    EXPECT_EQ(h.dir.read("dia.set"), "1\r\n0\r\n1\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n3\r\n");

    // Closing otherwise writes nothing.
    h.dir.write("dia.set", "");
    DiaSetWindow other(h.services);
    other.check(0)->setChecked(true);
    other.reject();
    EXPECT_EQ(h.dir.read("dia.set"), "");
}

TEST(Filters, DialogFiltersBecomeQtNameFilters) {
    EXPECT_EQ(qtNameFilters("*.opt|*.opt"), "*.opt (*.opt *.OPT)");
    EXPECT_EQ(qtNameFilters("Veltrix Suite - Veltrix Suite [Base Module] (*.opt)|*.opt"),
              "Veltrix Suite - Veltrix Suite [Base Module] (*.opt *.OPT)");
    EXPECT_EQ(qtNameFilters("Picture Files (*.gif;*.jpg;*.bmp)|*.GIF;*.JPG;*.BMP|"),
              "Picture Files (*.GIF *.gif *.JPG *.jpg *.BMP *.bmp)");
    EXPECT_EQ(qtNameFilters("A|*.a|B|*.b|"), "A (*.a *.A);;B (*.b *.B)");
    EXPECT_EQ(qtNameFilters(""), "");
    EXPECT_EQ(messageTitle(""), "Veltrix Suite");
    EXPECT_EQ(messageTitle("Attention!"), "Attention!");
}

}  // namespace
}  // namespace veltrix::ui
