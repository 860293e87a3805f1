#pragma once
// Returning the off-cuts of a result and the consumption of the sheets it used to the material
// library (the "Export" button of the off-cut table).

#include <string>
#include <string_view>
#include <vector>

#include "job/job_tables.h"
#include "libraries/material_library.h"

namespace veltrix {

class GridTable;
class Workspace;

inline constexpr const char* kSheetsUsedFile = "sheets.Adj";
inline constexpr const char* kOffcutFile = "offcut.tlf";

// LAYOUT, LENGTH, WIDTH, QTY, LOCATION: the columns of the off-cut table.
const std::vector<std::string>& offcutKeys();

// "Export" is offered only when the job's sheets were imported from the material library since
// the job was created or opened, and never in coil mode.
bool exportAllowed(bool importedFromLibrary, StockMode mode);

// The library records of an export: one per non-empty off-cut row (material, grain, thickness,
// LENGTH, WIDTH, QTY, LOCATION as the cells stand, "SCRAP" included), then one per line of
// sheets.Adj (first dimension, second dimension, the quantity used negated, location).
std::vector<StockRecord> exportRecords(std::string_view material, std::string_view grain, std::string_view thickness,
                                       const GridTable& offcuts, std::string_view sheetsUsedText);

// "Export": appends the records of exportRecords (material, grain and thickness from row 1 of the
// basic details) to the material library and merges it, all in one locked, atomic rewrite; returns
// the number of records appended. Throws FileError when the library cannot be written; nothing of
// the export has then reached it.
std::size_t exportRecordsToLibrary(const Workspace& workspace, const GridTable& basic, const GridTable& offcuts,
                                   std::string_view sheetsUsedText);

}  // namespace veltrix
