#include "job/job_tables.h"

#include "base/number_text.h"

namespace veltrix {

const std::vector<std::string>& basicKeys() {
    static const std::vector<std::string> keys{"MAT", "GRAIN", "THICK", "BLADE", "TOL", "KERF", "MIN OC", "NOTE"};
    return keys;
}

const std::vector<std::string>& sheetKeys() {
    static const std::vector<std::string> keys{"LENGTH", "WIDTH", "QTY", "M(L)", "M(T)", "M(R)", "M(B)", "LOCATION"};
    return keys;
}

const std::vector<std::string>& cutKeys() {
    static const std::vector<std::string> keys{
        "LENGTH", "EDGE-1", "REM-1", "EDGE-2", "REM-2", "WIDTH", "EDGE-1", "REM-1", "EDGE-2",
        "REM-2", "QTY", "ALIGN", "DESCRIPTION", "PRODUCT", "CLIENT", "LABELFILE", "DXFFILE"};
    return keys;
}

GridTable makeBasicGrid() {
    GridTable grid(basicKeys());
    grid.setHidden(0, true);
    return grid;
}

GridTable makeSheetGrid() { return GridTable(sheetKeys()); }
GridTable makeCutGrid() { return GridTable(cutKeys()); }

void cutBackToOneRow(GridTable& basic) { basic.setRowCount(2); }

void applySheetVisibility(GridTable& sheets, StockMode mode) {
    sheets.setHidden(kSheetQty, mode == StockMode::Coil);
}

void applyCutVisibility(GridTable& cuts, std::string_view reportOption) {
    const bool hide = reportOption != "Area With Edge Banding";
    for (int c : {kLenEdge1, kLenRem1, kLenEdge2, kLenRem2, kWidEdge1, kWidRem1, kWidEdge2, kWidRem2})
        cuts.setHidden(c, hide);
}

double totalQuantity(const GridTable& cuts) {
    double total = 0;
    for (int r = 1; r < cuts.rowCount(); ++r)
        total = roundHalfEven(total + leadingDouble(cuts.cell(r, kCutQty)));
    return total;
}

bool basicCellLocked(bool importLock, int column) {
    return importLock && (column == kMat || column == kGrain || column == kThick);
}

}  // namespace veltrix
