// Table files, CSV and grids read from random text: nothing breaks, and what is saved reads back the same.
#include "base/table_file.h"

#include <gtest/gtest.h>

#include <random>

#include "base/csv.h"
#include "table/grid_table.h"

namespace veltrix {
namespace {

std::string randomText(std::mt19937& gen, std::size_t maxLength) {
    static const std::string alphabet = "\"\",,,\r\n\r\n  abAB019.-\t\xff[]END";
    std::string text(std::uniform_int_distribution<std::size_t>(0, maxLength)(gen), ' ');
    for (char& c : text) {
        const std::size_t p = gen() % (alphabet.size() + 20);
        c = p < alphabet.size() ? alphabet[p] : static_cast<char>(gen() & 0xff);
    }
    return text;
}


// Whatever the bytes, reading terminates, and what a grid saves reads back the same.
TEST(ReaderFuzz, RandomTextReadsWithoutHarmAndSavedTablesAreStable) {
    std::mt19937 gen(20261206);
    for (int round = 0; round < 2000; ++round) {
        const std::string text = randomText(gen, 400);
        FieldReader reader(text);
        for (std::size_t fields = 0; !reader.atEnd();) {
            reader.next();
            ASSERT_LE(++fields, text.size() + 1) << "no progress on round " << round;
        }
        for (const auto& row : parseCsv(text)) ASSERT_FALSE(row.empty());
        GridTable grid({"LENGTH", "DESCRIPTION", "QTY"});
        grid.loadText(text);
        ASSERT_EQ(grid.rowCount(), static_cast<int>(nonBlankLineCount(text)) + 2);
        // A cell holding a quote or a line end cannot be stored; any other table reads back.
        bool storable = true;
        for (int r = 1; r < grid.rowCount(); ++r)
            for (int c = 1; c < grid.columnCount(); ++c)
                storable = storable && grid.cell(r, c).find_first_of("\"\r\n") == std::string::npos;
        if (!storable) continue;
        GridTable again({"LENGTH", "DESCRIPTION", "QTY"});
        again.loadText(grid.saveText());
        ASSERT_EQ(again.saveText(), grid.saveText()) << "round " << round;
    }
}

}  // namespace
}  // namespace veltrix
