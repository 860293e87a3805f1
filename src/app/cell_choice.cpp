#include "app/cell_choice.h"

#include "app/base_module.h"
#include "dxf/dxf_reader.h"
#include "job/job_tables.h"
#include "platform/prompt.h"
#include "table/grid_table.h"
#include "base/file_ops.h"
#include "base/number_text.h"
#include "base/workspace.h"

namespace veltrix {

namespace {

// The file a cell names, as the dialog should open at it: a relative name in the working folder.
std::string dialogStart(const std::string& current, const Workspace& workspace) {
    const std::string name = trimBlanks(current);
    return name.empty() ? name : workspace.file(name).string();
}

}  // namespace

FileDialogRequest dxfDialogRequest(const std::string& current, const Workspace& workspace) {
    return {kDxfDialogTitle, kDxfFilter, dialogStart(current, workspace)};
}

FileDialogRequest pictureDialogRequest(const std::string& current, const Workspace& workspace) {
    return {kPictureDialogTitle, kPictureFilter, dialogStart(current, workspace)};
}

bool storeOutlineSizes(GridTable& table, int row, const std::string& path, const Workspace& workspace,
                       Prompt& prompt) {
    dxf::EntityList outline;
    try {
        outline = dxf::readOutline(workspace.file(trimBlanks(path)));
    } catch (const std::exception& e) {
        prompt.tell(e.what(), kAttention, Icon::Exclamation);
        return false;
    }
    if (outline.empty()) {
        prompt.tell("The drawing " + path + " holds no lines, arcs or circles.", kAttention, Icon::Exclamation);
        return false;
    }
    const dxf::BoundingBox box = dxf::boundingBox(outline);
    const int lengthColumn = table.columnOf("LENGTH");
    const int widthColumn = table.columnOf("WIDTH");
    if (lengthColumn > 0) table.setCell(row, lengthColumn, fixedText(box.width(), 2, false));
    if (widthColumn > 0) table.setCell(row, widthColumn, fixedText(box.height(), 2, false));
    return true;
}

bool storeDxfChoice(BaseModule& module, JobGrid grid, int row, int column, const std::string& path) {
    storeChosenText(module, grid, row, column, path);
    if (path.empty()) return true;
    return storeOutlineSizes(jobGrid(module, grid), row, path, module.workspace(), module.prompt());
}

bool chooseFileForCell(GridTable& table, int row, int column, KeyAction action, FileDialogs& dialogs,
                       const Workspace& workspace, Prompt& prompt) {
    if (row < 1 || row >= table.rowCount() || column < 1 || column >= table.columnCount()) return false;
    const std::string current = table.cell(row, column);
    std::optional<std::string> chosen;
    if (action == KeyAction::OpenDxfDialog) chosen = dialogs.openFile(dxfDialogRequest(current, workspace));
    else if (action == KeyAction::OpenPictureDialog) chosen = dialogs.openFile(pictureDialogRequest(current, workspace));
    else return false;
    if (!chosen) return false;
    table.setCell(row, column, *chosen);
    if (action == KeyAction::OpenDxfDialog && !chosen->empty()) storeOutlineSizes(table, row, *chosen, workspace, prompt);
    return true;
}

bool chooseForCell(BaseModule& module, JobGrid grid, int row, int column, KeyAction action) {
    const std::string current = jobGrid(module, grid).cell(row, column);
    if (action == KeyAction::OpenDxfDialog) {
        const auto chosen = module.dialogs().openFile(dxfDialogRequest(current, module.workspace()));
        if (!chosen) return false;
        storeDxfChoice(module, grid, row, column, *chosen);
        return true;
    }
    if (action == KeyAction::OpenPictureDialog) {
        const auto chosen = module.dialogs().openFile(pictureDialogRequest(current, module.workspace()));
        if (!chosen) return false;
        storeChosenText(module, grid, row, column, *chosen);
        return true;
    }
    return false;
}

}  // namespace veltrix
