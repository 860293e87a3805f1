// Editing and arranging layouts in the Layouts window as a user would: a press on the picture,
// the AddNew, Edit and ALT windows, dia.tlf written back and the window loaded again. Edited and
// arranged plans are checked by the independent plan checker.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include "../engine/plan_checker.h"
#include "app/layout_viewer.h"
#include "support/temp_folder.h"
#include "table/file_ops.h"
#include "table/table_file.h"
#include "ui/base_window.h"
#include "ui/dia_window.h"
#include "ui/edit_windows.h"
#include "ui/grid_view.h"
#include "ui/grid_window.h"
#include "ui/result_windows.h"
#include "ui_support.h"

namespace veltrix::ui {
namespace {

using test::Harness;

// Two layouts on sheets 1200 x 1000 (10 margins, kerf 4; the sheet item is 1004 x 1204).
// Layout 1: the hob panel (variety 1) at (10,10)-(574,734), a shelf (variety 2) at
// (574,10)-(978,614), off-cuts, a through cut at y 734 and the off-cut (10,734)-(994,1194).
// Layout 2: shelves at (10,10)-(414,614) and (414,10)-(818,614), the off-cut (818,10)-(994,614),
// a through cut at y 614 and the off-cut (10,614)-(994,1194).
std::string projectText() {
    std::string text = veltrix::test::readFile(veltrix::test::dataFile("layouts/two-layouts.opt"));
    const std::string outline = "outline-cutout.dxf";
    text.replace(text.find(outline), outline.size(), "");
    return text;
}

// The dia.tlf lines, consumed (-3) items left out as every reader leaves them out.
std::vector<std::vector<std::string>> items(const std::string& dia) {
    std::vector<std::vector<std::string>> out;
    for (const std::string& line : splitLines(dia)) {
        FieldReader reader(line);
        std::vector<std::string> fields = reader.next(9);
        if (fields[1] != "-3") out.push_back(fields);
    }
    return out;
}

std::string withoutConsumed(const std::string& dia) {
    std::string out;
    for (const std::string& line : splitLines(dia))
        if (line.find(",-3,") == std::string::npos) out += line + "\r\n";
    return out;
}

int countLinesOfKind(const std::string& dia, int layout, const std::string& kind) {
    int n = 0;
    for (const std::string& line : splitLines(dia))
        if (line.rfind(std::to_string(layout) + "," + kind + ",", 0) == 0) ++n;
    return n;
}

struct EditLayouts : ::testing::Test {
    Harness h;
    std::unique_ptr<BaseWindow> base;
    DiaWindow* dia = nullptr;
    std::string original;

    void SetUp() override {
        h.dir.write("job.opt", projectText());
        // Every drawing writes dxf.tlf between the DXF templates.
        for (const char* name : {"dxf.hd", "dxf.ft"})
            std::filesystem::copy_file(std::filesystem::path(VELTRIX_EXAMPLES) / "workshop" / name, h.dir / name);
        base = std::make_unique<BaseWindow>(h.services, StockMode::Sheet);
        base->setAttribute(Qt::WA_DeleteOnClose, false);
        base->start();
        h.dialogs.pushOpen((h.dir / "job.opt").string());
        base->action("mnuOpen")->trigger();
        base->action("mnuLayouts")->trigger();
        dia = base->diaWindow();
        ASSERT_NE(dia, nullptr);
        original = h.dir.read("dia.tlf");
        ASSERT_EQ(countLinesOfKind(original, 2, "2"), 2);
        ASSERT_FALSE(base->module().state().changed);
    }

    // The pixel of the picture at a point of the sheet: the screen drawing is 1.25 x 1204 units
    // square with the sheet a tenth of that in from the top-left corner.
    QPointF pixelOf(double x, double y) const {
        const double span = 1.25 * 1204;
        const double left = -0.1 * span;
        return QPointF((x - left) / span * dia->picture()->width(), (y - left) / span * dia->picture()->height());
    }
    void press(double x, double y) {
        const QPointF p = pixelOf(x, y);
        QMouseEvent event(QEvent::MouseButtonPress, p, dia->picture()->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(dia->picture(), &event);
    }
    QString tooltipAt(double x, double y) {
        const QPointF p = pixelOf(x, y);
        QMouseEvent event(QEvent::MouseMove, p, dia->picture()->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(dia->picture(), &event);
        return dia->picture()->toolTip();
    }
    void selectLayout(int n) { dia->selector()->setCurrentIndex(n - 1); }
    veltrix::test::PlanCheck check() const {
        return veltrix::test::checkProjectPlan(projectText(), false, withoutConsumed(h.dir.read("dia.tlf")));
    }
};

// Replaces the text of an Edit grid's cell by typing: Delete, then the keys.
void retype(GridWindow* grid, int column, const QString& keys) {
    grid->setCurrentCell(1, column);
    QTest::keyClick(grid->view(), Qt::Key_Delete);
    test::typeInto(*grid, 1, column, keys);
}

TEST_F(EditLayouts, TheTooltipNamesWhatAPressWouldEdit) {
    selectLayout(2);
    EXPECT_EQ(tooltipAt(600, 300), "EDIT Cut-Piece 600 x 400");
    EXPECT_EQ(tooltipAt(900, 300), "EDIT Off-Cut 600 x 172");
    EXPECT_EQ(tooltipAt(500, 2), "ADD Off-Cut / Cut-Piece ");
}

TEST_F(EditLayouts, APieceMovedAndAnOffcutResizedAreStoredAndShown) {
    selectLayout(2);
    base->action("mnuReport")->trigger();
    ASSERT_NE(base->reportWindow(), nullptr);

    // The second shelf moves to the right edge of the usable area.
    int editWindows = 0;
    test::whileModal([&] { press(600, 300); },
                     [&](QWidget* modal) {
                         auto* edit = qobject_cast<EditWindow*>(modal);
                         if (!edit) return false;
                         ++editWindows;
                         EXPECT_EQ(edit->windowTitle(), "Delete / Move Existing Cut-Piece");
                         EXPECT_EQ(edit->button(2)->text(), "Move");
                         EXPECT_FALSE(edit->button(1)->isHidden());
                         EXPECT_TRUE(edit->grid()->view()->isColumnHidden(2));  // DIM-X
                         EXPECT_TRUE(edit->grid()->view()->isColumnHidden(3));  // DIM-Y
                         EXPECT_FALSE(edit->grid()->view()->isColumnHidden(4));  // ORN
                         EXPECT_TRUE(edit->helpLine(2)->isHidden());
                         EXPECT_FALSE(edit->helpLine(3)->isHidden());
                         EXPECT_EQ(edit->grid()->table().rowTexts(1),
                                   (std::vector<std::string>{"414", "10", "400", "600", "1", "1200", "1000"}));
                         // The limits take no keys.
                         test::typeInto(*edit->grid(), 1, 7, "5");
                         EXPECT_EQ(edit->grid()->table().cell(1, 7), "1000");
                         retype(edit->grid(), 1, "590");
                         edit->button(2)->click();
                         return true;
                     });
    EXPECT_EQ(editWindows, 1);
    EXPECT_TRUE(h.prompt.messages.empty());
    std::string dia1 = h.dir.read("dia.tlf");
    auto rows = items(dia1);
    ASSERT_EQ(rows.size(), 20u);  // the through cut of layout 2 is gone
    EXPECT_EQ(rows[17], (std::vector<std::string>{"2", "2", "1", "590", "10", "994", "614", "1", "1"}));
    EXPECT_EQ(countLinesOfKind(dia1, 2, "-6"), 0);
    EXPECT_EQ(countLinesOfKind(dia1, 2, "-3"), 1);
    EXPECT_EQ(countLinesOfKind(dia1, 1, "-6"), 1);  // the other layout keeps its through cut
    EXPECT_TRUE(base->module().state().changed);
    EXPECT_EQ(base->reportWindow(), nullptr);
    EXPECT_EQ(dia->selector()->currentIndex(), 1);
    EXPECT_EQ(dia->selector()->count(), 2);
    // The viewer shows the edited result.
    EXPECT_EQ(base->diaWindow(), dia);
    EXPECT_EQ(tooltipAt(700, 300), "EDIT Cut-Piece 600 x 400");

    // The off-cut now under the shelf is made the gap the shelf left.
    test::whileModal([&] { press(900, 300); },
                     [&](QWidget* modal) {
                         auto* edit = qobject_cast<EditWindow*>(modal);
                         if (!edit) return false;
                         EXPECT_EQ(edit->windowTitle(), "Delete / Modify Existing Off-Cut");
                         EXPECT_EQ(edit->button(2)->text(), "Modify");
                         EXPECT_FALSE(edit->grid()->view()->isColumnHidden(2));
                         EXPECT_TRUE(edit->grid()->view()->isColumnHidden(4));
                         retype(edit->grid(), 1, "414");
                         retype(edit->grid(), 3, "172");
                         edit->button(2)->click();
                         return true;
                     });
    rows = items(h.dir.read("dia.tlf"));
    EXPECT_EQ(rows[18], (std::vector<std::string>{"2", "-4", "1", "414", "10", "590", "614", "1", "1"}));
    const veltrix::test::PlanCheck plan = check();
    EXPECT_TRUE(plan.ok()) << plan.summary();
    // The report was computed again from the edited result.
    EXPECT_NE(h.dir.read("report.tlf").find("Layout No. 2"), std::string::npos);
}

TEST_F(EditLayouts, AddingACutPieceChecksTheSheetAndGoesAfterTheLayout) {
    std::vector<QString> lines;
    test::whileModal([&] { dia->tool("Add")->trigger(); },
                     [&](QWidget* modal) {
                         if (auto* add = qobject_cast<AddNewWindow*>(modal)) {
                             EXPECT_EQ(add->windowTitle(), "What would you like to add to the existing layout?");
                             for (int i = 0; i < add->list()->count(); ++i) lines.push_back(add->list()->item(i)->text());
                             add->button(1)->click();  // nothing selected
                             EXPECT_EQ(h.messageTexts(), std::vector<std::string>{"You have not selected any item"});
                             EXPECT_TRUE(add->isVisible());
                             add->list()->setCurrentRow(2);
                             add->button(1)->click();
                             return true;
                         }
                         auto* edit = qobject_cast<EditWindow*>(modal);
                         if (!edit) return false;
                         EXPECT_EQ(edit->windowTitle(), "Define Position & Orientation of New Cut-Piece");
                         EXPECT_EQ(edit->button(2)->text(), "Add");
                         EXPECT_TRUE(edit->button(1)->isHidden());
                         // Placement 1 puts the shelf's 600 along the sheet's length.
                         GridTable& row = edit->grid()->table();
                         EXPECT_EQ(row.cell(1, 3), "400");
                         EXPECT_EQ(row.cell(1, 4), "600");
                         retype(edit->grid(), 5, "2");
                         EXPECT_EQ(row.cell(1, 3), "600");
                         EXPECT_EQ(row.cell(1, 4), "400");
                         retype(edit->grid(), 1, "500");
                         edit->button(2)->click();
                         EXPECT_EQ(h.messageTexts().back(), "Out of sheet width 1000");
                         EXPECT_EQ(h.prompt.messages.back().icon, Icon::Critical);
                         EXPECT_TRUE(edit->isVisible());
                         retype(edit->grid(), 1, "10");
                         retype(edit->grid(), 2, "740");
                         edit->button(2)->click();
                         return true;
                     });
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Off-Cut");
    EXPECT_EQ(lines[1], "Cut-Piece 720     X 560     HOB PANEL");
    EXPECT_EQ(lines[2], "Cut-Piece 600     X 400     SHELF <B>");

    const std::string dia1 = h.dir.read("dia.tlf");
    const auto rows = items(dia1);
    ASSERT_EQ(rows.size(), 21u);
    EXPECT_EQ(rows[10], (std::vector<std::string>{"1", "2", "1", "10", "740", "614", "1144", "1", "2"}));
    EXPECT_EQ(rows[11][1], "-1");  // layout 2 begins after it
    EXPECT_EQ(countLinesOfKind(dia1, 1, "-3"), 1);
    EXPECT_EQ(countLinesOfKind(dia1, 2, "-6"), 1);
    EXPECT_EQ(dia->selector()->currentIndex(), 0);
}

TEST_F(EditLayouts, CancelEscapeAndAddingNothingLeaveTheResultAlone) {
    test::whileModal([&] { press(300, 300); },
                     [&](QWidget* modal) {
                         auto* edit = qobject_cast<EditWindow*>(modal);
                         if (!edit) return false;
                         EXPECT_TRUE(fileExists(h.dir / "edit.tlf"));
                         retype(edit->grid(), 1, "20");
                         edit->button(0)->click();
                         return true;
                     });
    EXPECT_FALSE(fileExists(h.dir / "edit.tlf"));
    test::whileModal([&] { press(300, 300); },
                     [&](QWidget* modal) {
                         auto* edit = qobject_cast<EditWindow*>(modal);
                         if (!edit) return false;
                         retype(edit->grid(), 1, "20");
                         QTest::keyClick(edit, Qt::Key_Escape);
                         return true;
                     });
    EXPECT_FALSE(fileExists(h.dir / "edit.tlf"));
    // A press on the margin offers to add; Cancel adds nothing.
    bool offered = false;
    test::whileModal([&] { press(500, 3); },
                     [&](QWidget* modal) {
                         auto* add = qobject_cast<AddNewWindow*>(modal);
                         if (!add) return false;
                         offered = true;
                         add->button(0)->click();
                         return true;
                     });
    EXPECT_TRUE(offered);
    EXPECT_EQ(h.dir.read("dia.tlf"), original);
    EXPECT_FALSE(base->module().state().changed);
    EXPECT_TRUE(h.prompt.messages.empty());
}

TEST_F(EditLayouts, ADeletedPieceStaysAsAKerfSizedOffcut) {
    test::whileModal([&] { press(300, 300); },
                     [&](QWidget* modal) {
                         auto* edit = qobject_cast<EditWindow*>(modal);
                         if (!edit) return false;
                         EXPECT_EQ(edit->windowTitle(), "Delete / Move Existing Cut-Piece");
                         edit->button(1)->click();
                         return true;
                     });
    const auto rows = items(h.dir.read("dia.tlf"));
    EXPECT_EQ(rows[5], (std::vector<std::string>{"1", "-4", "1", "0", "0", "4", "4", "1", "0"}));
    EXPECT_TRUE(base->module().state().changed);
    // The report counts one hob panel fewer.
    EXPECT_EQ(dia->selector()->count(), 2);
}

TEST_F(EditLayouts, ArrangementsAreTriedAndTheOriginalComesBack) {
    selectLayout(2);
    int shown = 0;
    test::whileModal([&] { dia->tool("Arrange")->trigger(); },
                     [&](QWidget* modal) {
                         auto* alt = qobject_cast<AltWindow*>(modal);
                         if (!alt) return false;
                         ++shown;
                         EXPECT_EQ(alt->windowTitle(), "Alternate Arrangement");
                         EXPECT_EQ(h.dir.read("diaalt.tlf"), original);
                         const veltrix::test::PlanCheck plan = check();
                         EXPECT_TRUE(plan.ok()) << plan.summary();
                         alt->button(shown < 3 ? 0 : 2)->click();
                         return true;
                     });
    EXPECT_EQ(shown, 3);
    EXPECT_EQ(h.dir.read("dia.tlf"), original);
    EXPECT_FALSE(base->module().state().changed);
    EXPECT_EQ(dia->selector()->currentIndex(), 1);

    // Kept: the arrangement stays and the job counts as changed.
    test::whileModal([&] { dia->tool("Arrange")->trigger(); },
                     [&](QWidget* modal) {
                         auto* alt = qobject_cast<AltWindow*>(modal);
                         if (!alt) return false;
                         alt->button(1)->click();
                         return true;
                     });
    EXPECT_TRUE(base->module().state().changed);
    const veltrix::test::PlanCheck plan = check();
    EXPECT_TRUE(plan.ok()) << plan.summary();
    EXPECT_EQ(countLinesOfKind(h.dir.read("dia.tlf"), 2, "2"), 2);
    EXPECT_EQ(splitLines(h.dir.read("dia.tlf")).front(), splitLines(original).front());
}

TEST_F(EditLayouts, ALayoutThatCannotBeArrangedStaysAndTheChoiceIsStillOffered) {
    // Layout 2 made to hold five shelves, more than a sheet takes.
    std::string crowded = original;
    const std::string shelf = "2,2,1,10,10,414,614,1,1\r\n";
    crowded += shelf + shelf + shelf;
    h.dir.write("dia.tlf", crowded);
    base->closeResultWindows();
    base->action("mnuLayouts")->trigger();
    dia = base->diaWindow();
    ASSERT_NE(dia, nullptr);
    selectLayout(2);
    bool offered = false;
    test::whileModal([&] { dia->tool("Arrange")->trigger(); },
                     [&](QWidget* modal) {
                         auto* alt = qobject_cast<AltWindow*>(modal);
                         if (!alt) return false;
                         offered = true;
                         QTest::keyClick(alt, Qt::Key_Escape);
                         return true;
                     });
    EXPECT_TRUE(offered);
    EXPECT_EQ(h.messageTexts(), std::vector<std::string>{"Alternate Arrangment for this layout is not possible"});
    EXPECT_EQ(h.prompt.messages[0].icon, Icon::Information);
    EXPECT_EQ(h.dir.read("dia.tlf"), crowded);
    EXPECT_FALSE(base->module().state().changed);
}

TEST(ArrangeButton, IsDisabledInCoilMode) {
    Harness h;
    h.dir.write("job.dcm", projectText());
    BaseWindow base(h.services, StockMode::Coil);
    base.setAttribute(Qt::WA_DeleteOnClose, false);
    base.start();
    h.dialogs.pushOpen((h.dir / "job.dcm").string());
    base.action("mnuOpen")->trigger();
    base.action("mnuLayouts")->trigger();
    ASSERT_NE(base.diaWindow(), nullptr);
    EXPECT_FALSE(base.diaWindow()->tool("Arrange")->isEnabled());
    EXPECT_TRUE(base.diaWindow()->tool("Add")->isEnabled());
}

}  // namespace
}  // namespace veltrix::ui
