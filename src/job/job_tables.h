#pragma once
// The three job tables (basic details, sheets or coils, cut-pieces): their columns and rules.

#include <string>
#include <string_view>
#include <vector>

#include "table/grid_table.h"

namespace veltrix {

enum class StockMode { Sheet, Coil };

// Column keys of the tables, in file order.
const std::vector<std::string>& basicKeys();  // 8 columns
const std::vector<std::string>& sheetKeys();  // 8 columns
const std::vector<std::string>& cutKeys();    // 17 columns

// Columns of the basic details.
enum BasicColumn { kMat = 1, kGrain, kThick, kBlade, kTol, kKerf, kMinOc, kNote };
// Columns of the cut-piece table that are not the first of their key.
enum CutColumn {
    kCutLength = 1, kLenEdge1, kLenRem1, kLenEdge2, kLenRem2,
    kCutWidth, kWidEdge1, kWidRem1, kWidEdge2, kWidRem2,
    kCutQty, kCutAlign, kCutDescription, kCutProduct, kCutClient, kCutLabelFile, kCutDxfFile
};
enum SheetColumn { kSheetLength = 1, kSheetWidth, kSheetQty, kMarginLeft, kMarginTop, kMarginRight, kMarginBottom, kSheetLocation };

GridTable makeBasicGrid();
GridTable makeSheetGrid();
GridTable makeCutGrid();

// After loading, the basic details keep only the header and row 1 (the file's first record).
void cutBackToOneRow(GridTable& basic);

// The sheet table hides QTY in coil mode.
void applySheetVisibility(GridTable& sheets, StockMode mode);
// The cut-piece table shows its eight edge-banding columns only for "Area With Edge Banding".
void applyCutVisibility(GridTable& cuts, std::string_view reportOption);

// Sum of the QTY column read as numbers, each partial sum rounded to a whole number (halves to
// even); text that is not a number counts as 0.
double totalQuantity(const GridTable& cuts);

// While the import lock is set, MAT, GRAIN and THICK of the basic details cannot be edited.
bool basicCellLocked(bool importLock, int column);
inline constexpr const char* kImportLockMessage =
    "MATERIAL, GRAIN and THICKNESS can not be changed after import. Select New File to change these parameters.";

// The three job grids: the job as the user types it.
struct JobTables {
    GridTable basic = makeBasicGrid();
    GridTable sheets = makeSheetGrid();
    GridTable cuts = makeCutGrid();
};

}  // namespace veltrix
