#pragma once
// Keyboard editing of the grids that are not job grids (density table, off-cut table, scrap
// criteria): the character filter and the Delete key of the column vocabulary. Job grids go
// through job_editing.h, which adds the import lock and the change confirmation.

#include "table/editing.h"

namespace veltrix {

class GridTable;

// A typed character on cell (row, column). Appends or replaces as the filter says and sets
// `changed` when the key counts as an edit. With `keepBlankRow`, a row typed into at the end gets
// a new blank row after it. Dialog actions are returned for the window to carry out.
KeyResult typeIntoGrid(GridTable& table, int row, int column, int character, bool keepBlankRow, bool& changed);

// The Delete key: clears the cell when its column allows it; returns whether it did.
bool deleteInGrid(GridTable& table, int row, int column, bool& changed);

}  // namespace veltrix
