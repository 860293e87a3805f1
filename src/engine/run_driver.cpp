#include "engine/run_driver.h"

#include "engine/plan_workers.h"
#include "engine/prepare.h"
#include "engine/result_files.h"
#include "engine/search.h"
#include "job/project_file.h"
#include "job/settings.h"
#include "table/file_ops.h"
#include "table/number_text.h"
#include "table/workspace.h"

namespace veltrix::engine {
namespace {

Highlight highlightOf(int mode) {
    if (mode == 1) return Highlight::Yield;
    if (mode == 2) return Highlight::Layouts;
    return Highlight::None;
}

}  // namespace

RunDriver::RunDriver(Prompt& prompt, EventPump& events, RunObserver& observer)
    : prompt_(prompt), events_(events), observer_(observer) {}

bool RunDriver::checkBeforeRun(const GridTable& basic, std::string_view reportOption,
                               const std::function<float(std::string_view)>& densityOf,
                               const std::function<void()>& editDensityTable) {
    if (leadingFloat(basic.cell(1, kTol)) > 10) {
        prompt_.ask(Message{kToleranceMessage, "", Icon::Question, Buttons::Ok, Answer::Ok});
        return false;
    }
    if (reportOption == kOptionWeight && densityOf) {
        const std::string material = basic.cell(1, kMat);
        while (densityOf(material) == 0) {
            const Answer answer =
                prompt_.ask(Message{kDensityQuestion, "Attention!", Icon::Question, Buttons::YesNo, Answer::No});
            if (answer != Answer::Yes || !editDensityTable) break;
            editDensityTable();
        }
    }
    return true;
}

void RunDriver::requestStop() {
    if (stop_.exchange(true)) return;
    observer_.messageChanged(kTerminatingMessage);
}

RunOutcome RunDriver::run(const JobTables& tables, const RunSettings& settings, RunState& state,
                          const RunStorage& storage) {
    stop_ = false;
    RunOutcome outcome;
    observer_.messageChanged(kPreparingMessage);

    PreparedJob job = prepareInput(tables, settings.stock, settings.objective);
    auto invalid = validationMessage(job);
    if (!invalid) invalid = tooSmallPieceMessage(job);
    if (invalid) {
        outcome.status = RunOutcome::Status::Invalid;
        outcome.message = *invalid;
        outcome.failed = true;
        outcome.helpTopic = kFailureHelpTopic;
        observer_.messageChanged(outcome.message);
        observer_.runFinished(outcome);
        return outcome;
    }
    addKerf(job);
    sortByArea(job);

    const long long budget = iterationBudget(job.cuts.size(), settings.efficiency);
    const bool coil = settings.stock == StockMode::Coil;
    observer_.runStarted(RunStart{budget, highlightOf(job.mode), coil});
    observer_.messageChanged(kOptimizingMessage);

    Search search(job, budget, SearchOptions{}, &events_);
    long long first = 1;
    if (state.continuation > 0 && state.continuation < budget) {
        first = state.continuation;
        if (storage.readBest) search.setBest(storage.readBest());
    } else {
        state.continuation = 1;
    }

    RunFigures& figures = outcome.figures;
    figures.budget = budget;
    bool anyMet = false;
    bool stopped = false;
    // Later iterations are built on worker threads while this thread builds the first of each
    // round, all with the bound known when the round began; the plans are then offered in order.
    PlanWorkers workers(job, budget, PlanWorkers::workersFor(settings.lanes));
    IterationPlan ownPlan;
    const auto pumpEvents = [this] { events_.processEvents(); };
    for (long long i = first; i <= budget && !stopped;) {
        const long long round = std::min<long long>(workers.count() + 1, budget - i + 1);
        const double bound = search.bound();
        for (long long k = 1; k < round; ++k) workers.start(static_cast<unsigned>(k - 1), i + k, bound);
        search.build(i, bound, ownPlan);
        for (long long k = 0; k < round; ++k) {
            IterationPlan& plan = k == 0 ? ownPlan : workers.wait(static_cast<unsigned>(k - 1), pumpEvents);
            state.continuation = i + k;
            const IterationOutcome step = search.offer(plan);
            if (step.improved) ++figures.improvements;
            figures.iteration = i + k;
            figures.demandMet = step.demandMet;
            if (step.demandMet) {
                anyMet = true;
                const auto& best = search.bestStatistics();
                figures.yieldText = coil ? "NA" : fixedText(best.yield * 100, 2, true);
                figures.layoutsText = std::to_string(best.layouts);
            }
            figures.remainingText = std::to_string(budget - (i + k)) + "/" + std::to_string(figures.improvements);
            observer_.iterationDone(figures);
            if (stop_) {
                stopped = true;
                break;
            }
        }
        i += round;
    }

    outcome.status = stopped ? RunOutcome::Status::Stopped : RunOutcome::Status::Done;
    outcome.result = search.best();
    if (storage.write) storage.write(outcome.result);
    outcome.resultWritten = true;
    outcome.message = stopped ? kStoppedMessage : kDoneMessage;
    if (!anyMet) {
        outcome.message = kFailedMessage;
        outcome.failed = true;
        outcome.helpTopic = kFailureHelpTopic;
    }
    observer_.messageChanged(outcome.message);
    observer_.runFinished(outcome);
    return outcome;
}

bool checkBeforeRun(RunDriver& driver, const GridTable& basic, const Workspace& workspace,
                    const std::function<void()>& editDensityTable) {
    return driver.checkBeforeRun(
        basic, reportOption(workspace), [&](std::string_view material) { return densityOf(workspace, material); },
        editDensityTable);
}

void saveRunProject(const Workspace& workspace) {
    writeProjectFile(workspace.file(kRunProjectFile), packProject(workspace));
}

RunOutcome runInWorkspace(RunDriver& driver, const Workspace& workspace, StockMode stock, RunState& state) {
    JobTables tables;
    tables.bind(workspace);
    tables.load();
    RunSettings settings;
    settings.stock = stock;
    settings.objective = parseOptions(readWholeFile(workspace.file(kOptionsFile)));
    settings.efficiency = readMiscSettings(workspace).efficiency;
    const auto resultFile = workspace.file(kResultFile);
    RunStorage storage;
    storage.readBest = [&] { return readLayoutItems(resultFile); };
    storage.write = [&](const std::vector<LayoutItem>& items) { writeLayoutItems(resultFile, items); };
    return driver.run(tables, settings, state, storage);
}

}  // namespace veltrix::engine
