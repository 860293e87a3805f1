#pragma once
// Import of stock sizes from the material library into the job's sheet table (sheet mode only).

#include <string>
#include <string_view>
#include <vector>

#include "libraries/material_library.h"

namespace veltrix {

class GridTable;
class Workspace;

// The library records the import takes, in file order. Records before the first one of the
// material are passed over; after it the first record of another material ends the reading (the
// library is kept in MAT order, so a second block of the material is not reached). A record of
// the material is taken when its GRAIN equals `grain` exactly, its THICK read as a single equals
// `thickness` (so 18 and 18.0 both match 18) and its LOCATION is not "SCRAP".
std::vector<StockRecord> stockForMaterial(const std::vector<StockRecord>& library, std::string_view material,
                                          std::string_view grain, float thickness);

// The stock the import takes from the library file for the material, grain and thickness of row
// 1 of the basic details; nothing when the library file does not exist.
std::vector<StockRecord> librarySheetsFor(const Workspace& workspace, const GridTable& basic);

// The trim margins of a sheet row, as typed.
struct SheetMargins {
    std::string left, top, right, bottom;
};
// The margins an import gives every row it brings: those of the job's first sheet row that has
// any, else those of `fallback` (the sheets of Defaults) likewise, else none.
SheetMargins marginsToKeep(const GridTable& sheets, const GridTable& fallback);

// "2800 x 2070 RACK A" for each row of the sheet table that holds anything: the rows an import
// replaces.
std::vector<std::string> sheetRowNames(const GridTable& sheets);

// Sheet table rows for the taken records: LENGTH, WIDTH, QTY, the margins, LOCATION.
std::string importedSheetText(const std::vector<StockRecord>& stock, const SheetMargins& margins = {});

inline constexpr const char* kImportedMessage = " size(s) imported from MLM";
inline constexpr const char* kNotInLibraryQuestion =
    "Material specified was not found in MLM. Do you want to refer to MLM?";

}  // namespace veltrix
