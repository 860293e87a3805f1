#pragma once
// Running the engine in tests: a recording observer that can stop the run, and a run over job
// grids whose plan goes through the independent plan checker.

#include <stop_token>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/optimize.h"
#include "job/job.h"
#include "plan_checker.h"

namespace veltrix::test {

// Records what the progress dialog would show; requests a stop after iteration `stopAfter`.
class RecordingObserver : public engine::RunObserver {
public:
    void messageChanged(const std::string& text) override { messages.push_back(text); }
    void runStarted(const engine::RunStart& start) override { starts.push_back(start); }
    void iterationDone(const engine::RunFigures& figures) override {
        iterations.push_back(figures);
        if (stopAfter > 0 && figures.iteration == stopAfter) stop.request_stop();
    }

    std::vector<std::string> messages;
    std::vector<engine::RunStart> starts;
    std::vector<engine::RunFigures> iterations;
    long long stopAfter = 0;
    std::stop_source stop;
};

struct TestRun {
    engine::RunOutcome outcome;
    std::string plan;  // the dia.tlf text of the outcome's plan
    RecordingObserver observer;
};

// Runs the engine on the job of the grids; the run stops after iteration `stopAfter` when it is
// above 0. A plan that is not empty is checked by the plan checker against the grids, unless
// `checkResult` is false (a continued plan of another job handed through on purpose).
inline void runJob(TestRun& run, const JobTables& tables, StockMode mode, const Objective& objective,
                   const engine::RunSettings& settings, long long stopAfter = 0, bool checkResult = true) {
    run.observer.stopAfter = stopAfter;
    run.outcome = engine::optimize(readJob(tables, mode, objective), settings, run.observer, run.observer.stop.get_token());
    run.plan = planText(run.outcome.plan);
    if (checkResult && !run.plan.empty()) {
        const PlanCheck check = checkPlan(tables.basic.saveText(), tables.sheets.saveText(), tables.cuts.saveText(),
                                          mode == StockMode::Coil, run.plan);
        EXPECT_TRUE(check.ok()) << check.summary();
    }
}

}  // namespace veltrix::test
