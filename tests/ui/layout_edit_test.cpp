// Editing and arranging layouts in the Layouts window as a user would: a press on the picture, the
// windows that add, edit and arrange, Undo and Redo with their keys. What an edit does to the plan
// is checked in tests/layouts and tests/app; here the windows that ask for it.
//
// The job (tests/data/layouts/two-layouts.opt): sheets 1200 x 1000 with margins of 10 and kerf 4,
// so the sheet item is 1004 x 1204 and the usable area (10,10)-(994,1194).
// Layout 1: the hob panel (variety 1) at (10,10)-(574,734), a shelf (variety 2) at
// (574,10)-(978,614), off-cuts, a through cut at y 734 and the off-cut (10,734)-(994,1194).
// Layout 2: shelves at (10,10)-(414,614) and (414,10)-(818,614), the off-cut (818,10)-(994,614),
// a through cut at y 614 and the off-cut (10,614)-(994,1194).

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

#include "app/base_module.h"
#include "job/plan.h"
#include "base/table_file.h"
#include "ui/base_window.h"
#include "ui/grid_view.h"
#include "ui/grid_window.h"
#include "ui/layout_edit_windows.h"
#include "ui/layouts_window.h"
#include "ui_support.h"

namespace veltrix::ui {
namespace {

using test::Harness;
using test::pressKey;

bool hasLine(const std::string& plan, const std::string& line) {
    const auto lines = splitLines(plan);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Replaces the text of the edit window's cell by typing: Delete, then the keys.
void retype(EditItemWindow& edit, int column, const QString& keys) {
    edit.grid()->setCurrentCell(1, column);
    pressKey(Qt::Key_Delete);
    test::typeKeys(keys);
}

struct EditLayouts : ::testing::Test {
    Harness h;
    std::unique_ptr<BaseWindow> base;
    LayoutsWindow* layouts = nullptr;
    std::string original;

    void SetUp() override {
        base = h.startBase();
        h.open(*base, h.writeTwoLayoutJob());
        layouts = base->layoutsWindow();
        ASSERT_NE(layouts, nullptr);
        original = plan();
        ASSERT_FALSE(base->module().document().changed);
    }
    std::string plan() const { return planText(base->module().document().plan); }
    // The pixel of the picture at a point of the sheet: the sheet (1004 x 1204) with room of
    // 1204 / 8 around it fills the picture, the same scale along X and Y, centred.
    QPoint pixelOf(double x, double y) const {
        const double room = 1204 / 8.0, across = 1004 + 2 * room, down = 1204 + 2 * room;
        const QSize size = layouts->layoutPicture()->size();
        const double unit = std::max(across / size.width(), down / size.height());  // job units a pixel
        const double left = -room - (size.width() * unit - across) / 2, top = -room - (size.height() * unit - down) / 2;
        return QPointF((x - left) / unit, (y - top) / unit).toPoint();
    }
    void press(double x, double y) { QTest::mousePress(layouts->layoutPicture(), Qt::LeftButton, {}, pixelOf(x, y)); }
    QString tooltipAt(double x, double y) {
        QTest::mouseMove(layouts->layoutPicture(), pixelOf(x, y));
        return layouts->layoutPicture()->toolTip();
    }
    void selectLayout(int n) { layouts->layoutSelector()->setCurrentIndex(n - 1); }
    // A press at (x, y) whose edit window `edit` handles.
    void editAt(double x, double y, const std::function<void(EditItemWindow&)>& edit) {
        int shown = 0;
        test::whileModal([&] { press(x, y); },
                         [&](QWidget* modal) {
                             auto* window = qobject_cast<EditItemWindow*>(modal);
                             if (!window) return false;
                             ++shown;
                             edit(*window);
                             return true;
                         });
        EXPECT_EQ(shown, 1);
        test::activate(*base);
    }
};

// Cancel and Escape leave the plan alone; a piece moved over an off-cut asks first, closes the
// report of the old plan, and is undone and redone with the keys; Delete takes a piece out.
TEST_F(EditLayouts, APieceMovedOverAnOffcutAsksFirstAndIsUndoneAndRedoneWithTheKeys) {
    editAt(300, 300, [&](EditItemWindow& edit) {
        retype(edit, 1, "20");
        edit.cancelButton()->click();
    });
    editAt(300, 300, [&](EditItemWindow& edit) {
        retype(edit, 1, "20");
        pressKey(Qt::Key_Escape);
    });
    EXPECT_EQ(plan(), original);
    EXPECT_FALSE(base->module().document().changed);
    EXPECT_FALSE(layouts->tool("undo")->isEnabled());

    selectLayout(2);
    EXPECT_EQ(tooltipAt(600, 300), "EDIT Cut-Piece 600 x 400");
    test::activate(*base);
    pressKey(Qt::Key_F7);
    ASSERT_NE(base->reportWindow(), nullptr);
    // The second shelf moves to the right edge of the usable area, over the off-cut there.
    h.prompt.push(Answer::Yes);
    editAt(600, 300, [&](EditItemWindow& edit) {
        EXPECT_EQ(edit.windowTitle(), "Delete / Move Existing Cut-Piece");
        EXPECT_EQ(edit.actionButton()->text(), "Move");
        EXPECT_TRUE(edit.grid()->view()->isColumnHidden(2));  // a piece keeps its size: no DIM-X
        EXPECT_EQ(edit.grid()->table().rowTexts(1),
                  (std::vector<std::string>{"414", "10", "400", "600", "1", "1200", "1000"}));
        pressKey(Qt::Key_F1);
        EXPECT_EQ(h.shell.topics, std::vector<int>{30});
        edit.grid()->setCurrentCell(1, 7);
        test::typeKeys("5");  // the sheet's limits take no keys
        EXPECT_EQ(edit.grid()->table().cell(1, 7), "1000");
        retype(edit, 1, "590");
        edit.actionButton()->click();
    });
    EXPECT_EQ(h.messageTexts(), std::vector<std::string>{"This overlaps an off-cut 600 x 172. Keep it anyway?"});
    const std::string moved = plan();
    EXPECT_TRUE(hasLine(moved, "2,2,1,590,10,994,614,1,1"));
    EXPECT_TRUE(base->module().document().changed);
    EXPECT_EQ(base->reportWindow(), nullptr);  // it showed the plan as it was
    EXPECT_EQ(layouts->layoutSelector()->currentIndex(), 1);
    pressKey(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(plan(), original);
    EXPECT_FALSE(layouts->tool("undo")->isEnabled());
    pressKey(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(plan(), moved);
    EXPECT_EQ(layouts->layoutSelector()->currentIndex(), 1);

    selectLayout(1);
    editAt(300, 300, [&](EditItemWindow& edit) { edit.deleteButton()->click(); });
    EXPECT_FALSE(hasLine(plan(), "1,1,1,10,10,574,734,1,1"));  // the hob panel
    EXPECT_TRUE(hasLine(plan(), "1,-4,1,0,0,4,4,1,0"));
}

// A press on the margin offers to add, and Cancel adds nothing; the Add tool lists what can be
// added, and the new piece, refused while out of the sheet, goes after its layout.
TEST_F(EditLayouts, ACutPieceAddedIsCheckedAgainstTheSheetAndGoesAfterItsLayout) {
    bool offered = false;
    test::whileModal([&] { press(500, 3); },
                     [&](QWidget* modal) {
                         auto* add = qobject_cast<AddToLayoutWindow*>(modal);
                         if (!add) return false;
                         offered = true;
                         add->cancelButton()->click();
                         return true;
                     });
    EXPECT_TRUE(offered);
    EXPECT_EQ(plan(), original);
    EXPECT_TRUE(h.prompt.messages.empty());

    test::whileModal([&] { layouts->tool("add")->trigger(); },
                     [&](QWidget* modal) {
                         if (auto* add = qobject_cast<AddToLayoutWindow*>(modal)) {
                             add->nextButton()->click();  // nothing selected
                             EXPECT_EQ(h.messageTexts(), std::vector<std::string>{"You have not selected any item"});
                             EXPECT_TRUE(add->isVisible());
                             EXPECT_EQ(add->list()->count(), 3);  // an off-cut and the two varieties
                             add->list()->setCurrentRow(2);
                             add->nextButton()->click();
                             return true;
                         }
                         auto* edit = qobject_cast<EditItemWindow*>(modal);
                         if (!edit) return false;
                         EXPECT_EQ(edit->windowTitle(), "Define Position & Orientation of New Cut-Piece");
                         EXPECT_TRUE(edit->deleteButton()->isHidden());
                         // Placement 1 puts the shelf's 600 along the sheet's length; 2 turns it.
                         GridTable& row = edit->grid()->table();
                         EXPECT_EQ(row.cell(1, 3), "400");
                         retype(*edit, 5, "2");
                         EXPECT_EQ(row.cell(1, 3), "600");
                         EXPECT_EQ(row.cell(1, 4), "400");
                         retype(*edit, 1, "500");
                         edit->actionButton()->click();
                         EXPECT_EQ(h.messageTexts().back(), "Out of sheet width 1000");
                         EXPECT_TRUE(edit->isVisible());
                         retype(*edit, 1, "10");
                         retype(*edit, 2, "740");
                         h.prompt.push(Answer::Yes);  // it lies on the off-cut under the hob panel
                         edit->actionButton()->click();
                         return true;
                     });
    const auto after = splitLines(plan());
    const auto added = std::find(after.begin(), after.end(), "1,2,1,10,740,614,1144,1,2");
    ASSERT_NE(added, after.end());
    EXPECT_EQ(*(added + 1), "2,-1,1,0,0,1004,1204,1,0");  // layout 2 begins after it
    EXPECT_EQ(layouts->layoutSelector()->currentIndex(), 0);
}

TEST_F(EditLayouts, TheWheelZoomsAboutThePointerADragMovesTheDrawingAndAnotherLayoutIsShownWhole) {
    QWidget* picture = layouts->layoutPicture();
    const QPoint pointer = pixelOf(600, 300);
    const auto pointAt = [&](QPoint pixel) { return layoutPoint(layouts->viewer(), picture->size(), pixel); };
    const auto near = [](QPointF got, QPointF want) { return (got - want).manhattanLength() < 0.01; };
    const auto wheel = [&](int notches) {
        QWheelEvent event(pointer, picture->mapToGlobal(QPointF(pointer)), {}, {0, 120 * notches}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(picture, &event);
    };
    const QPoint aside = pointer + QPoint(100, 50);
    const QPointF under = pointAt(pointer), before = pointAt(aside);  // about (600, 300) and beside it
    const QPoint corner = pixelOf(100, 900);
    const QPointF whole = pointAt(corner);
    EXPECT_LT((whole - QPointF(100, 900)).manhattanLength(), 5);  // the whole layout fills the picture
    wheel(1);
    EXPECT_TRUE(near(pointAt(pointer), under));  // the point under the pointer stays there
    EXPECT_TRUE(near(pointAt(aside), under + (before - under) / 1.2));
    EXPECT_EQ(tooltipAt(600, 300), "EDIT Cut-Piece 600 x 400");  // the same pixel, the same piece

    // Dragging with the middle button takes the drawing along with the pointer.
    QTest::mousePress(picture, Qt::MiddleButton, {}, pointer);
    QTest::mouseMove(picture, pointer + QPoint(40, -30));
    QTest::mouseRelease(picture, Qt::MiddleButton, {}, pointer + QPoint(40, -30));
    EXPECT_TRUE(near(pointAt(pointer + QPoint(40, -30)), under));
    EXPECT_EQ(plan(), original);  // neither button edits

    wheel(-2);  // further out than the whole layout: the whole layout
    EXPECT_TRUE(near(pointAt(corner), whole));
    wheel(3);
    EXPECT_FALSE(near(pointAt(corner), whole));
    selectLayout(2);
    EXPECT_TRUE(near(pointAt(corner), whole));
    EXPECT_TRUE(h.prompt.messages.empty());
}

TEST_F(EditLayouts, ArrangementsAreTriedAndTheOriginalComesBackOrOneIsKept) {
    selectLayout(2);
    int shown = 0;
    auto arrange = [&](ArrangementWindow::Choice last, int tries) {
        shown = 0;
        test::whileModal([&] { layouts->tool("arrange")->trigger(); },
                         [&](QWidget* modal) {
                             auto* window = qobject_cast<ArrangementWindow*>(modal);
                             if (!window) return false;
                             ++shown;
                             EXPECT_NE(plan(), original);
                             window->button(shown < tries ? ArrangementWindow::TryNext : last)->click();
                             return true;
                         });
        test::activate(*base);
    };
    arrange(ArrangementWindow::Original, 3);
    EXPECT_EQ(shown, 3);
    EXPECT_EQ(plan(), original);
    EXPECT_FALSE(base->module().document().changed);
    EXPECT_EQ(layouts->layoutSelector()->currentIndex(), 1);

    arrange(ArrangementWindow::Keep, 1);
    EXPECT_TRUE(base->module().document().changed);
    const std::string kept = plan();
    EXPECT_EQ(kept.substr(0, kept.find("\r\n2,")), original.substr(0, original.find("\r\n2,")));  // layout 1 stays
    EXPECT_EQ(layouts->tool("undo")->toolTip(), "Undo Arrange Layout (Ctrl+Z)");
    pressKey(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(plan(), original);
    pressKey(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(plan(), kept);
}

}  // namespace
}  // namespace veltrix::ui
