#include "engine/optimize.h"

#include <algorithm>

#include "engine/diagnosis.h"
#include "engine/plan_workers.h"
#include "engine/prepare.h"
#include "engine/search.h"
#include "base/number_text.h"

namespace veltrix::engine {
Highlight highlightOf(OptimizationMode mode) {
    switch (mode) {
        case OptimizationMode::MaximumYield: return Highlight::Yield;
        case OptimizationMode::MinimumLayouts: return Highlight::Layouts;
        case OptimizationMode::FirstComplete: break;
    }
    return Highlight::None;
}

namespace {

RunOutcome invalidRun(const std::string& message, RunObserver& observer) {
    RunOutcome outcome;
    outcome.status = RunOutcome::Status::Invalid;
    outcome.message = message;
    outcome.failed = true;
    outcome.helpTopic = kFailureHelpTopic;
    observer.messageChanged(outcome.message);
    return outcome;
}

}  // namespace

RunOutcome optimize(const Job& input, const RunSettings& settings, RunObserver& observer, std::stop_token stop) {
    observer.messageChanged(kPreparingMessage);

    PreparedJob job = prepareInput(input);
    auto invalid = validationMessage(job);
    if (!invalid) invalid = tooSmallPieceMessage(job);
    if (invalid) return invalidRun(*invalid, observer);
    addKerf(job);
    sortByArea(job);

    const long long budget = iterationBudget(job.cuts.size(), settings.efficiency);
    const bool coil = job.stock == StockMode::Coil;
    observer.runStarted(RunStart{budget, highlightOf(job.mode), coil});
    observer.messageChanged(kOptimizingMessage);

    Search search(job, budget);
    long long first = 1;
    if (settings.continueFrom > 0 && settings.continueFrom < budget) {
        first = settings.continueFrom;
        search.setBest(settings.continued.items);
    }

    RunOutcome outcome;
    outcome.lastIteration = first;
    RunFigures& figures = outcome.figures;
    figures.budget = budget;
    bool stopped = false;
    // Later iterations are built on worker threads while this thread builds the first of each
    // round, all with the bound known when the round began; the plans are then offered in order.
    PlanWorkers workers(job, budget, PlanWorkers::workersFor(settings.lanes));
    IterationPlan ownPlan;
    for (long long i = first; i <= budget && !stopped;) {
        const long long round = std::min<long long>(workers.count() + 1, budget - i + 1);
        const double bound = search.bound();
        for (long long k = 1; k < round; ++k) workers.start(static_cast<unsigned>(k - 1), i + k, bound);
        search.build(i, bound, ownPlan);
        for (long long k = 0; k < round; ++k) {
            IterationPlan& plan = k == 0 ? ownPlan : workers.wait(static_cast<unsigned>(k - 1));
            outcome.lastIteration = i + k;
            const IterationOutcome step = search.offer(plan);
            if (step.improved) ++figures.improvements;
            figures.iteration = i + k;
            figures.demandMet = step.demandMet;
            if (step.demandMet) {
                const auto& best = search.bestStatistics();
                figures.yieldText = coil ? "NA" : fixedText(best.yield * 100, 2, true);
                figures.layoutsText = std::to_string(best.layouts);
            }
            figures.remainingText = std::to_string(budget - (i + k)) + "/" + std::to_string(figures.improvements);
            observer.iterationDone(figures);
            if (stop.stop_requested()) {
                stopped = true;
                break;
            }
        }
        i += round;
    }

    outcome.status = stopped ? RunOutcome::Status::Stopped : RunOutcome::Status::Done;
    outcome.plan.items = search.best();
    outcome.message = stopped ? kStoppedMessage : kDoneMessage;
    // Failed when there is no plan at all: a continued run whose own iterations met the demand
    // nowhere still has the plan it continued from.
    if (outcome.plan.empty()) {
        outcome.message = kFailedMessage;
        outcome.reason = unplaceablePieceMessage(input).value_or(
            "No plan met the whole demand with the stock given: add sheets, or raise the nesting efficiency.");
        outcome.failed = true;
        outcome.helpTopic = kFailureHelpTopic;
    }
    observer.messageChanged(outcome.message);
    return outcome;
}

}  // namespace veltrix::engine
