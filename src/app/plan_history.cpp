#include "app/plan_history.h"

#include <utility>

namespace veltrix {

void PlanHistory::apply(PlanEdit edit, Plan& plan) {
    edits_.resize(done_);
    plan = edit.after;
    edits_.push_back(std::move(edit));
    done_ = edits_.size();
}

bool PlanHistory::undo(Plan& plan) {
    if (!canUndo()) return false;
    --done_;
    plan = edits_[done_].before;
    return true;
}

bool PlanHistory::redo(Plan& plan) {
    if (!canRedo()) return false;
    plan = edits_[done_].after;
    ++done_;
    return true;
}

std::string PlanHistory::undoName() const { return canUndo() ? edits_[done_ - 1].name : std::string(); }
std::string PlanHistory::redoName() const { return canRedo() ? edits_[done_].name : std::string(); }

void PlanHistory::clear() {
    edits_.clear();
    done_ = 0;
}

}  // namespace veltrix
