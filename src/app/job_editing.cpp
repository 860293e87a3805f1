#include "app/job_editing.h"

#include "app/base_module.h"
#include "platform/prompt.h"

namespace veltrix {

namespace {
// The Delete key passes the change confirmation as an ordinary key.
constexpr int kDeleteKeyCode = 46;
}

GridTable& jobGrid(BaseModule& module, JobGrid grid) {
    switch (grid) {
        case JobGrid::Basic: return module.tables().basic;
        case JobGrid::Sheets: return module.tables().sheets;
        case JobGrid::Cuts: break;
    }
    return module.tables().cuts;
}

bool importLockRefuses(BaseModule& module, JobGrid grid, int column) {
    if (grid != JobGrid::Basic || !basicCellLocked(module.state().importLock, column)) return false;
    module.prompt().tell(kImportLockMessage, {}, Icon::Exclamation);
    return true;
}

JobEdit typeIntoJobGrid(BaseModule& module, JobGrid grid, int row, int column, int character) {
    JobEdit edit;
    if (importLockRefuses(module, grid, column)) return edit;
    if (module.confirmJobEdit(character) == ChangeAnswer::Refuse) return edit;
    GridTable& table = jobGrid(module, grid);
    const KeyResult r = acceptCharacter(table.key(column), table.cell(row, column), character);
    if (r.changed) module.document().changed = true;
    edit.action = r.action;
    edit.beep = r.beep;
    if (r.action == KeyAction::Append) table.setCell(row, column, table.cell(row, column) + r.character);
    else if (r.action == KeyAction::Replace) table.setCell(row, column, r.text);
    if (grid != JobGrid::Basic) table.keepBlankRow();
    return edit;
}

JobEdit deleteInJobGrid(BaseModule& module, JobGrid grid, int row, int column) {
    JobEdit edit;
    if (importLockRefuses(module, grid, column)) return edit;
    if (module.confirmJobEdit(kDeleteKeyCode) == ChangeAnswer::Refuse) return edit;
    GridTable& table = jobGrid(module, grid);
    if (deleteKeyClears(table.key(column))) {
        table.setCell(row, column, {});
        module.document().changed = true;
        edit.action = KeyAction::Replace;
    }
    return edit;
}

void storeChosenText(BaseModule& module, JobGrid grid, int row, int column, std::string text) {
    GridTable& table = jobGrid(module, grid);
    table.setCell(row, column, std::move(text));
    module.document().changed = true;
    if (grid != JobGrid::Basic) table.keepBlankRow();
}

}  // namespace veltrix
