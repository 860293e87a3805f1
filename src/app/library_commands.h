#pragma once
// Commands that work with the libraries: the sheet import of the base module, and the files the
// Load Products window generates from its order.

#include <string_view>

#include "libraries/sheet_import.h"

namespace veltrix {

class BaseModule;
class GridTable;

// The sheet window's "Import": the sizes of the job's material from the material library into the
// sheet table (sheet mode only; in coil mode nothing happens and NotFound is returned without a
// question). On Imported the import lock, the changed flag and the export mark are set; when the
// user agreed to discard the layout result, the result windows close and the run starts over.
// A sheet table that cannot be written is reported to the user and leaves the grid unchanged.
SheetImportResult importSheetsFromLibrary(BaseModule& module);

// The generate button of the Load Products window: the order grid is saved to its table file
// loadprod.tlf and its rows become project files prefix + group key + extension (".OPT" or
// ".DCM"). The user is told the outcome, or why nothing was generated (no ordered product in the
// product library, a prefix that cannot be part of a file name, a file that cannot be written).
// Returns true when files were generated: the window then closes.
bool generateFromOrder(const Workspace& workspace, const GridTable& order, std::string_view prefix,
                       std::string_view extension, Prompt& prompt);

}  // namespace veltrix
