#include "app/layout_commands.h"

#include "app/base_module.h"
#include "app/layout_viewer.h"
#include "layouts/alternate_arrangement.h"
#include "platform/prompt.h"
#include "table/file_ops.h"
#include "table/table_file.h"

namespace veltrix {

namespace {

void tellProblem(LayoutViewer& viewer, const std::exception& e) {
    viewer.module().prompt().tell(e.what(), "Attention!", Icon::Exclamation);
}

// Loads the viewer again; a result that no longer loads is told, the viewer keeping what it had.
bool reloadViewer(LayoutViewer& viewer, const std::function<void()>& beforeReload) {
    if (beforeReload) beforeReload();
    try {
        viewer.reload();
    } catch (const std::exception& e) {
        tellProblem(viewer, e);
        return false;
    }
    return true;
}

}  // namespace

std::optional<layouts::EditTarget> editTargetAt(const LayoutViewer& viewer, double x, double y) {
    const auto hit = layouts::itemAt(viewer.result(), viewer.current(), x, y);
    if (!hit) return std::nullopt;
    return layouts::existingTarget(viewer.result(), *hit);
}

bool prepareEdit(LayoutViewer& viewer, const layouts::EditTarget& target) {
    try {
        layouts::writeEditRow(viewer.module().workspace(), viewer.result(), viewer.current(), target);
    } catch (const std::exception& e) {
        tellProblem(viewer, e);
        return false;
    }
    return true;
}

std::optional<std::vector<std::string>> prepareAddList(LayoutViewer& viewer) {
    const std::string text = layouts::addNewListText(viewer.result());
    try {
        writeFileAtomic(viewer.module().workspace().file(layouts::kAddNewFile), text);
    } catch (const std::exception& e) {
        tellProblem(viewer, e);
        return std::nullopt;
    }
    return splitLines(text);
}

layouts::EditTarget addTarget(int choice) {
    return choice <= 0 ? layouts::newOffcutTarget() : layouts::newCutPieceTarget(choice);
}

EditOutcome finishEdit(LayoutViewer& viewer, const layouts::EditTarget& target,
                       const std::function<void()>& beforeReload) {
    const Workspace& workspace = viewer.module().workspace();
    const std::optional<layouts::EditRow> row = layouts::readEditRow(workspace);
    if (!row) return EditOutcome::Cancelled;
    try {
        layouts::storeEdit(workspace, viewer.result(), viewer.current(), target, *row);
    } catch (const std::exception& e) {
        tellProblem(viewer, e);
        return EditOutcome::Failed;
    }
    viewer.module().state().changed = true;
    return reloadViewer(viewer, beforeReload) ? EditOutcome::Stored : EditOutcome::Failed;
}

bool arrangeCurrentLayout(LayoutViewer& viewer, bool firstTry, const std::function<void()>& beforeReload) {
    const Workspace& workspace = viewer.module().workspace();
    layouts::ArrangeTry attempt;
    try {
        if (firstTry) layouts::keepOriginal(workspace, viewer.result());
        attempt = layouts::arrangeLayout(workspace, viewer.result(), viewer.current(), viewer.strategies());
    } catch (const std::exception& e) {
        tellProblem(viewer, e);
        return false;
    }
    if (!attempt.found) viewer.module().prompt().tell(layouts::kNoArrangementMessage, {}, Icon::Information);
    reloadViewer(viewer, beforeReload);
    return attempt.found;
}

void keepArrangement(LayoutViewer& viewer) { viewer.module().state().changed = true; }

bool restoreArrangement(LayoutViewer& viewer, const std::function<void()>& beforeReload) {
    try {
        if (!layouts::restoreOriginal(viewer.module().workspace())) return false;
    } catch (const std::exception& e) {
        tellProblem(viewer, e);
        return false;
    }
    reloadViewer(viewer, beforeReload);
    return true;
}

}  // namespace veltrix
