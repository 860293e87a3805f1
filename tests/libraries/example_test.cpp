// The libraries of the example working folder are in the form the system itself writes them.
#include <gtest/gtest.h>

#include "libraries/load_products.h"
#include "libraries/material_library.h"
#include "libraries/product_library.h"
#include "support/temp_folder.h"
#include "table/file_ops.h"
#include "table/table_file.h"

namespace veltrix {
namespace {

const std::filesystem::path kExample = std::filesystem::path(VELTRIX_EXAMPLES) / "workshop";

TEST(ExampleLibraries, MaterialLibraryIsSortedAndMerged) {
    const std::string text = test::readFile(kExample / "mlm.dat");
    auto records = parseStock(text);
    ASSERT_GE(records.size(), 5u);
    sortAndMergeStock(records);
    EXPECT_EQ(stockText(records), text);
}

TEST(ExampleLibraries, ProductListAndOrderMatchTheProductLibrary) {
    const auto rows = parseProducts(test::readFile(kExample / "plm.dat"));
    std::string list;
    for (const auto& name : productNames(rows)) list += quotedRecord({name});
    EXPECT_EQ(test::readFile(kExample / "products.lst"), list);
    const auto names = productNames(rows);
    const auto order = readOrderFile(kExample / "order.csv");
    ASSERT_FALSE(order.empty());
    for (const auto& line : order)
        EXPECT_NE(std::find(names.begin(), names.end(), line.product), names.end()) << line.product;
}

}  // namespace
}  // namespace veltrix
