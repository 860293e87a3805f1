// Library files damaged by hand or by a failing disk: the operations give a result or a clear
// error, never a crash, and what they write reads back as it was written.
#include <random>

#include <gtest/gtest.h>

#include "job/job_tables.h"
#include "libraries/library_records.h"
#include "libraries/load_products.h"
#include "libraries/material_library.h"
#include "libraries/product_library.h"
#include "libraries/sheet_import.h"
#include "platform/prompt.h"
#include "support/temp_folder.h"
#include "table/error.h"
#include "table/grid_table.h"
#include "table/workspace.h"

namespace veltrix {
namespace {

// Bytes that favour the characters table files are made of.
std::string garbage(std::mt19937& random, std::size_t length) {
    static const std::string common = "\",\r\n 0123456789.-ABC";
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        const auto r = random();
        text += (r % 3 == 0) ? static_cast<char>(r >> 8) : common[(r >> 8) % common.size()];
    }
    return text;
}

TEST(DamagedLibraries, OperationsNeverCrashAndMergeIsStable) {
    std::mt19937 random(20240607);
    for (int round = 0; round < 60; ++round) {
        test::TempFolder work;
        const Workspace ws(work.path());
        work.write("mlm.dat", garbage(random, 1 + random() % 600));
        work.write("plm.dat", garbage(random, 1 + random() % 600));
        work.write("Defaults", garbage(random, random() % 300));

        mergeMaterialLibrary(ws);
        const std::string merged = work.read("mlm.dat");
        mergeMaterialLibrary(ws);
        EXPECT_EQ(work.read("mlm.dat"), merged) << "round " << round;
        for (const auto& record : parseStock(merged)) EXPECT_FALSE(recordBlank(record));

        GridTable basic = makeBasicGrid();
        basic.setCell(1, kMat, garbage(random, 3));
        GridTable sheets = makeSheetGrid();
        ScriptedPrompt prompt;
        importSheets(ws, basic, sheets, prompt);
        EXPECT_FALSE(prompt.messages.empty());

        rebuildProductList(ws);
        const auto names = productNames(parseProducts(work.read("plm.dat")));
        EXPECT_EQ(readProductList(ws).size(), names.size()) << "round " << round;

        const auto order = readOrderFile(work.write("order.tlf", garbage(random, 200)));
        try {
            loadProducts(ws, order, "G", ".OPT", prompt);
        } catch (const FileError&) {
            // A material name holding a slash makes no file name; the message names the file.
        }
        try {
            readOrderFile(work.write("order.csv", garbage(random, 200)));
        } catch (const InputError&) {
        }
    }
}

}  // namespace
}  // namespace veltrix
