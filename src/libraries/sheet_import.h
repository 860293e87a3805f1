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

// sheet.tlf rows for the taken records: LENGTH, WIDTH, QTY, four empty margins, LOCATION.
std::string importedSheetText(const std::vector<StockRecord>& stock);

inline constexpr const char* kImportedMessage = " size(s) imported from MLM";
inline constexpr const char* kNotInLibraryQuestion =
    "Material specified was not found in MLM. Do you want to refer to MLM?";

}  // namespace veltrix
