// The library windows: the material library (MLM), the product library (PLM), Load Products with
// the product chooser, and the ways the launcher and the sheet window open them.

#include <gtest/gtest.h>

#include <filesystem>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

#include "table/file_ops.h"
#include "table/table_file.h"
#include "ui/base_window.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/grid_window.h"
#include "ui/job_windows.h"
#include "ui/launcher_window.h"
#include "ui/library_windows.h"
#include "ui/product_choice.h"
#include "ui_support.h"

namespace veltrix::ui {
namespace {

using test::Harness;
using test::typeInto;

// A product library row of nineteen fields from the fields given, the rest empty.
std::string plmRow(std::initializer_list<std::pair<int, const char*>> fields) {
    std::string cells[19];
    for (const auto& [column, text] : fields) cells[column - 1] = text;
    std::string line;
    for (int i = 0; i < 19; ++i) line += (i ? ",\"" : "\"") + cells[i] + "\"";
    return line + "\r\n";
}

QString shown(const GridWindow& grid, int row, int column) {
    return grid.model()->index(row - 1, column - 1).data().toString();
}

// Answers "Save Changes?" with No and closes whichever library window is modal.
bool closeUnsaved(Harness& h, QWidget* modal) {
    h.prompt.push(Answer::No);
    static_cast<QDialog*>(modal)->reject();
    return true;
}

TEST(MaterialLibrary, UpdateSortsOnMaterialMergesAndStoresInTheLibraryFolder) {
    Harness h;
    h.dir.write("netpath.set", "lib/\r\n");
    const std::string stored =
        "\"PB\",\"\",\"18\",\"800\",\"600\",\"5\",\"A\"\r\n"
        "\"MDF\",\"YES\",\"16\",\"2440\",\"1220\",\"2\",\"RACK\"\r\n"
        "\"PB\",\"\",\"18.0\",\"800\",\"600\",\"-2\",\"A\"\r\n"
        "\"PB\",\"\",\"18\",\"800\",\"600\",\"4\",\"B\"\r\n";
    h.dir.write("lib/mlm.dat", stored);
    MaterialLibraryWindow w(h.services, nullptr);
    EXPECT_EQ(w.objectName(), "MLM");
    EXPECT_EQ(w.windowTitle(), "Material Library Manager");
    EXPECT_EQ(w.updateButton()->text(), "Update");
    GridWindow& g = *w.grid();
    ASSERT_EQ(g.model()->columnCount(), 7);
    EXPECT_EQ(g.model()->rowCount(), 5);  // four records and the blank row
    EXPECT_EQ(g.model()->headerData(6, Qt::Horizontal, Qt::DisplayRole).toString().trimmed(), "LOCATION");
    EXPECT_EQ(shown(g, 3, 3), "18.0");

    // A new record typed as the user would: letters arrive upper case, any key toggles GRAIN.
    typeInto(g, 5, 1, "mdf");
    typeInto(g, 5, 2, "x");
    typeInto(g, 5, 3, "16");
    typeInto(g, 5, 4, "2440");
    typeInto(g, 5, 5, "1220");
    typeInto(g, 5, 6, "3");
    typeInto(g, 5, 7, "rack");
    EXPECT_EQ(g.model()->rowCount(), 6);

    // A sort goes to the working copy in the working folder, never to the shared library.
    g.setCurrentCell(1, 1);
    g.toolBar()->findChild<QAction*>("SortAscending")->trigger();
    EXPECT_FALSE(h.dir.read("mlm.tlf").empty());
    EXPECT_EQ(h.dir.read("lib/mlm.dat"), stored);

    h.prompt.push(Answer::Cancel);
    w.update();
    EXPECT_EQ(h.prompt.messages.back().text, "Save Changes?");
    EXPECT_EQ(h.prompt.messages.back().title, "Attention!");
    EXPECT_EQ(h.prompt.messages.back().icon, Icon::Question);
    EXPECT_EQ(h.prompt.messages.back().buttons, Buttons::YesNoCancel);
    EXPECT_EQ(w.result(), 0);
    EXPECT_EQ(h.dir.read("lib/mlm.dat"), stored);

    // Yes: sorted on MAT and the columns to its right as text, then equal stock folded together:
    // the two MDF records (2 + 3), and PB 18 with PB 18.0 at location A (5 - 2). PB at location B
    // stays apart.
    h.prompt.push(Answer::Yes);
    w.update();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(h.dir.read("lib/mlm.dat"),
              "\"MDF\",\"YES\",\"16\",\"2440\",\"1220\",\"5\",\"RACK\"\r\n"
              "\"PB\",\"\",\"18\",\"800\",\"600\",\"4\",\"B\"\r\n"
              "\"PB\",\"\",\"18\",\"800\",\"600\",\"3\",\"A\"\r\n");
    EXPECT_FALSE(fileExists(h.dir / "mlm.dat"));
}

TEST(MaterialLibrary, NoAndEscCloseWithoutStoringUnlessTheUserSaysYes) {
    Harness h;
    const std::string stored = "\"PB\",\"\",\"18\",\"800\",\"600\",\"5\",\"A\"\r\n";
    h.dir.write("mlm.dat", stored);
    {
        MaterialLibraryWindow w(h.services, nullptr);
        w.show();
        typeInto(*w.grid(), 1, 6, "0");
        h.prompt.push(Answer::No);
        w.update();
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(h.dir.read("mlm.dat"), stored);
    }
    {
        // Esc asks as "Update" does; Yes stores the edit.
        MaterialLibraryWindow w(h.services, nullptr);
        w.show();
        typeInto(*w.grid(), 1, 6, "0");
        h.prompt.push(Answer::Yes);
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_EQ(h.prompt.messages.back().text, "Save Changes?");
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(h.dir.read("mlm.dat"), "\"PB\",\"\",\"18\",\"800\",\"600\",\"50\",\"A\"\r\n");
    }
}

TEST(MaterialLibrary, ALibraryThatCannotBeWrittenIsToldAndTheEditsStay) {
    Harness h;
    // The library folder names a folder that does not exist (a share that is not reachable).
    h.dir.write("netpath.set", "no such share/\r\n");
    MaterialLibraryWindow w(h.services, nullptr);
    EXPECT_EQ(w.grid()->model()->rowCount(), 1);  // nothing to read: one blank row
    typeInto(*w.grid(), 1, 1, "oak");
    h.prompt.push(Answer::Yes);
    w.update();
    ASSERT_EQ(h.prompt.messages.size(), 2u);
    EXPECT_EQ(h.prompt.messages[1].title, "Attention!");
    EXPECT_EQ(w.result(), 0);  // still open, to store again or leave
    EXPECT_EQ(shown(*w.grid(), 1, 1), "OAK");
    EXPECT_FALSE(std::filesystem::exists(h.dir / "no such share"));
    w.show();
    h.prompt.push(Answer::No);
    w.update();
    EXPECT_FALSE(w.isVisible());
}

TEST(MaterialLibrary, ThePrintoutAddsEachRecordsWeightAndF1OpensHelp) {
    Harness h;
    h.dir.write("misc.set", "\"Weight\"\r\n0\r\n10\r\n");
    h.dir.write("density.dat", "\"PB\",\".5\"\r\n");
    // Density 0.5, thickness 2, 10 x 10, three sheets: 0.5 x 2 x 10 x 10 x 3 = 300.
    h.dir.write("mlm.dat", "\"PB\",\"\",\"2\",\"10\",\"10\",\"3\",\"A\"\r\n\"pb\",\"\",\"2\",\"10\",\"10\",\"3\",\"A\"\r\n");
    MaterialLibraryWindow w(h.services, nullptr);
    h.dialogs.pushPrint(PrintRange::All);
    w.grid()->toolBar()->findChild<QAction*>("Print")->trigger();
    const std::string header = h.dir.read("header.tlf");
    const std::string body = h.dir.read("Print.txt");
    EXPECT_NE(header.find("Material Library Manager"), std::string::npos);
    EXPECT_NE(header.find("WEIGHT"), std::string::npos);
    const auto lines = splitLines(body);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("300.00"), std::string::npos);
    // The density table matches the material's letter case exactly: "pb" has none.
    EXPECT_NE(lines[1].find("0.00"), std::string::npos);
    EXPECT_EQ(lines[1].find("300.00"), std::string::npos);
    ASSERT_EQ(h.printed.size(), 1u);

    w.grid()->setCurrentCell(1, 1);
    QTest::keyClick(w.grid()->view(), Qt::Key_F1);
    ASSERT_EQ(h.shell.helpShown.size(), 1u);
    EXPECT_EQ(h.shell.helpShown[0].filename(), "opt.hlp");
}

TEST(MaterialLibrary, TheSheetWindowOpensItWhenTheMaterialIsNotInTheLibrary) {
    Harness h;
    h.dir.write("basic.tlf", "\"OAK\",\"\",\"19\",\"3000\",\"0\",\"4\",\"0\",\"\"\r\n");
    h.dir.write("mlm.dat", "\"PB\",\"\",\"18\",\"2800\",\"2070\",\"4\",\"RACK 1\"\r\n");
    BaseWindow base(h.services, StockMode::Sheet);
    base.setAttribute(Qt::WA_DeleteOnClose, false);
    base.start();
    int opened = 0;
    // Yes to "Do you want to refer to MLM?"; the library window opens over the sheet window.
    h.prompt.push(Answer::Yes);
    test::whileModal([&] { base.sheetWindow()->importButton()->click(); },
                     [&](QWidget* modal) {
                         if (modal->objectName() != "MLM") return false;
                         ++opened;
                         EXPECT_EQ(static_cast<MaterialLibraryWindow*>(modal)->grid()->model()->rowCount(), 2);
                         return closeUnsaved(h, modal);
                     });
    EXPECT_EQ(opened, 1);
    ASSERT_GE(h.prompt.messages.size(), 2u);
    EXPECT_EQ(h.prompt.messages[0].text,
              "Material specified was not found in MLM. Do you want to refer to MLM?");
    EXPECT_EQ(h.prompt.messages[1].text, "Save Changes?");

    // No opens nothing.
    h.prompt.push(Answer::No);
    base.sheetWindow()->importButton()->click();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(h.prompt.messages.size(), 3u);
    EXPECT_EQ(h.dir.read("mlm.dat"), "\"PB\",\"\",\"18\",\"2800\",\"2070\",\"4\",\"RACK 1\"\r\n");
}

TEST(Launcher, OpensTheLibraryWindowsAndLoadProductsModally) {
    Harness h;
    h.dir.write("products.lst", "\"CHAIR\"\r\n");
    LauncherWindow launcher(h.services);
    QStringList seen;
    auto open = [&](const char* button) {
        test::whileModal([&] { launcher.button(button)->click(); },
                         [&](QWidget* modal) {
                             seen << modal->objectName() + ":" + modal->windowTitle();
                             if (modal->objectName() == "LOADPROD") {
                                 static_cast<QDialog*>(modal)->reject();
                                 return true;
                             }
                             return closeUnsaved(h, modal);
                         });
    };
    open("cmdMlm");
    open("cmdPlm");
    open("cmdLoad");
    EXPECT_EQ(seen, QStringList({"MLM:Material Library Manager", "PLM:Product Library Manager",
                                 "LOADPROD:Load Products"}));
    // Leaving without saving wrote no library.
    EXPECT_FALSE(fileExists(h.dir / "mlm.dat"));
    EXPECT_FALSE(fileExists(h.dir / "plm.dat"));
}

TEST(ProductLibrary, EdgeBandingIsHiddenForWeightButKeptAndTheProductListIsRebuilt) {
    Harness h;
    h.dir.write("misc.set", "\"Weight\"\r\n0\r\n10\r\n");
    const std::string table = plmRow({{1, "TABLE"}, {2, "TOP"}, {3, "MDF"}, {5, "25"}, {6, "1200"}, {11, "800"}, {16, "1"}});
    const std::string seat = plmRow({{1, "CHAIR"}, {2, "SEAT"}, {3, "PB"}, {5, "18"}, {6, "400"}, {7, "1"}, {8, "RED"},
                                     {9, "2"}, {10, "BLUE"}, {11, "380"}, {12, "0.5"}, {13, "RED"}, {16, "1"}, {17, "YES"}});
    const std::string leg = plmRow({{1, "Chair"}, {2, "LEG"}, {3, "PB"}, {5, "18"}, {6, "450"}, {11, "40"}, {16, "4"}});
    h.dir.write("plm.dat", table + seat + leg);
    h.dir.write("products.lst", "\"OLD\"\r\n");
    ProductLibraryWindow w(h.services);
    EXPECT_EQ(w.objectName(), "PLM");
    EXPECT_EQ(w.windowTitle(), "Product Library Manager");
    GridWindow& g = *w.grid();
    ASSERT_EQ(g.model()->columnCount(), 19);
    for (int c = 1; c <= 19; ++c) {
        const bool banding = (c >= 7 && c <= 10) || (c >= 12 && c <= 15);
        EXPECT_EQ(g.view()->isColumnHidden(c - 1), banding) << c;
    }
    typeInto(g, 4, 1, "stool");
    typeInto(g, 4, 3, "pb");
    typeInto(g, 4, 5, "18");
    typeInto(g, 4, 6, "300");
    typeInto(g, 4, 11, "300");
    typeInto(g, 4, 16, "1");

    h.prompt.push(Answer::Yes);
    w.update();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    // Sorted on PRODUCT ignoring case, DESCRIPTION breaking the tie of Chair and CHAIR (LEG before
    // SEAT); the hidden band widths and colours are stored as they were.
    const std::string stool = plmRow({{1, "STOOL"}, {3, "PB"}, {5, "18"}, {6, "300"}, {11, "300"}, {16, "1"}});
    EXPECT_EQ(h.dir.read("plm.dat"), leg + seat + stool + table);
    // Chair and CHAIR are two products, each listed once in order of first appearance.
    EXPECT_EQ(h.dir.read("products.lst"), "\"Chair\"\r\n\"CHAIR\"\r\n\"STOOL\"\r\n\"TABLE\"\r\n");
}

TEST(ProductLibrary, FileCellsChooseADrawingThatSetsTheSizesAndAPicture) {
    Harness h;
    h.dir.write("misc.set", "\"Area With Edge Banding\"\r\n0\r\n10\r\n");
    // A drawing 600 wide and 0.5 high.
    const auto dxf = h.dir.write("door.dxf",
                                 "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n0\r\n 20\r\n0\r\n"
                                 " 11\r\n600\r\n 21\r\n0.5\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n");
    const auto broken = h.dir.write("broken.dxf", "not a drawing at all\r\n");
    ProductLibraryWindow w(h.services);
    GridWindow& g = *w.grid();
    for (int c = 1; c <= 19; ++c) EXPECT_FALSE(g.view()->isColumnHidden(c - 1)) << c;
    typeInto(g, 1, 1, "door");

    h.dialogs.pushOpen(dxf.string());
    typeInto(g, 1, 19, "x");
    ASSERT_EQ(h.dialogs.requests.size(), 1u);
    EXPECT_EQ(h.dialogs.requests[0].title, "Open DXF file...");
    EXPECT_EQ(h.dialogs.requests[0].filter, "AutoCAD R12/LT2 DXF (*.dxf)|*.dxf|");
    EXPECT_EQ(w.table().cell(1, 19), dxf.string());
    EXPECT_EQ(w.table().cell(1, 6), "600.00");  // LENGTH
    EXPECT_EQ(w.table().cell(1, 11), ".50");    // WIDTH

    // A drawing that cannot be read is told; the sizes stay as they were.
    h.dialogs.pushOpen(broken.string());
    typeInto(g, 1, 19, "x");
    ASSERT_EQ(h.prompt.messages.size(), 1u);
    EXPECT_EQ(h.prompt.messages[0].title, "Attention!");
    EXPECT_EQ(w.table().cell(1, 6), "600.00");
    EXPECT_EQ(w.table().cell(1, 11), ".50");

    // The picture dialog: a cancel keeps the text, a choice replaces it.
    typeInto(g, 1, 18, "x");
    EXPECT_EQ(h.dialogs.requests.back().title, "Open Picture file...");
    EXPECT_EQ(w.table().cell(1, 18), "");
    h.dialogs.pushOpen("/pictures/door.bmp");
    typeInto(g, 1, 18, "x");
    EXPECT_EQ(w.table().cell(1, 18), "/pictures/door.bmp");
    EXPECT_EQ(h.dialogs.requests.size(), 4u);

    // Without a library file the first save makes one of the grid's rows.
    h.prompt.push(Answer::Yes);
    w.update();
    const auto rows = splitLines(h.dir.read("plm.dat"));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].rfind("\"DOOR\",", 0), 0u);
    EXPECT_NE(rows[0].find("\"600.00\""), std::string::npos);
    EXPECT_EQ(h.dir.read("products.lst"), "\"DOOR\"\r\n");
}

TEST(ProductChoice, ListsTheProductsAndChoosesByButtonOrDoubleClick) {
    Harness h;
    h.dir.write("products.lst", "\"CHAIR\"\r\n\"TABLE\"\r\n");
    {
        ProductChoiceWindow w(h.services);
        EXPECT_EQ(w.objectName(), "Choice");
        EXPECT_EQ(w.windowTitle(), "Product Choice");
        EXPECT_EQ(w.selectButton()->text(), "Select");
        ASSERT_EQ(w.list()->count(), 2);
        EXPECT_EQ(w.list()->item(1)->text(), "TABLE");
        w.list()->setCurrentRow(1);
        w.selectButton()->click();
        EXPECT_EQ(w.result(), QDialog::Accepted);
        EXPECT_EQ(w.chosen(), "TABLE");
    }
    {
        ProductChoiceWindow w(h.services);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        QListWidgetItem* chair = w.list()->item(0);
        const QPoint at = w.list()->visualItemRect(chair).center();
        // An item view takes a double click on the item its first click pressed.
        QTest::mouseClick(w.list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(w.list()->viewport(), Qt::LeftButton, {}, at);
        EXPECT_EQ(w.chosen(), "CHAIR");
        EXPECT_EQ(w.result(), QDialog::Accepted);
    }
    {
        // Esc closes without a choice.
        ProductChoiceWindow w(h.services);
        w.show();
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_EQ(w.result(), QDialog::Rejected);
        EXPECT_EQ(w.chosen(), "");
    }
    // Without a product list there is nothing to select.
    deleteFile(h.dir / "products.lst");
    ProductChoiceWindow empty(h.services);
    EXPECT_EQ(empty.list()->count(), 0);
    EXPECT_FALSE(empty.selectButton()->isEnabled());
    empty.select();
    EXPECT_EQ(empty.result(), 0);
}

struct LoadProducts : ::testing::Test {
    Harness h;
    void SetUp() override {
        h.dir.write("products.lst", "\"CHAIR\"\r\n\"TABLE\"\r\n\"GHOST\"\r\n");
        h.dir.write("plm.dat",
                    plmRow({{1, "CHAIR"}, {2, "SEAT"}, {3, "PB"}, {5, "18"}, {6, "400"}, {11, "380"}, {16, "2"}}) +
                        plmRow({{1, "TABLE"}, {2, "TOP"}, {3, "PB"}, {5, "18.0"}, {6, "1200"}, {11, "800"}, {16, "1"}}) +
                        plmRow({{1, "TABLE"}, {2, "FRAME"}, {3, "MDF"}, {5, "16"}, {6, "1100"}, {11, "60"}, {16, "4"}}));
        h.dir.write("Defaults", "[BASIC.TLF]\r\n\"X\",\"YES\",\"9\",\"3000\",\"0\",\"4\",\"0\",\"NOTE\"\r\n[END]\r\n"
                                "[OPTIONS.TLF]\r\n-1,0\r\n[END]\r\n[SHEET.TLF]\r\n[END]\r\n[CUT.TLF]\r\n[END]\r\n"
                                "[DIA.TLF]\r\n[END]\r\n");
    }
    // Types a key into the product cell and picks the product at `index` in the chooser (-1: Esc).
    void choose(LoadProductsWindow& w, int row, int index) {
        test::whileModal([&] { typeInto(*w.grid(), row, 1, "p"); },
                         [&](QWidget* modal) {
                             auto* choice = qobject_cast<ProductChoiceWindow*>(modal);
                             if (!choice) return false;
                             if (index < 0) {
                                 choice->reject();
                             } else {
                                 choice->list()->setCurrentRow(index);
                                 choice->selectButton()->click();
                             }
                             return true;
                         });
    }
};

TEST_F(LoadProducts, AnOrderPickedFromTheChooserBecomesOneProjectFilePerMaterial) {
    h.dir.write("loadprod.tlf", "\"STALE\",\"9\",\"\"\r\n");
    h.dir.write("JOB[MAT=PB,GRAIN=NO,THICK=18].OPT", "old output");
    h.dir.write("JOBS.opt", "the user's own job");
    LoadProductsWindow w(h.services);
    EXPECT_EQ(w.objectName(), "LOADPROD");
    EXPECT_EQ(w.windowTitle(), "Load Products");
    // Every opening starts with an empty order.
    EXPECT_FALSE(fileExists(h.dir / "loadprod.tlf"));
    EXPECT_EQ(w.grid()->model()->rowCount(), 1);
    EXPECT_EQ(w.extension()->currentText(), ".OPT");
    EXPECT_EQ(w.extension()->count(), 2);

    choose(w, 1, 0);
    typeInto(*w.grid(), 1, 2, "3");
    typeInto(*w.grid(), 1, 3, "acme");
    choose(w, 2, 1);
    typeInto(*w.grid(), 2, 2, "2");
    // Esc in the chooser leaves the cell as it was; a line without a product is skipped.
    choose(w, 3, -1);
    typeInto(*w.grid(), 3, 2, "5");
    EXPECT_EQ(shown(*w.grid(), 1, 1), "CHAIR");
    EXPECT_EQ(shown(*w.grid(), 2, 1), "TABLE");
    EXPECT_EQ(shown(*w.grid(), 3, 1), "");

    QTest::keyClicks(w.prefix(), " JOB ");
    w.generateButton()->click();
    EXPECT_EQ(h.messageTexts().back(), "2 '.OPT' file(s) starting from JOB generated.");
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_FALSE(fileExists(h.dir / "loadprod.tlf"));
    EXPECT_FALSE(fileExists(h.dir / "JOB[MAT=PB,GRAIN=NO,THICK=18].OPT"));
    EXPECT_EQ(h.dir.read("JOBS.opt"), "the user's own job");

    // 18 and 18.0 are one group: the chair's seat (3 x 2) and the table's top (2 x 1).
    const std::string pb = h.dir.read("JOB[MAT=PB,GRAIN=,THICK=18].OPT");
    EXPECT_NE(pb.find("[BASIC.TLF]\r\n\"PB\",\"\",\"18\",\"3000\",\"0\",\"4\",\"0\",\"NOTE\"\r\n"), std::string::npos);
    EXPECT_NE(pb.find("\"400\",\"\",\"\",\"\",\"\",\"380\",\"\",\"\",\"\",\"\",\"6\",\"\",\"SEAT\",\"CHAIR\",\"ACME\",\"\",\"\"\r\n"),
              std::string::npos);
    EXPECT_NE(pb.find("\"1200\",\"\",\"\",\"\",\"\",\"800\",\"\",\"\",\"\",\"\",\"2\",\"\",\"TOP\",\"TABLE\",\"\",\"\",\"\"\r\n"),
              std::string::npos);
    EXPECT_EQ(pb.find("FRAME"), std::string::npos);
    const std::string mdf = h.dir.read("JOB[MAT=MDF,GRAIN=,THICK=16].OPT");
    EXPECT_NE(mdf.find("\"1100\",\"\",\"\",\"\",\"\",\"60\",\"\",\"\",\"\",\"\",\"8\",\"\",\"FRAME\",\"TABLE\",\"\",\"\",\"\"\r\n"),
              std::string::npos);
}

TEST_F(LoadProducts, NothingGeneratedKeepsTheWindowOpen) {
    LoadProductsWindow w(h.services);
    w.extension()->setCurrentIndex(1);
    choose(w, 1, 2);  // GHOST: listed, but not in the library
    typeInto(*w.grid(), 1, 2, "1");
    w.generate();
    EXPECT_EQ(h.messageTexts().back(), "Could not generate '.DCM' files.");
    EXPECT_EQ(h.prompt.messages.back().title, "Attention!");
    EXPECT_EQ(w.result(), 0);
    EXPECT_EQ(shown(*w.grid(), 1, 1), "GHOST");

    // A prefix that would reach outside the working folder is refused.
    choose(w, 1, 0);
    w.prefix()->setText("../JOB");
    w.generate();
    EXPECT_EQ(w.result(), 0);
    EXPECT_FALSE(fileExists(h.dir.path().parent_path() / "JOB[MAT=PB,GRAIN=,THICK=18].DCM"));
    EXPECT_EQ(h.prompt.messages.size(), 2u);

    w.prefix()->setText("A");
    w.generate();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_TRUE(fileExists(h.dir / "A[MAT=PB,GRAIN=,THICK=18].DCM"));
}

}  // namespace
}  // namespace veltrix::ui
