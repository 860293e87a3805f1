#include "libraries/product_library.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "table/grid_table.h"
#include "table/table_file.h"
#include "table/workspace.h"

namespace veltrix {
namespace {

using test::TempFolder;

std::string row(const std::string& product, const std::string& description) {
    std::vector<std::string> fields(kProductFields);
    fields[kProdName] = product;
    fields[kProdDescription] = description;
    return quotedRecord(fields);
}

TEST(ProductList, EachNameOnceAtItsFirstPositionLetterCaseCounting) {
    TempFolder work;
    const Workspace ws(work.path());
    work.write("plm.dat", row("CHAIR", "SEAT") + row("CHAIR", "BACK") + row("CHAIR", "LEG") + row("CHAIR", "ARM") +
                              row("", "LOOSE") + row("TABLE", "TOP") + row("Chair", "SEAT") + row("DESK", "TOP") +
                              row("CHAIR", "EXTRA"));
    rebuildProductList(ws);
    EXPECT_EQ(work.read("products.lst"), "\"CHAIR\"\r\n\"TABLE\"\r\n\"Chair\"\r\n\"DESK\"\r\n");
    EXPECT_EQ(readProductList(ws), (std::vector<std::string>{"CHAIR", "TABLE", "Chair", "DESK"}));
}

TEST(ProductList, MissingLibraryGivesAnEmptyList) {
    TempFolder work;
    const Workspace ws(work.path());
    work.write("products.lst", "\"STALE\"\r\n");
    rebuildProductList(ws);
    EXPECT_EQ(work.read("products.lst"), "");
    EXPECT_TRUE(readProductList(ws).empty());
}

TEST(ProductLibrary, HiddenBandingColumnsAreSavedUnchanged) {
    TempFolder work;
    const Workspace ws(work.path());
    std::vector<std::string> fields(kProductFields);
    fields[kProdName] = "TABLE";
    fields[kProdLenEdge1] = "2";
    fields[kProdLenRem1] = "OAK";
    fields[kProdWidEdge2] = "0.4";
    work.write("plm.dat", quotedRecord(fields) + row("BENCH", "SEAT"));
    GridTable grid = loadProductLibraryGrid(ws, "Weight");
    EXPECT_TRUE(grid.isHidden(7));
    EXPECT_TRUE(grid.isHidden(15));
    EXPECT_FALSE(grid.isHidden(6));
    EXPECT_FALSE(grid.isHidden(11));
    EXPECT_FALSE(loadProductLibraryGrid(ws, "Area With Edge Banding").isHidden(7));
    EXPECT_EQ(grid.boundFile(), work / "plm.tlf");
    saveProductLibrary(ws, grid);
    // Sorted on PRODUCT; the banding values of TABLE survive.
    EXPECT_EQ(work.read("plm.dat"), row("BENCH", "SEAT") + quotedRecord(fields));
    EXPECT_EQ(work.read("products.lst"), "\"BENCH\"\r\n\"TABLE\"\r\n");
}

}  // namespace
}  // namespace veltrix
