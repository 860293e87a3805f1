#include "app/cell_typing.h"

#include "app/base_module.h"
#include "table/grid_table.h"

namespace veltrix {

bool typeTextIntoJobCell(BaseModule& module, JobGrid grid, int row, int column, std::string_view text) {
    const GridTable& table = jobGrid(module, grid);
    if (row < 1 || row >= table.rowCount() || column < 1 || column >= table.columnCount()) return false;
    if (deleteInJobGrid(module, grid, row, column).action != KeyAction::Replace) return false;
    for (char c : text) typeIntoJobGrid(module, grid, row, column, static_cast<unsigned char>(c));
    return true;
}

}  // namespace veltrix
