#pragma once
// Copying grid cells to the clipboard and pasting them back, as tab-separated lines.

#include <string>
#include <string_view>

namespace veltrix {

class GridTable;

// The current cell and the far corner of the selection.
struct GridSelection {
    int row = 1, column = 1;
    int endRow = 1, endColumn = 1;
};

// The selected cells from the current cell to the selection's end: visible columns only, cells
// separated by tabs (the current column takes none before it), rows ended by CR LF. A selection
// whose end lies above or left of the current cell gives an empty text.
std::string copySelection(const GridTable& grid, const GridSelection& selection);

// Writes clipboard text into the grid from cell (row, column): line i goes to row + i (a row is
// appended when the target is just past the end), its tab-separated fields to the visible columns
// from `column` on; extra fields are ignored, missing ones leave cells as they are. Characters a
// table file cannot hold (double quote, comma, control characters) are dropped from the fields.
void pasteText(GridTable& grid, int row, int column, std::string_view text);

}  // namespace veltrix
