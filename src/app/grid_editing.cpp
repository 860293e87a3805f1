#include "app/grid_editing.h"

#include "table/grid_table.h"

namespace veltrix {

KeyResult typeIntoGrid(GridTable& table, int row, int column, int character, bool keepBlankRow, bool& changed) {
    if (row < 1 || row >= table.rowCount() || column < 1 || column >= table.columnCount()) return {};
    KeyResult r = acceptCharacter(table.key(column), table.cell(row, column), character);
    if (r.changed) changed = true;
    if (r.action == KeyAction::Append) table.setCell(row, column, table.cell(row, column) + r.character);
    else if (r.action == KeyAction::Replace) table.setCell(row, column, r.text);
    if (keepBlankRow) table.keepBlankRow();
    return r;
}

bool deleteInGrid(GridTable& table, int row, int column, bool& changed) {
    if (row < 1 || row >= table.rowCount() || column < 1 || column >= table.columnCount()) return false;
    if (!deleteKeyClears(table.key(column))) return false;
    table.setCell(row, column, {});
    changed = true;
    return true;
}

}  // namespace veltrix
