#pragma once
// Keyboard editing of the three job grids: the import lock of the basic details, the change
// confirmation, the character filter, and one blank row kept at the end of the sheet and
// cut-piece grids.

#include "table/editing.h"

namespace veltrix {

class BaseModule;
class GridTable;

enum class JobGrid { Basic, Sheets, Cuts };

struct JobEdit {
    // What the key did to the cell; dialog actions are left to the window, which then stores the
    // chosen text with storeChosenText.
    KeyAction action = KeyAction::Discard;
    bool beep = false;
};

GridTable& jobGrid(BaseModule& module, JobGrid grid);

// A typed character on cell (row, column) of a job grid.
JobEdit typeIntoJobGrid(BaseModule& module, JobGrid grid, int row, int column, int character);
// The Delete key on a cell of a job grid.
JobEdit deleteInJobGrid(BaseModule& module, JobGrid grid, int row, int column);
// True (after showing the import message) when the import lock refuses any key on this cell.
bool importLockRefuses(BaseModule& module, JobGrid grid, int column);
// Stores a text chosen in a dialog (file dialogs, product choice) into the cell.
void storeChosenText(BaseModule& module, JobGrid grid, int row, int column, std::string text);

}  // namespace veltrix
