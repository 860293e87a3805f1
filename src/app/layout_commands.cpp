#include "app/layout_commands.h"

#include "app/base_module.h"
#include "app/layout_viewer.h"
#include "job/settings.h"
#include "layouts/alternate_arrangement.h"
#include "platform/prompt.h"
#include "base/table_file.h"

namespace veltrix {

namespace {

void tellProblem(LayoutViewer& viewer, const std::exception& e) {
    viewer.module().prompt().tell(e.what(), kAttention, Icon::Exclamation);
}

// Loads the viewer again; a plan that no longer loads is told, the viewer keeping what it had.
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

std::optional<layouts::EditRow> editRowOf(LayoutViewer& viewer, const layouts::EditTarget& target) {
    try {
        return layouts::editRowFor(viewer.result(), viewer.current(), target);
    } catch (const std::exception& e) {
        tellProblem(viewer, e);
        return std::nullopt;
    }
}

std::vector<std::string> addList(const LayoutViewer& viewer) {
    return splitLines(layouts::addNewListText(viewer.result()));
}

layouts::EditTarget addTarget(int choice) {
    return choice <= 0 ? layouts::newOffcutTarget() : layouts::newCutPieceTarget(choice);
}

std::string editName(const layouts::EditTarget& target, const layouts::EditRow& row) {
    switch (target.mode) {
        case layouts::EditMode::MoveCutPiece:
            return row.xs == 0 && row.ys == 0 && row.dimX == 0 && row.dimY == 0 ? "Delete Cut-Piece"
                                                                                 : "Move Cut-Piece";
        case layouts::EditMode::ModifyOffcut: return "Modify Off-Cut";
        case layouts::EditMode::NewCutPiece: return "Add Cut-Piece";
        case layouts::EditMode::NewOffcut: break;
    }
    return "Add Off-Cut";
}

EditOutcome applyEdit(LayoutViewer& viewer, const layouts::EditTarget& target, const layouts::EditRow& row,
                      const std::function<void()>& beforeReload) {
    BaseModule& module = viewer.module();
    Plan edited;
    try {
        const auto overlaps = layouts::editOverlaps(viewer.result(), viewer.current(), target, row);
        if (!overlaps.empty()) {
            const Answer answer = module.prompt().ask(Message{layouts::overlapQuestion(overlaps), kAttention,
                                                              Icon::Exclamation, Buttons::YesNo, Answer::No});
            if (answer != Answer::Yes) return EditOutcome::Declined;
        }
        edited = layouts::editedPlan(viewer.result(), viewer.current(), target, row);
    } catch (const std::exception& e) {
        tellProblem(viewer, e);
        return EditOutcome::Failed;
    }
    Document& doc = module.document();
    module.history().apply(PlanEdit{editName(target, row), doc.plan, std::move(edited)}, doc.plan);
    doc.changed = true;
    return reloadViewer(viewer, beforeReload) ? EditOutcome::Stored : EditOutcome::Failed;
}

bool undoEdit(LayoutViewer& viewer, const std::function<void()>& beforeReload) {
    BaseModule& module = viewer.module();
    if (!module.history().undo(module.document().plan)) return false;
    module.document().changed = true;
    reloadViewer(viewer, beforeReload);
    return true;
}

bool redoEdit(LayoutViewer& viewer, const std::function<void()>& beforeReload) {
    BaseModule& module = viewer.module();
    if (!module.history().redo(module.document().plan)) return false;
    module.document().changed = true;
    reloadViewer(viewer, beforeReload);
    return true;
}

bool arrangeCurrentLayout(LayoutViewer& viewer, ArrangeSession& session, const std::function<void()>& beforeReload) {
    BaseModule& module = viewer.module();
    layouts::ArrangeTry attempt;
    try {
        attempt = layouts::tryArrangement(viewer.result(), viewer.current(), viewer.strategies(),
                                          readMiscSettings(module.workspace()).efficiency);
    } catch (const std::exception& e) {
        tellProblem(viewer, e);
        return false;
    }
    if (attempt.found) {
        Document& doc = module.document();
        PlanHistory& history = module.history();
        // One edit for the whole run: a later try replaces the earlier one's arrangement.
        if (session.arranged) history.undo(doc.plan);
        history.apply(PlanEdit{"Arrange Layout", doc.plan, std::move(attempt.plan)}, doc.plan);
        session.arranged = true;
    } else {
        module.prompt().tell(layouts::kNoArrangementMessage, {}, Icon::Information);
    }
    reloadViewer(viewer, beforeReload);
    return attempt.found;
}

void keepArrangement(LayoutViewer& viewer) { viewer.module().document().changed = true; }

bool restoreArrangement(LayoutViewer& viewer, ArrangeSession& session, const std::function<void()>& beforeReload) {
    if (!session.arranged) return false;
    viewer.module().history().undo(viewer.module().document().plan);
    session.arranged = false;
    reloadViewer(viewer, beforeReload);
    return true;
}

}  // namespace veltrix
