#include "engine/run_driver.h"

#include <gtest/gtest.h>

#include "engine/statistics.h"
#include "job/job_file.h"
#include "job/project_file.h"
#include "job_builder.h"
#include "plan_checker.h"
#include "run_helpers.h"
#include "support/temp_folder.h"
#include "table/error.h"
#include "table/number_text.h"
#include "table/workspace.h"

namespace veltrix::engine {
namespace {

using test::JobBuilder;
using test::TestRun;

RunSettings settingsFor(const JobFile& job, int efficiency) {
    RunSettings s;
    s.stock = job.mode;
    s.objective = job.objective;
    s.efficiency = efficiency;
    return s;
}

void expectValid(const JobBuilder& b, bool coil, const std::string& plan) {
    const test::PlanCheck check = test::checkPlan(b.basic, b.sheets, b.cuts, coil, plan);
    EXPECT_TRUE(check.ok()) << check.summary();
}

TEST(RunDriver, OneVarietyAtEfficiencyTenMakesSixtyFourIterations) {
    JobBuilder b;
    b.basicRow({"PB", "", "18", "3100", "0", "4", "0", ""});
    b.sheet("2440", "1220", "5", "10", "10", "10", "10").cut("500", "300", "7", "", "SHELF");
    RunState state;
    TestRun run;
    test::runJob(run, b.tables(), RunSettings{}, state);

    ASSERT_EQ(run.observer.starts.size(), 1u);
    EXPECT_EQ(run.observer.starts[0].budget, 64);
    EXPECT_EQ(run.observer.starts[0].highlight, Highlight::Yield);
    ASSERT_EQ(run.observer.iterations.size(), 64u);
    EXPECT_EQ(run.observer.iterations.front().iteration, 1);
    EXPECT_EQ(run.observer.iterations.front().remainingText, "63/1");
    EXPECT_EQ(run.observer.iterations.back().remainingText.substr(0, 2), "0/");
    EXPECT_EQ(state.continuation, 64);
    EXPECT_EQ(run.observer.messages.front(), "Preparing...");
    EXPECT_EQ(run.observer.messages[1], "Optimizing...");
    EXPECT_EQ(run.outcome.message, "Optimization done.");
    EXPECT_EQ(run.observer.messages.back(), "Optimization done.");
    EXPECT_FALSE(run.outcome.failed);
    EXPECT_EQ(run.outcome.helpTopic, 0);
    ASSERT_TRUE(run.storedAnything);
    expectValid(b, false, run.stored);
    // Seven pieces of 504 x 304 fit on one sheet of 1224 x 2444 (3 across, 4 down).
    const auto stats = solutionStatistics(parseLayoutItems(run.stored));
    EXPECT_EQ(stats.layouts, 1);
    EXPECT_EQ(run.outcome.figures.layoutsText, "1");
    EXPECT_EQ(run.outcome.figures.yieldText, fixedText(stats.yield * 100, 2, true));
    EXPECT_EQ(stats.yield, roundYield(7.0 * 504 * 304 / (1224.0 * 2444)));
    // Events are processed once per layout built: at least once per iteration.
    EXPECT_GE(run.pump.calls, 64);
}

TEST(RunDriver, DemandBeyondTheStockFails) {
    JobBuilder b;
    b.basicRow({"PB", "", "18", "3100", "0", "4", "0", ""});
    b.sheet("1000", "1000", "1").cut("600", "600", "3");  // one per sheet, one sheet
    RunState state;
    TestRun run;
    test::runJob(run, b.tables(), RunSettings{}, state);
    EXPECT_EQ(run.outcome.status, RunOutcome::Status::Done);
    EXPECT_EQ(run.outcome.message, "Optimization failed.");
    EXPECT_TRUE(run.outcome.failed);
    EXPECT_EQ(run.outcome.helpTopic, kFailureHelpTopic);
    EXPECT_TRUE(run.storedAnything);  // an empty result is written
    EXPECT_EQ(run.stored, "");
    EXPECT_EQ(run.outcome.figures.yieldText, "0");
    EXPECT_EQ(run.outcome.figures.layoutsText, "0");
}

TEST(RunDriver, ValidationMessageEndsTheRunWithoutWriting) {
    JobBuilder b;
    b.basicRow({"PB", "", "18", "3100", "0", "4", "0", ""});
    b.sheet("2440", "3200", "5").cut("500", "300", "1");  // wider than the blade
    RunState state;
    TestRun run;
    test::runJob(run, b.tables(), RunSettings{}, state);
    EXPECT_EQ(run.outcome.status, RunOutcome::Status::Invalid);
    EXPECT_EQ(run.outcome.message, "No valid SHEETS specified.");
    EXPECT_EQ(run.observer.messages.back(), "No valid SHEETS specified.");
    EXPECT_EQ(run.outcome.helpTopic, kFailureHelpTopic);
    EXPECT_FALSE(run.storedAnything);
    EXPECT_TRUE(run.observer.starts.empty());

    TestRun coil;
    RunSettings coilSettings;
    coilSettings.stock = StockMode::Coil;
    test::runJob(coil, b.tables(), coilSettings, state);
    EXPECT_EQ(coil.outcome.message, "No valid COILS specified.");
}

TEST(RunDriver, PieceNoLargerThanTheToleranceIsRejectedBeforeTheRun) {
    JobBuilder b;
    b.basicRow({"PB", "", "18", "3100", "6", "2", "0", ""});
    b.sheet("2440", "1220", "5").cut("500", "300", "1").cut("4", "300", "2", "", "LATH");
    RunState state;
    TestRun run;
    test::runJob(run, b.tables(), RunSettings{}, state);
    EXPECT_EQ(run.outcome.status, RunOutcome::Status::Invalid);
    EXPECT_NE(run.outcome.message.find("4 x 300 (LATH)"), std::string::npos) << run.outcome.message;
    EXPECT_FALSE(run.storedAnything);
}

TEST(RunDriver, ReproducibleAndStopThenContinueEqualsAnUninterruptedRun) {
    const JobFile job = readJobFile(test::dataFile("conformance/cabinet.opt"));
    const RunSettings settings = settingsFor(job, 5);  // N = 6 x 32 = 192
    RunState fullState;
    TestRun full;
    test::runJob(full, job.tables, settings, fullState);
    RunState againState;
    TestRun again;
    test::runJob(again, job.tables, settings, againState);
    EXPECT_EQ(again.stored, full.stored);
    ASSERT_FALSE(full.stored.empty());

    for (long long k : {1LL, 10LL, 70LL, 150LL}) {
        RunState state;
        TestRun first;
        test::runJob(first, job.tables, settings, state, "", k);
        EXPECT_EQ(first.outcome.status, RunOutcome::Status::Stopped);
        EXPECT_EQ(state.continuation, k);
        EXPECT_EQ(first.observer.messages.back(), first.outcome.message);
        EXPECT_NE(std::find(first.observer.messages.begin(), first.observer.messages.end(), "Terminating..."),
                  first.observer.messages.end());
        TestRun second;
        test::runJob(second, job.tables, settings, state, first.stored);
        EXPECT_EQ(second.observer.iterations.front().iteration, k);
        EXPECT_EQ(second.stored, full.stored) << "stopped after " << k;
        EXPECT_EQ(state.continuation, 192);
    }
}

TEST(RunDriver, StopMessageAndAFinishedRunStartsAfresh) {
    const JobFile job = readJobFile(test::dataFile("conformance/merge.opt"));
    const RunSettings settings = settingsFor(job, 1);  // N = 4 x 6 = 24
    RunState state;
    TestRun stopped;
    test::runJob(stopped, job.tables, settings, state, "", 1);
    EXPECT_EQ(stopped.observer.iterations.size(), 1u);
    EXPECT_EQ(stopped.outcome.message, kStoppedMessage);
    EXPECT_FALSE(stopped.outcome.failed);
    // Continuing: the run repeats iteration 1 onwards; when it ends, the next run starts afresh.
    TestRun continued;
    test::runJob(continued, job.tables, settings, state, stopped.stored);
    EXPECT_EQ(continued.observer.iterations.size(), 24u);
    EXPECT_EQ(state.continuation, 24);
    TestRun fresh;
    test::runJob(fresh, job.tables, settings, state, "1,-1,1,0,0,1,1,1,0\r\n");
    EXPECT_EQ(fresh.observer.iterations.front().iteration, 1);
    EXPECT_EQ(fresh.stored, continued.stored);  // the stored plan was not read
}

TEST(RunDriver, ContinuedRunShowsTheStoredBestAndFailsWhenNothingMeetsTheDemand) {
    // The stored plan (read back when continuing) is better than anything the run finds, so it
    // stays; the figures show it.
    JobBuilder b;
    b.basicRow({"PB", "", "18", "3100", "0", "0", "0", ""});
    b.sheet("1000", "1000", "5").cut("1000", "1000", "1");
    const std::string stored = "1,-1,1,0,0,1000,1000,1,0\r\n1,1,1,0,0,1000,1000,1,1\r\n";
    RunState state{3};
    TestRun run;
    test::runJob(run, b.tables(), RunSettings{}, state, stored);
    EXPECT_EQ(run.observer.iterations.front().iteration, 3);
    EXPECT_EQ(run.outcome.figures.yieldText, "100.00");
    EXPECT_EQ(run.stored, stored);
    EXPECT_EQ(run.outcome.figures.improvements, 0);

    // A continued run in which no iteration meets the demand ends failed, yet keeps the stored plan.
    JobBuilder impossible;
    impossible.basicRow({"PB", "", "18", "3100", "0", "0", "0", ""});
    impossible.sheet("1000", "1000", "1").cut("600", "600", "2");
    RunState again{2};
    TestRun failed;
    test::runJob(failed, impossible.tables(), RunSettings{}, again, stored, 0, false);
    EXPECT_EQ(failed.outcome.message, "Optimization failed.");
    EXPECT_EQ(failed.stored, stored);
}

TEST(RunDriver, ModeZeroKeepsTheFirstCompletePlan) {
    const JobFile job = readJobFile(test::dataFile("conformance/cabinet.opt"));
    RunSettings settings = settingsFor(job, 2);
    settings.objective = Objective{false, false};
    RunState state;
    TestRun run;
    test::runJob(run, job.tables, settings, state);
    EXPECT_EQ(run.observer.starts[0].highlight, Highlight::None);
    EXPECT_EQ(run.outcome.figures.improvements, 1);
    // Iteration 1 already meets the demand: its plan is the one kept.
    RunState firstOnly;
    TestRun one;
    test::runJob(one, job.tables, settings, firstOnly, "", 1);
    ASSERT_TRUE(one.observer.iterations[0].demandMet);
    EXPECT_EQ(run.stored, one.stored);
}

TEST(RunDriver, ObjectivesChooseDifferentlyAndBothPlansAreValid) {
    const JobFile job = readJobFile(test::dataFile("conformance/two_sheets_layouts.opt"));
    RunSettings yield = settingsFor(job, 4);
    yield.objective = Objective{true, false};
    RunSettings layouts = settingsFor(job, 4);
    layouts.objective = Objective{false, true};
    RunState s1, s2;
    TestRun byYield, byLayouts;
    test::runJob(byYield, job.tables, yield, s1);
    test::runJob(byLayouts, job.tables, layouts, s2);
    const auto y = solutionStatistics(parseLayoutItems(byYield.stored));
    const auto l = solutionStatistics(parseLayoutItems(byLayouts.stored));
    // With no tolerance every complete plan has the same piece area, so the plan kept for its yield
    // has at least the yield of the one kept for its few layouts.
    EXPECT_GE(y.yield, l.yield);
    EXPECT_EQ(byLayouts.observer.starts[0].highlight, Highlight::Layouts);
    const std::string project = test::readFile(test::dataFile("conformance/two_sheets_layouts.opt"));
    for (const std::string* plan : {&byYield.stored, &byLayouts.stored}) {
        const auto check = test::checkProjectPlan(project, false, *plan);
        EXPECT_TRUE(check.ok()) << check.summary();
    }
}

TEST(RunDriver, BlocksNeverExceedTheDemandSoPlainJobsSucceed) {
    // Five pieces fit in the one row of the sheet but only three are wanted. A block of five would
    // have the best yield and could not be repeated even once; capped at the demand, every
    // iteration cuts the three pieces from the one sheet.
    JobBuilder b;
    b.basicRow({"PB", "", "18", "3100", "0", "0", "0", ""});
    b.sheet("200", "1000", "1").cut("200", "200", "3");
    RunState state;
    TestRun run;
    test::runJob(run, b.tables(), RunSettings{}, state);
    EXPECT_EQ(run.outcome.message, "Optimization done.");
    ASSERT_EQ(run.observer.iterations.size(), 64u);
    for (const auto& f : run.observer.iterations) EXPECT_TRUE(f.demandMet) << f.iteration;
    expectValid(b, false, run.stored);
}

TEST(RunDriver, CoilModeShowsNAAndUsesEndlessCoils) {
    const JobFile job = readJobFile(test::dataFile("conformance/coil.dcm"));
    RunState state;
    TestRun run;
    test::runJob(run, job.tables, settingsFor(job, 2), state);
    EXPECT_TRUE(run.observer.starts[0].coil);
    EXPECT_EQ(run.outcome.figures.yieldText, "NA");
    EXPECT_EQ(run.outcome.figures.layoutsText, "1");
    const auto check = test::checkProjectPlan(test::readFile(test::dataFile("conformance/coil.dcm")), true, run.stored);
    EXPECT_TRUE(check.ok()) << check.summary();
}

TEST(CheckBeforeRun, ToleranceAboveTenIsRefused) {
    test::RecordingObserver observer;
    ScriptedPrompt prompt;
    NullEventPump pump;
    RunDriver driver(prompt, pump, observer);
    JobBuilder b;
    b.basicRow({"PB", "", "18", "3100", "10", "4", "0", ""});
    EXPECT_TRUE(driver.checkBeforeRun(b.tables().basic, "Area", {}));
    EXPECT_TRUE(prompt.messages.empty());
    b.basicRow({"PB", "", "18", "3100", "10.5", "4", "0", ""});
    EXPECT_FALSE(driver.checkBeforeRun(b.tables().basic, "Area", {}));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, "Tolerance should not exceed 10");
    EXPECT_EQ(prompt.messages[0].icon, Icon::Question);
    EXPECT_EQ(prompt.messages[0].title, "");
}

TEST(CheckBeforeRun, DensityIsAskedOnlyForWeights) {
    test::RecordingObserver observer;
    NullEventPump pump;
    JobBuilder b;
    b.basicRow({"OAK", "", "18", "3100", "0", "4", "0", ""});
    const JobTables t = b.tables();
    int lookups = 0;
    float density = 0;
    auto densityOf = [&](std::string_view material) {
        ++lookups;
        EXPECT_EQ(material, "OAK");
        return density;
    };
    // "Area": the table is not consulted.
    ScriptedPrompt none;
    RunDriver area(none, pump, observer);
    EXPECT_TRUE(area.checkBeforeRun(t.basic, "Area", densityOf));
    EXPECT_EQ(lookups, 0);
    // "Weight", answered Yes: the table is edited and looked at again; then the density is found.
    ScriptedPrompt yes({Answer::Yes});
    RunDriver weight(yes, pump, observer);
    int edits = 0;
    EXPECT_TRUE(weight.checkBeforeRun(t.basic, "Weight", densityOf, [&] {
        ++edits;
        density = 0.7f;
    }));
    EXPECT_EQ(edits, 1);
    EXPECT_EQ(lookups, 2);
    ASSERT_EQ(yes.messages.size(), 1u);
    EXPECT_EQ(yes.messages[0].text, kDensityQuestion);
    EXPECT_EQ(yes.messages[0].title, "Attention!");
    EXPECT_EQ(yes.messages[0].defaultAnswer, Answer::No);
    // Answered No: the run goes on without a density.
    density = 0;
    ScriptedPrompt no({Answer::No});
    RunDriver weightNo(no, pump, observer);
    EXPECT_TRUE(weightNo.checkBeforeRun(t.basic, "Weight", densityOf, [&] { ++edits; }));
    EXPECT_EQ(edits, 1);
}

TEST(RunInWorkspace, ReadsTheTableFilesAndWritesDiaTlf) {
    test::TempFolder folder;
    const Workspace workspace(folder.path());
    Project project = readProjectFile(test::dataFile("conformance/merge.opt"));
    unpackProject(project, workspace);
    folder.write("misc.set", "\"Area\"\r\n0\r\n5\r\n");
    test::RecordingObserver observer;
    ScriptedPrompt prompt;
    NullEventPump pump;
    RunDriver driver(prompt, pump, observer);
    RunState state;
    const RunOutcome outcome = runInWorkspace(driver, workspace, StockMode::Sheet, state);
    EXPECT_EQ(outcome.message, "Optimization done.");
    EXPECT_EQ(folder.read("dia.tlf"), test::readFile(test::dataFile("conformance/merge.dia.tlf")));

    saveRunProject(workspace);
    const Project saved = readProjectFile(folder / "tmp.tlf");
    EXPECT_EQ(saved[kCutSection], project[kCutSection]);
    EXPECT_EQ(saved.text(kResultSection), folder.read("dia.tlf"));

    // An invalid job leaves dia.tlf alone.
    folder.write("sheet.tlf", "");
    const RunOutcome invalid = runInWorkspace(driver, workspace, StockMode::Sheet, state);
    EXPECT_EQ(invalid.message, "No valid SHEETS specified.");
    EXPECT_EQ(folder.read("dia.tlf"), test::readFile(test::dataFile("conformance/merge.dia.tlf")));
}

TEST(RunInWorkspace, UnwritableResultIsReportedNotLost) {
    test::TempFolder folder;
    const Workspace workspace(folder.path());
    unpackProject(readProjectFile(test::dataFile("conformance/merge.opt")), workspace);
    std::filesystem::remove(folder / "dia.tlf");
    std::filesystem::create_directory(folder / "dia.tlf");  // a folder where the file should go
    test::RecordingObserver observer;
    ScriptedPrompt prompt;
    NullEventPump pump;
    RunDriver driver(prompt, pump, observer);
    RunState state;
    EXPECT_THROW(runInWorkspace(driver, workspace, StockMode::Sheet, state), FileError);
    EXPECT_TRUE(observer.finished.empty());
}

}  // namespace
}  // namespace veltrix::engine
