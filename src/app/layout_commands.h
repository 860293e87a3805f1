#pragma once
// The Layouts window's commands that change the result: a cut-piece or off-cut edited, added or
// deleted by hand, and alternate arrangements of the current layout. Each stores the result in
// dia.tlf and loads the viewer again, so the drawing, the report and the off-cut table follow.
// The windows in between (AddNew, Edit, ALT) are the user interface's; these are the steps
// around them. Problems are told through the base module's prompt.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "layouts/layout_editing.h"

namespace veltrix {

class LayoutViewer;

// What a press on the picture at (x, y) in job units edits: the cut-piece or off-cut hit, or
// nothing (something is to be added).
std::optional<layouts::EditTarget> editTargetAt(const LayoutViewer& viewer, double x, double y);

// Writes edit.tlf for the target on the current layout. False (the user told) when it cannot.
bool prepareEdit(LayoutViewer& viewer, const layouts::EditTarget& target);
// Writes addnew.lst and returns its lines ("Off-Cut", then one per cut-piece variety); nothing
// (the user told) when it cannot be written.
std::optional<std::vector<std::string>> prepareAddList(LayoutViewer& viewer);
// The target of the AddNew window's choice: 0 a new off-cut, k cut-piece variety k.
layouts::EditTarget addTarget(int choice);

enum class EditOutcome { Cancelled, Stored, Failed };

// After the Edit window closed: Cancelled when it deleted edit.tlf; otherwise the edit is stored
// in dia.tlf, the changed flag set, and the viewer loaded again on the same layout. `beforeReload`
// runs first (the report and off-cut windows close before their files are written anew).
EditOutcome finishEdit(LayoutViewer& viewer, const layouts::EditTarget& target,
                       const std::function<void()>& beforeReload = {});

// One try of "Arrange" on the current layout: on the first try of a run of the command the result
// is kept in diaalt.tlf; the next strategies are tried, an arrangement found replaces the layout
// in dia.tlf. When none is found the result stays and the user is told. The viewer is loaded
// again either way. Returns whether an arrangement was found.
bool arrangeCurrentLayout(LayoutViewer& viewer, bool firstTry, const std::function<void()>& beforeReload = {});
// "Keep This Arrangement": the changed flag set.
void keepArrangement(LayoutViewer& viewer);
// "Original Arrangement": diaalt.tlf back over dia.tlf, the viewer loaded again. False (nothing
// changed) when no arrangement was kept.
bool restoreArrangement(LayoutViewer& viewer, const std::function<void()>& beforeReload = {});

}  // namespace veltrix
