#pragma once
// The Layouts window's commands that change the plan: a cut-piece or off-cut edited, added or
// deleted by hand, alternate arrangements of the current layout, and undo and redo of these. Each
// is an edit on the plan's history; the viewer is then loaded again, so the drawing, the report and
// the off-cut table follow. The windows in between (AddNew, Edit, ALT) are the user interface's;
// these are the steps around them. Problems are told through the base module's prompt.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "job/plan.h"
#include "layouts/layout_editing.h"

namespace veltrix {

class LayoutViewer;

// What a press on the picture at (x, y) in job units edits: the cut-piece or off-cut hit, or
// nothing (something is to be added).
std::optional<layouts::EditTarget> editTargetAt(const LayoutViewer& viewer, double x, double y);

// The row the Edit window opens with for the target on the current layout; nothing (the user
// told) when the target does not belong to it.
std::optional<layouts::EditRow> editRowOf(LayoutViewer& viewer, const layouts::EditTarget& target);
// The AddNew window's lines: "Off-Cut", then one per cut-piece variety.
std::vector<std::string> addList(const LayoutViewer& viewer);
// The target of the AddNew window's choice: 0 a new off-cut, k cut-piece variety k.
layouts::EditTarget addTarget(int choice);

// The name of an edit, as the Edit menu shows it: "Move Cut-Piece", "Delete Cut-Piece", "Modify
// Off-Cut", "Add Cut-Piece", "Add Off-Cut".
std::string editName(const layouts::EditTarget& target, const layouts::EditRow& row);

enum class EditOutcome { Stored, Declined, Failed };

// The Edit window's row applied to the current layout: the edit goes on the plan's history, the
// changed flag is set and the viewer loaded again on the same layout. `beforeReload` runs first
// (the report and off-cut windows close before their files are written anew). An edit that would
// overlap another piece or off-cut, or reach into a trim margin, is applied only when the user
// answers Yes to "This overlaps ... Keep it anyway?" (No preselected): Declined otherwise.
EditOutcome applyEdit(LayoutViewer& viewer, const layouts::EditTarget& target, const layouts::EditRow& row,
                      const std::function<void()>& beforeReload = {});

// Ctrl+Z and Ctrl+Y: the last edit taken back or given back again, the viewer loaded again.
// False when there was nothing to undo or redo.
bool undoEdit(LayoutViewer& viewer, const std::function<void()>& beforeReload = {});
bool redoEdit(LayoutViewer& viewer, const std::function<void()>& beforeReload = {});

// One run of "Arrange" (the ALT window open until the user keeps an arrangement or goes back).
struct ArrangeSession {
    bool arranged = false;  // an arrangement of this run stands in the plan, as the history's last edit
};

// One try of "Arrange" on the current layout: the next strategies are tried; an arrangement found
// replaces the layout (one edit "Arrange Layout" on the history for the whole run, holding the
// plan from before its first try). When none is found the plan stays and the user is told. The
// viewer is loaded again either way. Returns whether an arrangement was found.
bool arrangeCurrentLayout(LayoutViewer& viewer, ArrangeSession& session,
                          const std::function<void()>& beforeReload = {});
// "Keep This Arrangement": the changed flag set.
void keepArrangement(LayoutViewer& viewer);
// "Original Arrangement": the run's arrangement undone, the viewer loaded again. False (nothing
// changed) when the run arranged nothing.
bool restoreArrangement(LayoutViewer& viewer, ArrangeSession& session,
                        const std::function<void()>& beforeReload = {});

}  // namespace veltrix
