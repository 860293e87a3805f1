#pragma once
// Hand edits of a plan (a piece moved, an off-cut changed, something added or deleted, a layout
// arranged anew) as commands that can be undone and redone: Ctrl+Z and Ctrl+Y in the Layouts
// window, and "Original Arrangement", which undoes the arrangement it follows.
//
//     history.apply(PlanEdit{"Move Cut-Piece", doc.plan, edited}, doc.plan);   // doc.plan == edited
//     history.undo(doc.plan);                                                  // the plan before, exactly
//     history.redo(doc.plan);

#include <cstddef>
#include <string>
#include <vector>

#include "job/plan.h"

namespace veltrix {

// One edit: the plan before and after it. Keeping both makes undo give back exactly the plan the
// edit started from, items that were consumed or renumbered included.
struct PlanEdit {
    std::string name;  // what the edit did, for the Edit menu: "Move Cut-Piece", "Arrange Layout", ...
    Plan before;
    Plan after;
};

class PlanHistory {
public:
    // Makes `plan` the edit's result and records the edit; edits undone before are forgotten.
    void apply(PlanEdit edit, Plan& plan);
    // Takes back the last edit, or gives it back again; false (the plan unchanged) when there is
    // none.
    bool undo(Plan& plan);
    bool redo(Plan& plan);

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < edits_.size(); }
    // The name of the edit undo or redo would act on; empty when there is none.
    std::string undoName() const;
    std::string redoName() const;

    // Forgets every edit (a new run, another job, a change of the job tables).
    void clear();

private:
    std::vector<PlanEdit> edits_;
    std::size_t done_ = 0;  // edits_[0 .. done_) are applied
};

}  // namespace veltrix
