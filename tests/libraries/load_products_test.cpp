// The product library, its list of names, and Load Products.
#include "libraries/load_products.h"

#include <gtest/gtest.h>

#include "libraries/material_library.h"
#include "libraries/product_library.h"
#include "support/temp_folder.h"
#include "base/error.h"
#include "table/grid_table.h"
#include "base/table_file.h"
#include "base/workspace.h"

namespace veltrix {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

const fs::path kExample = fs::path(VELTRIX_EXAMPLES) / "workshop";

std::string product(const std::string& name, const std::string& description, const std::string& mat = "",
                    const std::string& thick = "", const std::string& length = "", const std::string& width = "",
                    const std::string& qty = "") {
    std::vector<std::string> f(kProductFields);
    f[kProdName] = name;
    f[kProdDescription] = description;
    f[kProdMat] = mat;
    f[kProdGrain] = mat.empty() ? "" : "NO";
    f[kProdThick] = thick;
    f[kProdLength] = length;
    f[kProdWidth] = width;
    f[kProdQty] = qty;
    return quotedRecord(f);
}

// A cut-piece row of a generated job: LENGTH, WIDTH, quantity, DESCRIPTION, PRODUCT and CLIENT.
std::string cut(const char* length, const char* width, const char* qty, const char* description, const char* name,
                const char* client) {
    return quotedRecord({length, "", "", "", "", width, "", "", "", "", qty, "", description, name, client, "", ""});
}

TEST(ProductLibrary, TheListHoldsEachNameOnceHiddenBandingColumnsAreSavedUnchanged) {
    TempFolder work;
    const Workspace ws(work.path());
    work.write("products.lst", "\"STALE\"\r\n");
    rebuildProductList(ws);  // no library: an empty list
    EXPECT_EQ(work.read("products.lst"), "");
    std::vector<std::string> table(kProductFields);
    table[kProdName] = "TABLE";
    table[kProdLenEdge1] = "2";
    table[kProdLenRem1] = "OAK";
    table[kProdWidEdge2] = "0.4";
    work.write("plm.dat", product("CHAIR", "SEAT") + product("CHAIR", "BACK") + product("", "LOOSE") + quotedRecord(table) +
                              product("Chair", "ARM") + product("CHAIR", "EXTRA"));
    rebuildProductList(ws);
    EXPECT_EQ(readProductList(ws), (std::vector<std::string>{"CHAIR", "TABLE", "Chair"}));  // letter case counts
    GridTable grid = loadProductLibraryGrid(ws, "Weight");
    EXPECT_EQ(grid.boundFile(), work / "plm.tlf");
    for (int c : {7, 8, 9, 10, 12, 13, 14, 15}) EXPECT_TRUE(grid.isHidden(c)) << c;
    EXPECT_FALSE(grid.isHidden(6) || grid.isHidden(11) || loadProductLibraryGrid(ws, "Area With Edge Banding").isHidden(7));
    grid.setCell(3, kProdName + 1, "BENCH");
    saveProductLibrary(ws, grid);
    // Sorted on PRODUCT as text ignoring case; the banding values of TABLE survive.
    EXPECT_EQ(work.read("plm.dat"), product("BENCH", "LOOSE") + product("Chair", "ARM") + product("CHAIR", "BACK") +
                                        product("CHAIR", "EXTRA") + product("CHAIR", "SEAT") + quotedRecord(table));
    EXPECT_EQ(work.read("products.lst"), "\"BENCH\"\r\n\"Chair\"\r\n\"CHAIR\"\r\n\"TABLE\"\r\n");
}

class LoadProducts : public ::testing::Test {
protected:
    void SetUp() override {
        work.write("Defaults", "[BASIC.TLF]\r\n\"MDF\",\"YES\",\"16\",\"3100\",\"0\",\"3.2\",\"0\",\"SHOP\"\r\n[END]\r\n"
                               "[OPTIONS.TLF]\r\n0,-1\r\n[END]\r\n[SHEET.TLF]\r\n[END]\r\n[CUT.TLF]\r\n[END]\r\n"
                               "[DIA.TLF]\r\n1,-1,1,0,0,10,10,1,0\r\n[END]\r\n");
        work.write("plm.dat", product("BENCH", "SEAT", "PB", "18", "1200", "400", "1") +
                                  product("CHAIR", "SEAT", "PB", "18", "450", "450", "2") + product("CHAIR", "") +
                                  product("CHAIR", "LEG", "OAK", "30", "700", "40", "4") +
                                  product("", "LOOSE", "PB", "18", "1", "1", "1") +
                                  product("CHAIR", "BACK", "PB", "18.0", "450", "300", "1") +
                                  product("TABLE", "TOP", "PB", "18", "1600", "800", "1") +
                                  product("CHAIR", "FAR", "PB", "18", "9", "9", "1"));
    }
    TempFolder work;
    Workspace ws{work.path()};
};

TEST_F(LoadProducts, OneJobPerMaterialGrainAndThicknessValueFromTheDefaults) {
    const auto result = loadProducts(ws, {{"CHAIR", "3", "SMITH"}, {" TABLE ", "1", "JONES"}}, " JOB ", ".OPT");
    // Groups in order of first appearance; the CHAIR row without material or thickness is one.
    EXPECT_EQ(result.files, (std::vector<fs::path>{work / "JOB[MAT=PB,GRAIN=NO,THICK=18].OPT",
                                                   work / "JOB[MAT=,GRAIN=,THICK=0].OPT",
                                                   work / "JOB[MAT=OAK,GRAIN=NO,THICK=30].OPT"}));
    EXPECT_EQ(result.message, "3 '.OPT' file(s) starting from JOB generated.");
    // The basic row takes the group's material, grain and thickness, the rest from the defaults; the
    // chair's rows end at the first row of another product (FAR lies beyond TABLE); 3 x 2 = 6;
    // the stored result of the defaults belongs to no generated job.
    EXPECT_EQ(work.read("JOB[MAT=PB,GRAIN=NO,THICK=18].OPT"),
              "[BASIC.TLF]\r\n\"PB\",\"NO\",\"18\",\"3100\",\"0\",\"3.2\",\"0\",\"SHOP\"\r\n[END]\r\n"
              "[OPTIONS.TLF]\r\n0,-1\r\n[END]\r\n[SHEET.TLF]\r\n[END]\r\n[CUT.TLF]\r\n" +
                  cut("450", "450", "6", "SEAT", "CHAIR", "SMITH") + cut("450", "300", "3", "BACK", "CHAIR", "SMITH") +
                  cut("1600", "800", "1", "TOP", "TABLE", "JONES") + "[END]\r\n[DIA.TLF]\r\n[END]\r\n");
    EXPECT_NE(work.read("JOB[MAT=OAK,GRAIN=NO,THICK=30].OPT").find(cut("700", "40", "12", "LEG", "CHAIR", "SMITH")),
              std::string::npos);
}

TEST_F(LoadProducts, EarlierOutputsOfThePrefixAndExtensionGoFilesItDidNotMakeStay) {
    for (const char* name : {"JOB[MAT=ASH,GRAIN=,THICK=19].OPT", "job[mat=x].opt", "JOB[MAT=ASH,GRAIN=,THICK=19].DCM",
                             "JOBS.OPT", "JOB.OPT", "kitchen.OPT", "[MAT=PB].OPT"})
        work.write(name, "old");
    loadProducts(ws, {{"TABLE", "2", ""}}, "JOB", ".opt");
    for (const char* gone : {"JOB[MAT=ASH,GRAIN=,THICK=19].OPT", "job[mat=x].opt"}) EXPECT_FALSE(fs::exists(work / gone));
    for (const char* kept : {"JOB[MAT=ASH,GRAIN=,THICK=19].DCM", "JOBS.OPT", "JOB.OPT", "kitchen.OPT", "[MAT=PB].OPT"})
        EXPECT_EQ(work.read(kept), "old") << kept;
    EXPECT_NE(work.read("JOB[MAT=PB,GRAIN=NO,THICK=18].OPT").find(cut("1600", "800", "2", "TOP", "TABLE", "")),
              std::string::npos);
    // Nothing generated deletes nothing; an empty prefix takes only the generated form of name along.
    loadProducts(ws, {{"TABLE", "", ""}}, "", ".OPT");
    EXPECT_THROW(loadProducts(ws, {{"SOFA", "1", ""}}, "", ".OPT"), InputError);
    EXPECT_EQ(work.read("[MAT=PB].OPT"), "old");
    loadProducts(ws, {{"TABLE", "1", ""}}, "", ".OPT");
    EXPECT_EQ(work.read("kitchen.OPT"), "old");
    EXPECT_NE(work.read("[MAT=PB,GRAIN=NO,THICK=18].OPT"), "old");
    EXPECT_FALSE(fs::exists(work / "[MAT=PB].OPT"));
    // A prefix that is no file name or another extension is refused before anything is deleted.
    for (const auto& [prefix, ext] : std::vector<std::pair<const char*, const char*>>{
             {"*", ".OPT"}, {"../x", ".OPT"}, {"a\\b", ".OPT"}, {"?", ".OPT"}, {"P", ".TXT"}, {"", ""}})
        EXPECT_THROW(loadProducts(ws, {{"BENCH", "1", ""}}, prefix, ext), UsageError) << prefix << ext;
    EXPECT_EQ(work.read("kitchen.OPT"), "old");
    EXPECT_TRUE(fs::exists(work / "JOB[MAT=PB,GRAIN=NO,THICK=18].OPT"));
}

// An order line with a product the library lacks, or a quantity that is no number of products, is
// named and nothing is written; lines without a product or quantity are passed over.
TEST_F(LoadProducts, UnknownProductsAndImpossibleQuantitiesAreNamedAndNothingIsWritten) {
    auto result = loadProducts(ws, {{"TABLE", "", "X"}, {"", "2", ""}}, "P", ".DCM");
    EXPECT_TRUE(result.files.empty());
    EXPECT_EQ(result.message, "Could not generate '.DCM' files.");
    const std::vector<std::pair<std::vector<OrderLine>, std::string>> refused{
        {{{"TABLE", "1", ""}, {"SOFA", "1", ""}}, "Order line 2: the product SOFA is not in the product library."},
        {{{"TABLE", "1", ""}, {"chair", "1", ""}}, "Order line 2: the product chair is not in the product library."},
        {{{"BENCH", "-3", ""}}, "Order line 1: QTY -3 is not a number of products (a whole number from 0 to 9999999)."},
        {{{"BENCH", "MANY", ""}}, "Order line 1: QTY MANY is not a number of products"},
        {{{"BENCH", "1.5", ""}}, "Order line 1: QTY 1.5 is not"},
        {{{"BENCH", "1e9", ""}}, "Order line 1: QTY 1e9 is not"},
        {{{"BENCH", "10000000", ""}}, "Order line 1: QTY 10000000 is not"}};
    for (const auto& [order, message] : refused) {
        try {
            loadProducts(ws, order, "P", ".OPT");
            ADD_FAILURE() << message;
        } catch (const InputError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(message, 0), 0u) << e.what();
        }
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(work.path()), {}), 2);  // Defaults and plm.dat
    fs::remove(work / "Defaults");  // without defaults: the group's basic row, the first objective
    result = loadProducts(ws, {{"BENCH", "2.0", "C"}}, "", ".DCM");
    EXPECT_EQ(work.read("[MAT=PB,GRAIN=NO,THICK=18].DCM"),
              "[BASIC.TLF]\r\n\"PB\",\"NO\",\"18\",\"\",\"\",\"\",\"\",\"\"\r\n[END]\r\n[OPTIONS.TLF]\r\n-1,0\r\n[END]\r\n"
              "[SHEET.TLF]\r\n[END]\r\n[CUT.TLF]\r\n" + cut("1200", "400", "2", "SEAT", "BENCH", "C") +
                  "[END]\r\n[DIA.TLF]\r\n[END]\r\n");
}

// A material named with a slash (a thickness in inches) once gave a file name in a folder that is
// not there, and the whole order failed after the earlier outputs were deleted.
TEST_F(LoadProducts, AMaterialNamedWithASlashStillGivesEveryJob) {
    work.write("plm.dat", product("SHELF", "TOP", "PLY 3/4", "18", "100", "50", "1") +
                              product("SHELF", "SIDE", "PB", "18", "100", "50", "1"));
    EXPECT_EQ(loadProducts(ws, {{"SHELF", "1", ""}}, "J", ".OPT").files.size(), 2u);
}

TEST(OrderFile, TableFileOrCsvWithAHeaderInAnyOrder) {
    TempFolder work;
    const auto order = readOrderFile(work.write("order.tlf", "\"CHAIR\",\"4\",\"SMITH\"\r\n\"TABLE\",\"1\"\r\n\"X\",\"2\",\"Y\"\r\n"));
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[1].product + "|" + order[1].quantity + "|" + order[1].client, "TABLE|1|");
    EXPECT_EQ(order[2].product, "X");  // a short line shifts nothing
    const auto csv = readOrderFile(work.write("order.CSV", "client,Products,QTY\r\n\"Smith, J\",CHAIR,4\r\nJONES,TABLE\r\n"));
    ASSERT_EQ(csv.size(), 2u);
    EXPECT_EQ(csv[0].product + "|" + csv[0].quantity + "|" + csv[0].client, "CHAIR|4|Smith, J");
    EXPECT_EQ(csv[1].quantity, "");
    EXPECT_THROW(readOrderFile(work.write("bad.csv", "NAME,COUNT\r\nA,1\r\n")), InputError);
    EXPECT_THROW(readOrderFile(work / "missing.csv"), FileError);
    EXPECT_EQ(groupKey("PB", "NO", "18.0"), "[MAT=PB,GRAIN=NO,THICK=18]");
    EXPECT_EQ(groupKey("PB", "", "0.50"), "[MAT=PB,GRAIN=,THICK=0.5]");
}

TEST(ExampleLibraries, AsTheSystemWritesThemAndTheExampleOrderLoads) {
    auto records = parseStock(test::readFile(kExample / "mlm.dat"));
    sortAndMergeStock(records);
    EXPECT_EQ(stockText(records), test::readFile(kExample / "mlm.dat"));
    TempFolder work;
    for (const char* name : {"plm.dat", "Defaults", "netpath.set"}) fs::copy_file(kExample / name, work / name);
    const Workspace ws(work.path());
    rebuildProductList(ws);
    EXPECT_EQ(work.read("products.lst"), test::readFile(kExample / "products.lst"));
    const auto result = loadProducts(ws, readOrderFile(kExample / "order.csv"), "K", ".OPT");
    EXPECT_EQ(result.message, "3 '.OPT' file(s) starting from K generated.");
    // HDF: 4 base backs, 2 x 3 drawer bottoms, 3 wall backs.
    EXPECT_EQ(work.read("K[MAT=HDF,GRAIN=,THICK=3].OPT"),
              "[BASIC.TLF]\r\n\"HDF\",\"\",\"3\",\"3100\",\"0\",\"4\",\"0\",\"\"\r\n[END]\r\n[OPTIONS.TLF]\r\n-1,0\r\n[END]\r\n"
              "[SHEET.TLF]\r\n[END]\r\n[CUT.TLF]\r\n" + cut("716", "596", "4", "BASE BACK", "BASE 600", "ROSSI") +
                  cut("560", "500", "6", "DRAWER BOTTOM", "DRAWER 600", "ROSSI") +
                  cut("716", "596", "3", "WALL BACK", "WALL 600", "ROSSI") + "[END]\r\n[DIA.TLF]\r\n[END]\r\n");
}

}  // namespace
}  // namespace veltrix
