#pragma once
// Commands that work with the libraries: the sheet import of the base module, the off-cut export
// to the material library, and the files the Load Products window generates from its order.

#include <string_view>

#include "libraries/sheet_import.h"

namespace veltrix {

class BaseModule;
class GridTable;
class Prompt;
class Workspace;

struct SheetImportResult {
    enum class Outcome {
        Imported,  // the sheet table now holds the library's sizes
        Refused,   // sizes were found but the user kept the optimization result
        NotFound,  // no size of the material in the library, or no library file
    };
    Outcome outcome = Outcome::NotFound;
    int count = 0;              // records taken from the library
    bool openLibrary = false;   // NotFound, and the user asked to open the material library
};

// The sheet window's "Import": the sizes of the job's material (material, grain and thickness of
// the basic details) from the material library into the sheet table, sheet mode only (in coil mode
// nothing happens and NotFound is returned without a question). When sizes are found the change
// confirmation is asked; on going on the sheet rows are replaced, "<count> size(s) imported from
// MLM" is told, and the import lock, the changed flag and the export mark are set. When nothing is
// found the user is asked whether to refer to the library. A library that cannot be read is told.
SheetImportResult importSheetsFromLibrary(BaseModule& module);

// The off-cut table's "Export": asks "Update Material Library?" and on Yes returns the off-cuts and
// the sheets used (sheets.Adj of the working folder) to the material library, then tells "Material
// Library Updated!". Returns whether the library was updated; a failure is told.
bool exportOffcutsToLibrary(const Workspace& workspace, const GridTable& basic, const GridTable& offcuts,
                            Prompt& prompt);

// The generate button of the Load Products window: the order grid is saved to its table file
// loadprod.tlf and its rows become project files prefix + group key + extension (".OPT" or
// ".DCM"). The user is told the outcome, or why nothing was generated (no ordered product in the
// product library, a prefix that cannot be part of a file name, a file that cannot be written).
// Returns true when files were generated: the window then closes.
bool generateFromOrder(const Workspace& workspace, const GridTable& order, std::string_view prefix,
                       std::string_view extension, Prompt& prompt);

}  // namespace veltrix
