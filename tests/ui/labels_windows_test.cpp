// The label windows: the label sheet definition LABELS reached from Configure, the range window
// lblPrint, and the Layouts window's "Labels" writing lbl.htm and opening it.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/base_module.h"
#include "app/label_printing.h"
#include "app/layout_viewer.h"
#include "small_job.h"
#include "table/file_ops.h"
#include "ui/dia_window.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/grid_window.h"
#include "ui/labels_windows.h"
#include "ui/settings_windows.h"
#include "ui_support.h"

namespace veltrix::ui {
namespace {

using test::Harness;
using test::typeInto;

// The number of times `needle` occurs in `text`.
int count(const std::string& text, const std::string& needle) {
    int n = 0;
    for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++n;
    return n;
}

TEST(LabelSheet, OneRowOfThirteenColumnsStoredWhenTheWindowCloses) {
    Harness h;
    h.dir.write("LBl.def", "\"4\",\"3\",\"150\",\"\",\"YES\",\"YES\",\"\",\"YES\",\"YES\",\"YES\",\"YES\",\"YES\",\"\"\r\n");
    LabelSheetWindow w(h.services);
    EXPECT_EQ(w.objectName(), "LABELS");
    EXPECT_EQ(w.windowTitle(), "Define Labels ");
    GridWindow& g = *w.grid();
    ASSERT_EQ(g.model()->columnCount(), 13);
    EXPECT_EQ(g.model()->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString().trimmed(), "BIGGER FONTSIZE");
    EXPECT_EQ(g.model()->headerData(12, Qt::Horizontal, Qt::DisplayRole).toString().trimmed(), "SHOW LOGO");
    EXPECT_EQ(g.model()->rowCount(), 1);
    ASSERT_TRUE(w.picture()->sheet().has_value());
    EXPECT_EQ(w.picture()->sheet()->rows, 4);
    EXPECT_EQ(w.picture()->sheet()->columns, 3);
    EXPECT_TRUE(w.problem().isEmpty());

    // The typing rules of the vocabulary: any key toggles a YES column, whole numbers only in ROWS.
    typeInto(g, 1, 4, "x");   // BIGGER FONTSIZE on
    typeInto(g, 1, 7, "x");   // SHOW GRAIN on
    typeInto(g, 1, 12, "x");  // SHOW PRODUCT off
    typeInto(g, 1, 1, "\b2.");
    typeInto(g, 1, 2, "\b");
    EXPECT_EQ(g.model()->rowCount(), 1);  // the definition stays one row
    // COLS is empty now: no page can be laid out, and the window says why.
    EXPECT_FALSE(w.picture()->sheet().has_value());
    EXPECT_NE(w.problem().indexOf("COLS"), -1);
    typeInto(g, 1, 2, "2");
    EXPECT_TRUE(w.problem().isEmpty());
    ASSERT_TRUE(w.picture()->sheet().has_value());
    EXPECT_EQ(w.picture()->sheet()->rows, 2);
    EXPECT_TRUE(w.picture()->sheet()->biggerFont);
    EXPECT_FALSE(w.picture()->sheet()->showProduct);
    // Nothing is stored before the window closes.
    EXPECT_EQ(h.dir.read("LBl.def").substr(0, 4), "\"4\",");

    w.findChild<QPushButton*>("cmdClose")->click();
    EXPECT_EQ(h.dir.read("LBl.def"),
              "\"2\",\"2\",\"150\",\"YES\",\"YES\",\"YES\",\"YES\",\"YES\",\"YES\",\"YES\",\"YES\",\"\",\"\"\r\n");
}

TEST(LabelSheet, ConfigureOpensItAndAMissingDefinitionStartsEmpty) {
    Harness h;
    CustomWindow configure(h.services, nullptr);
    bool seen = false;
    test::whileModal([&] { configure.findChild<QPushButton*>("cmdLabels")->click(); },
                     [&](QWidget* modal) {
                         auto* labels = qobject_cast<LabelSheetWindow*>(modal);
                         if (!labels) return false;
                         seen = true;
                         EXPECT_EQ(labels->grid()->model()->rowCount(), 1);
                         EXPECT_FALSE(labels->picture()->sheet().has_value());
                         EXPECT_FALSE(labels->problem().isEmpty());
                         typeInto(*labels->grid(), 1, 1, "1");
                         typeInto(*labels->grid(), 1, 2, "3");
                         typeInto(*labels->grid(), 1, 10, " ");
                         QTest::keyClick(labels, Qt::Key_Escape);  // Esc closes and stores as well
                         return true;
                     });
    EXPECT_TRUE(seen);
    EXPECT_EQ(h.dir.read("LBl.def"), "\"1\",\"3\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"YES\",\"\",\"\",\"\"\r\n");
    EXPECT_TRUE(h.prompt.messages.empty());
}

TEST(LabelRange, OkOnlyWhileFromIsNotAfterTo) {
    test::ensureApplication();
    LabelRangeWindow w(5, 3);
    EXPECT_EQ(w.objectName(), "lblPrint");
    EXPECT_EQ(w.windowTitle(), "Label Printing");
    ASSERT_EQ(w.from()->count(), 5);
    ASSERT_EQ(w.to()->count(), 5);
    EXPECT_EQ(w.from()->currentText(), "3");
    EXPECT_EQ(w.to()->currentText(), "3");
    EXPECT_TRUE(w.okButton()->isEnabled());
    w.from()->setCurrentIndex(3);  // 4 to 3
    EXPECT_FALSE(w.okButton()->isEnabled());
    w.to()->setCurrentIndex(4);  // 4 to 5
    EXPECT_TRUE(w.okButton()->isEnabled());
    w.to()->setCurrentIndex(0);  // 4 to 1
    EXPECT_FALSE(w.okButton()->isEnabled());
    w.from()->setCurrentIndex(0);  // 1 to 1
    EXPECT_TRUE(w.okButton()->isEnabled());

    // A current layout outside the list is held within it.
    LabelRangeWindow held(2, 9);
    EXPECT_EQ(held.from()->currentText(), "2");

    std::optional<std::pair<int, int>> chosen;
    test::whileModal([&] { chosen = chooseLabelRange(4, 1, nullptr); },
                     [&](QWidget* modal) {
                         auto* range = qobject_cast<LabelRangeWindow*>(modal);
                         if (!range) return false;
                         range->from()->setCurrentIndex(1);
                         range->to()->setCurrentIndex(3);
                         range->okButton()->click();
                         return true;
                     });
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, std::make_pair(2, 4));
    test::whileModal([&] { chosen = chooseLabelRange(4, 1, nullptr); },
                     [&](QWidget* modal) {
                         auto* range = qobject_cast<LabelRangeWindow*>(modal);
                         if (!range) return false;
                         range->cancelButton()->click();
                         return true;
                     });
    EXPECT_FALSE(chosen.has_value());
}

struct LabelPrinting : ::testing::Test {
    Harness h;
    FrameHooks hooks;
    std::unique_ptr<BaseModule> module;
    std::unique_ptr<LayoutViewer> viewer;

    void SetUp() override {
        h.dir.write("basic.tlf", veltrix::test::kSmallBasic);
        h.dir.write("sheet.tlf", veltrix::test::kSmallSheets);
        h.dir.write("cut.tlf", veltrix::test::kSmallCuts);
        h.dir.write("misc.set", veltrix::test::kQuickMisc);
        // Two layouts by hand: one piece of variety 1 (the 600 x 400 side, 20 wanted) on each,
        // the second layout cut from two sheets: three labels in all.
        h.dir.write("dia.tlf",
                    "1,-1,1,0,0,1224,2444,1,0\r\n1,1,1,0,0,404,604,1,1\r\n"
                    "2,-1,1,0,0,1224,2444,2,0\r\n2,1,1,0,0,404,604,2,1\r\n");
        module = std::make_unique<BaseModule>(Workspace(h.dir.path()), StockMode::Sheet, h.prompt, h.dialogs, hooks);
        module->start();
        viewer = std::make_unique<LayoutViewer>(*module);
        ASSERT_EQ(viewer->layoutCount(), 2);
    }
    // ROWS 1, COLS 3, the piece count and the description shown.
    void defineLabels() {
        h.dir.write("LBl.def", "\"1\",\"3\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"YES\",\"YES\",\"\",\"\"\r\n");
    }
};

TEST_F(LabelPrinting, TheLabelsOfTheRangeAreWrittenAndOpened) {
    defineLabels();
    EXPECT_TRUE(printLabels(h.services.workspace, viewer->result(), 1, 2, h.prompt, h.shell));
    const std::string page = h.dir.read("lbl.htm");
    EXPECT_EQ(count(page, "<td align='center' width='33%'>"), 3);
    EXPECT_NE(page.find("QTY      : 1/20"), std::string::npos);
    EXPECT_NE(page.find("QTY      : 3/20"), std::string::npos);
    EXPECT_EQ(page.find("QTY      : 4/20"), std::string::npos);
    EXPECT_NE(page.find("DESCR    : SIDE"), std::string::npos);
    ASSERT_EQ(h.shell.opened.size(), 1u);
    EXPECT_EQ(h.shell.opened[0], h.dir / "lbl.htm");
    EXPECT_TRUE(h.prompt.messages.empty());

    // Layout 2 alone: its two sheets.
    EXPECT_TRUE(printLabels(h.services.workspace, viewer->result(), 2, 2, h.prompt, h.shell));
    EXPECT_EQ(count(h.dir.read("lbl.htm"), "<td align='center'"), 2);
}

TEST_F(LabelPrinting, ADefinitionOrRangeThatCannotBePrintedIsToldAndNothingOpens) {
    // No LBl.def.
    EXPECT_FALSE(printLabels(h.services.workspace, viewer->result(), 1, 2, h.prompt, h.shell));
    ASSERT_EQ(h.prompt.messages.size(), 1u);
    EXPECT_NE(h.prompt.messages[0].text.find("LBl.def"), std::string::npos);
    EXPECT_EQ(h.prompt.messages[0].title, "Attention!");
    EXPECT_FALSE(fileExists(h.dir / "lbl.htm"));

    // Fewer than thirteen values.
    h.dir.write("LBl.def", "\"1\",\"3\",\"\"\r\n");
    EXPECT_FALSE(printLabels(h.services.workspace, viewer->result(), 1, 2, h.prompt, h.shell));
    EXPECT_EQ(h.prompt.messages.size(), 2u);

    defineLabels();
    EXPECT_FALSE(printLabels(h.services.workspace, viewer->result(), 2, 1, h.prompt, h.shell));
    EXPECT_FALSE(printLabels(h.services.workspace, viewer->result(), 1, 3, h.prompt, h.shell));
    EXPECT_EQ(h.prompt.messages.size(), 4u);
    EXPECT_FALSE(fileExists(h.dir / "lbl.htm"));

    // A page that cannot be written (a folder stands in its place) is told, not opened.
    std::filesystem::create_directory(h.dir / "lbl.htm");
    EXPECT_FALSE(printLabels(h.services.workspace, viewer->result(), 1, 2, h.prompt, h.shell));
    EXPECT_EQ(h.prompt.messages.size(), 5u);
    EXPECT_TRUE(h.shell.opened.empty());
}

TEST_F(LabelPrinting, TheLayoutsWindowsLabelsButtonAsksTheRange) {
    defineLabels();
    DiaWindow dia(*viewer, h.services);
    viewer->select(2);
    QAction* labels = dia.tool("Labels");
    ASSERT_NE(labels, nullptr);

    // Cancel writes nothing.
    test::whileModal([&] { labels->trigger(); },
                     [&](QWidget* modal) {
                         auto* range = qobject_cast<LabelRangeWindow*>(modal);
                         if (!range) return false;
                         EXPECT_EQ(range->from()->currentText(), "2");  // the current layout
                         EXPECT_EQ(range->to()->count(), 2);
                         QTest::keyClick(range, Qt::Key_Escape);
                         return true;
                     });
    EXPECT_FALSE(fileExists(h.dir / "lbl.htm"));
    EXPECT_TRUE(h.shell.opened.empty());

    test::whileModal([&] { labels->trigger(); },
                     [&](QWidget* modal) {
                         auto* range = qobject_cast<LabelRangeWindow*>(modal);
                         if (!range) return false;
                         range->from()->setCurrentIndex(0);
                         range->okButton()->click();
                         return true;
                     });
    ASSERT_EQ(h.shell.opened.size(), 1u);
    EXPECT_EQ(count(h.dir.read("lbl.htm"), "<td align='center'"), 3);
    EXPECT_TRUE(h.prompt.messages.empty());
}

}  // namespace
}  // namespace veltrix::ui
