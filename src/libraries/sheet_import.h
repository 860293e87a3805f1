#pragma once
// Import of stock sizes from the material library into the job's sheet table (sheet mode only).

#include <string>
#include <string_view>
#include <vector>

#include "libraries/material_library.h"

namespace veltrix {

class GridTable;
class Prompt;
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

struct SheetImportResult {
    enum class Outcome {
        Imported,  // the sheet table now holds the library's sizes
        Refused,   // sizes were found but the user kept the optimization result
        NotFound,  // no size of the material in the library, or no library file
    };
    Outcome outcome = Outcome::NotFound;
    int count = 0;                 // records taken from the library
    bool resultDiscarded = false;  // the user agreed to empty the layout result dia.tlf
    bool openLibrary = false;      // NotFound, and the user asked to open the material library
};

// The "Import" button of the sheet window. Material, grain and thickness come from row 1 of the
// basic details. When sizes are found the change confirmation is asked (a result in dia.tlf is
// emptied on Yes); on going on sheet.tlf in the working folder is replaced by the imported rows,
// the sheet grid reloaded from them and "<count> size(s) imported from MLM" shown. When nothing
// is found the user is asked whether to refer to the library. The caller sets the import lock and
// the changed flag on Imported, and closes the result windows when the result was discarded.
// Throws FileError when sheet.tlf cannot be written (the grid is then unchanged).
SheetImportResult importSheets(const Workspace& workspace, const GridTable& basic, GridTable& sheets,
                               Prompt& prompt);

inline constexpr const char* kImportedMessage = " size(s) imported from MLM";
inline constexpr const char* kNotInLibraryQuestion =
    "Material specified was not found in MLM. Do you want to refer to MLM?";

}  // namespace veltrix
