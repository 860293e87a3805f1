#include "engine/search.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace veltrix::engine {
namespace {

bool anyPositive(const std::vector<float>& quantities) {
    return std::any_of(quantities.begin(), quantities.end(), [](float q) { return q > 0; });
}

// A candidate replaces the best one with a higher yield; at equal yield with a larger largest
// off-cut; at equal yield and off-cut with fewer through cuts.
bool betterCandidate(const CandidateFigures& a, const CandidateFigures& b) {
    const double ya = a.yield(), yb = b.yield();
    if (ya != yb) return ya > yb;
    if (a.largestOffcut != b.largestOffcut) return a.largestOffcut > b.largestOffcut;
    return a.throughCuts < b.throughCuts;
}

}  // namespace

Search::Search(const PreparedJob& job, long long budget, SearchOptions options)
    : job_(job),
      budget_(budget),
      options_(options),
      blade_(job.basic.blade + job.basic.kerf),
      trial_(job.sheets, job.cuts, blade_, job.basic.tolerance, job.basic.minOffcut),
      bestCandidate_(job.sheets, job.cuts, blade_, job.basic.tolerance, job.basic.minOffcut) {
    for (const auto& s : job.sheets) sheetStock_.push_back(s.quantity);
    for (const auto& c : job.cuts) cutDemand_.push_back(c.quantity);
}

void Search::setBest(std::vector<LayoutItem> best) {
    best_ = std::move(best);
    bestStats_ = solutionStatistics(best_);
    bestLastArea_ = lastLayoutPieceArea(best_);
}

bool Search::beatsBest(const SolutionStatistics& stats, double lastArea) const {
    if (best_.empty()) return true;
    const SolutionStatistics& b = bestStats_;
    switch (job_.mode) {
        case OptimizationMode::MaximumYield:  // yield, then fewer layouts, then the smaller last layout
            if (stats.yield != b.yield) return stats.yield > b.yield;
            if (stats.layouts != b.layouts) return stats.layouts < b.layouts;
            return lastArea < bestLastArea_;
        case OptimizationMode::MinimumLayouts:  // fewer layouts, then yield, then the smaller last layout
            if (stats.layouts != b.layouts) return stats.layouts < b.layouts;
            if (stats.yield != b.yield) return stats.yield > b.yield;
            return lastArea < bestLastArea_;
        case OptimizationMode::FirstComplete: break;  // the first complete plan stays
    }
    return false;
}

// One layout step: the best candidate over the sheets with stock and the strategies. Returns false
// when no candidate can be repeated (none acceptable, or it uses no piece, or not even once).
template <class Generator>
bool Search::buildLayout(IterationPhase phase, Generator& random) {
    bool found = false;
    CandidateFigures bestFigures;
    for (std::size_t s = 0; s < job_.sheets.size(); ++s) {
        if (!(workSheets_[s] > 0)) continue;
        for (int number = 1; number <= kStrategyCount; ++number) {
            const FillStrategy strategy = strategyOfNumber(number);
            if (options_.onlyStrategy && strategy != *options_.onlyStrategy) continue;
            if (!LayoutBuilder::applicable(job_.sheets[s], blade_, strategy)) continue;  // draws nothing
            trial_.startLayout(static_cast<int>(s) + 1, workCuts_);
            const bool randomSelection = phase.ordered() ? true : random.draw(0, 1) == 1;
            trial_.fill(strategy, phase, randomSelection, random);
            if (!trial_.offcutsAcceptable()) continue;
            const CandidateFigures figures = trial_.figures();
            if (!found || betterCandidate(figures, bestFigures)) {
                trial_.swapCandidate(bestCandidate_);
                bestFigures = figures;
                found = true;
            }
        }
    }
    if (!found) return false;

    // Repeat count: as often as every variety the candidate uses still allows, and the sheets.
    const std::vector<float>& trialCuts = bestCandidate_.quantities();
    float repeat = 1e20f;
    bool usesPieces = false;
    for (std::size_t c = 0; c < workCuts_.size(); ++c) {
        const float used = workCuts_[c] - trialCuts[c];
        if (!(used > 0)) continue;
        usesPieces = true;
        repeat = std::min(repeat, std::floor(workCuts_[c] / used));
    }
    if (!usesPieces) return false;
    const std::size_t sheet = static_cast<std::size_t>(bestCandidate_.sheet() - 1);
    repeat = std::min(repeat, workSheets_[sheet]);
    if (!(repeat > 0)) return false;

    const float quantity = options_.singleLayout ? 1.0f : repeat;
    const int layout = current_.empty() ? 1 : current_.back().layout + 1;
    workSheets_[sheet] -= quantity;
    for (std::size_t c = 0; c < workCuts_.size(); ++c) {
        const float used = workCuts_[c] - trialCuts[c];
        workCuts_[c] -= used * quantity;
    }
    for (const LayoutItem& item : bestCandidate_.items()) {
        if (item.kind == ItemKind::Consumed) continue;
        current_.push_back(item);
        current_.back().layout = layout;
        current_.back().quantity = quantity;
    }
    return true;
}

IterationOutcome Search::iterate(long long iteration) {
    build(iteration, bound(), plan_);
    return offer(plan_);
}

void Search::build(long long iteration, double bound, IterationPlan& plan) {
    if (options_.reseedEachIteration) {
        draws_ += random_.taken();
        if (options_.referencePath)
            referenceRandom_.seed(static_cast<std::uint32_t>(iteration));
        else
            random_.seed(static_cast<std::uint32_t>(iteration));
    }
    const IterationPhase phase{iteration, budget_};
    workSheets_.assign(sheetStock_.begin(), sheetStock_.end());
    workCuts_.assign(cutDemand_.begin(), cutDemand_.end());
    current_.clear();

    plan.iteration = iteration;
    plan.complete = false;
    plan.cutOff = false;
    plan.sheetArea = 0;
    plan.layouts = 0;
    while (anyPositive(workSheets_) && anyPositive(workCuts_)) {
        const std::size_t first = current_.size();
        if (!(options_.referencePath ? buildLayout(phase, referenceRandom_) : buildLayout(phase, random_))) break;
        ++plan.layouts;
        plan.sheetArea += itemArea(current_[first]) * static_cast<double>(current_[first].quantity);
        // Bound: a plan that already uses more sheet area than the best cannot win.
        if (bound >= 0 && plan.sheetArea > bound) {
            plan.cutOff = true;
            break;
        }
    }
    plan.complete = !plan.cutOff && !anyPositive(workCuts_);
    plan.items.swap(current_);
}

IterationOutcome Search::offer(IterationPlan& plan) {
    IterationOutcome outcome;
    outcome.layouts = plan.layouts;
    // Cut short by the bound it was built with, or by the best plan's: the sheet areas of the
    // layouts add up without ever falling, so the sum exceeds the bound exactly when some
    // layout's running sum did.
    if (plan.cutOff || !plan.complete) return outcome;
    if (!best_.empty() && plan.sheetArea > bestStats_.sheetArea) return outcome;

    outcome.demandMet = true;
    if (options_.singleLayout && outcome.layouts != 1) return outcome;
    const SolutionStatistics stats = solutionStatistics(plan.items);
    const double lastArea = lastLayoutPieceArea(plan.items);
    if (beatsBest(stats, lastArea)) {
        best_.swap(plan.items);
        bestStats_ = stats;
        bestLastArea_ = lastArea;
        outcome.improved = true;
    }
    return outcome;
}

}  // namespace veltrix::engine
