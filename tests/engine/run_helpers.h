#pragma once
// Running the engine in tests: a recording observer and a run over in-memory job grids.

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/result_files.h"
#include "engine/run_driver.h"
#include "plan_checker.h"
#include "platform/event_pump.h"
#include "platform/prompt.h"

namespace veltrix::test {

// Records what the progress dialog would show; can stop the run after a given iteration.
class RecordingObserver : public engine::RunObserver {
public:
    void messageChanged(const std::string& text) override { messages.push_back(text); }
    void runStarted(const engine::RunStart& start) override { starts.push_back(start); }
    void iterationDone(const engine::RunFigures& figures) override {
        iterations.push_back(figures);
        if (stopAfter > 0 && figures.iteration == stopAfter && driver != nullptr) driver->requestStop();
    }
    void runFinished(const engine::RunOutcome& outcome) override { finished.push_back(outcome.message); }

    std::vector<std::string> messages;
    std::vector<engine::RunStart> starts;
    std::vector<engine::RunFigures> iterations;
    std::vector<std::string> finished;
    long long stopAfter = 0;
    engine::RunDriver* driver = nullptr;
};

// Counts the event-processing calls (one per layout built).
class CountingPump : public EventPump {
public:
    void processEvents() override { ++calls; }
    long long calls = 0;
};

struct TestRun {
    engine::RunOutcome outcome;
    std::string stored;  // the dia.tlf text the run stored ("" also when nothing was stored)
    bool storedAnything = false;
    RecordingObserver observer;
    ScriptedPrompt prompt;
    CountingPump pump;
};

// Runs the driver on the grids with the given settings; `storedBest` is the dia.tlf text a
// continued run reads; the run stops after iteration `stopAfter` when it is above 0. Every plan the
// run stores is checked by the plan checker against the job, unless `checkResult` is false (a
// stored plan of another job handed through on purpose).
inline void runJob(TestRun& run, const JobTables& tables, const engine::RunSettings& settings,
                   engine::RunState& state, const std::string& storedBest = "", long long stopAfter = 0,
                   bool checkResult = true) {
    engine::RunDriver driver(run.prompt, run.pump, run.observer);
    run.observer.driver = &driver;
    run.observer.stopAfter = stopAfter;
    engine::RunStorage storage;
    storage.readBest = [&] { return engine::parseLayoutItems(storedBest); };
    storage.write = [&](const std::vector<engine::LayoutItem>& items) {
        run.stored = engine::layoutItemsText(items);
        run.storedAnything = true;
    };
    run.outcome = driver.run(tables, settings, state, storage);
    run.observer.driver = nullptr;
    if (checkResult && !run.stored.empty()) {
        const PlanCheck check = checkPlan(tables.basic.saveText(), tables.sheets.saveText(), tables.cuts.saveText(),
                                          settings.stock == StockMode::Coil, run.stored);
        EXPECT_TRUE(check.ok()) << check.summary();
    }
}

}  // namespace veltrix::test
