#pragma once
// Job tables exchanged as CSV with other programs: a header row of column keys, then one row per
// table row. Values are filtered by the same typing rules as the grids.

#include <string>
#include <string_view>
#include <vector>

#include "table/grid_table.h"

namespace veltrix {

struct ImportNote {
    int row = 0;  // 1-based data row of the CSV
    std::string key;
    std::string given, stored;
};

struct ImportResult {
    std::vector<ImportNote> notes;  // texts that were changed to fit the table
};

// Fills `grid` (keys as the table's) from CSV text. Header keys are matched without regard to case;
// a key that occurs twice in the table (EDGE-1 of the length and of the width) is matched in
// order of occurrence. Columns the CSV lacks stay empty. Throws InputError for an unknown or
// repeated header key, an option value that is neither yes nor no, or a number the typing rules
// would change (a sign, an exponent, a second point, more digits than the column holds): such a
// number would be stored as another one.
ImportResult importCsv(std::string_view csv, GridTable& grid);

// The CSV text of the grid's non-empty rows with a header row of keys.
std::string exportCsv(const GridTable& grid);

// The text a value becomes when typed into a cell of the column `key`.
std::string filterValue(std::string_view key, std::string_view value);

}  // namespace veltrix
