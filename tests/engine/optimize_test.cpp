#include "engine/optimize.h"

#include <gtest/gtest.h>

#include "engine/statistics.h"
#include "job/document.h"
#include "job_builder.h"
#include "plan_checker.h"
#include "run_helpers.h"
#include "support/temp_folder.h"
#include "table/number_text.h"

namespace veltrix::engine {
namespace {

using test::JobBuilder;
using test::TestRun;

RunSettings settingsFor(int efficiency) {
    RunSettings s;
    s.efficiency = efficiency;
    return s;
}

Document conformanceJob(const char* name) { return readDocument(test::dataFile(std::string("conformance/") + name)); }

void run(TestRun& r, const JobBuilder& b, const RunSettings& settings, StockMode mode = StockMode::Sheet,
         long long stopAfter = 0, bool check = true) {
    test::runJob(r, b.tables(), mode, Objective{}, settings, stopAfter, check);
}

void run(TestRun& r, const Document& doc, const RunSettings& settings, long long stopAfter = 0) {
    test::runJob(r, doc.tables, doc.mode, doc.objective, settings, stopAfter);
}

RunSettings continuing(RunSettings settings, const TestRun& stopped) {
    settings.continueFrom = stopped.outcome.lastIteration;
    settings.continued = stopped.outcome.plan;
    return settings;
}

TEST(Optimize, OneVarietyAtEfficiencyTenMakesSixtyFourIterations) {
    JobBuilder b;
    b.basicRow({"PB", "", "18", "3100", "0", "4", "0", ""});
    b.sheet("2440", "1220", "5", "10", "10", "10", "10").cut("500", "300", "7", "", "SHELF");
    TestRun r;
    run(r, b, RunSettings{});

    ASSERT_EQ(r.observer.starts.size(), 1u);
    EXPECT_EQ(r.observer.starts[0].budget, 64);
    EXPECT_EQ(r.observer.starts[0].highlight, Highlight::Yield);
    ASSERT_EQ(r.observer.iterations.size(), 64u);
    EXPECT_EQ(r.observer.iterations.front().iteration, 1);
    EXPECT_EQ(r.observer.iterations.front().remainingText, "63/1");
    EXPECT_EQ(r.observer.iterations.back().remainingText.substr(0, 2), "0/");
    EXPECT_EQ(r.outcome.lastIteration, 64);
    EXPECT_EQ(r.observer.messages.front(), "Preparing...");
    EXPECT_EQ(r.observer.messages[1], "Optimizing...");
    EXPECT_EQ(r.outcome.message, "Optimization done.");
    EXPECT_EQ(r.observer.messages.back(), "Optimization done.");
    EXPECT_FALSE(r.outcome.failed);
    EXPECT_EQ(r.outcome.helpTopic, 0);
    ASSERT_FALSE(r.plan.empty());
    // Seven pieces of 504 x 304 fit on one sheet of 1224 x 2444 (3 across, 4 down).
    const auto stats = solutionStatistics(r.outcome.plan.items);
    EXPECT_EQ(stats.layouts, 1);
    EXPECT_EQ(r.outcome.figures.layoutsText, "1");
    EXPECT_EQ(r.outcome.figures.yieldText, fixedText(stats.yield * 100, 2, true));
    EXPECT_EQ(stats.yield, roundYield(7.0 * 504 * 304 / (1224.0 * 2444)));
}

TEST(Optimize, DemandBeyondTheStockFails) {
    JobBuilder b;
    b.basicRow({"PB", "", "18", "3100", "0", "4", "0", ""});
    b.sheet("1000", "1000", "1").cut("600", "600", "3");  // one per sheet, one sheet
    TestRun r;
    run(r, b, RunSettings{});
    EXPECT_EQ(r.outcome.status, RunOutcome::Status::Done);
    EXPECT_EQ(r.outcome.message, "Optimization failed.");
    EXPECT_TRUE(r.outcome.failed);
    EXPECT_EQ(r.outcome.helpTopic, kFailureHelpTopic);
    EXPECT_TRUE(r.outcome.plan.empty());
    EXPECT_EQ(r.outcome.figures.yieldText, "0");
    EXPECT_EQ(r.outcome.figures.layoutsText, "0");
}

TEST(Optimize, ValidationMessageEndsTheRun) {
    JobBuilder b;
    b.basicRow({"PB", "", "18", "3100", "0", "4", "0", ""});
    b.sheet("2440", "3200", "5").cut("500", "300", "1");  // wider than the blade
    TestRun r;
    run(r, b, RunSettings{});
    EXPECT_EQ(r.outcome.status, RunOutcome::Status::Invalid);
    EXPECT_EQ(r.outcome.message, "No valid SHEETS specified.");
    EXPECT_EQ(r.observer.messages.back(), "No valid SHEETS specified.");
    EXPECT_EQ(r.outcome.helpTopic, kFailureHelpTopic);
    EXPECT_TRUE(r.outcome.plan.empty());
    EXPECT_TRUE(r.observer.starts.empty());

    TestRun coil;
    run(coil, b, RunSettings{}, StockMode::Coil);
    EXPECT_EQ(coil.outcome.message, "No valid COILS specified.");
}

TEST(Optimize, PieceNoLargerThanTheToleranceIsRejectedBeforeTheRun) {
    JobBuilder b;
    b.basicRow({"PB", "", "18", "3100", "6", "2", "0", ""});
    b.sheet("2440", "1220", "5").cut("500", "300", "1").cut("4", "300", "2", "", "LATH");
    TestRun r;
    run(r, b, RunSettings{});
    EXPECT_EQ(r.outcome.status, RunOutcome::Status::Invalid);
    EXPECT_NE(r.outcome.message.find("4 x 300 (LATH)"), std::string::npos) << r.outcome.message;
    EXPECT_TRUE(r.outcome.plan.empty());
}

TEST(Optimize, ReproducibleAndStopThenContinueEqualsAnUninterruptedRun) {
    const Document doc = conformanceJob("cabinet.opt");
    const RunSettings settings = settingsFor(5);  // N = 6 x 32 = 192
    TestRun full, again;
    run(full, doc, settings);
    run(again, doc, settings);
    EXPECT_EQ(again.plan, full.plan);
    ASSERT_FALSE(full.plan.empty());

    for (long long k : {1LL, 10LL, 70LL, 150LL}) {
        TestRun first;
        run(first, doc, settings, k);
        EXPECT_EQ(first.outcome.status, RunOutcome::Status::Stopped);
        EXPECT_EQ(first.outcome.lastIteration, k);
        EXPECT_EQ(first.observer.messages.back(), first.outcome.message);
        TestRun second;
        run(second, doc, continuing(settings, first));
        EXPECT_EQ(second.observer.iterations.front().iteration, k);
        EXPECT_EQ(second.plan, full.plan) << "stopped after " << k;
        EXPECT_EQ(second.outcome.lastIteration, 192);
    }
}

TEST(Optimize, StopMessageAndAFinishedRunStartsAfresh) {
    const Document doc = conformanceJob("merge.opt");
    const RunSettings settings = settingsFor(1);  // N = 4 x 6 = 24
    TestRun stopped;
    run(stopped, doc, settings, 1);
    EXPECT_EQ(stopped.observer.iterations.size(), 1u);
    EXPECT_EQ(stopped.outcome.message, kStoppedMessage);
    EXPECT_FALSE(stopped.outcome.failed);
    // Continuing from 1: the run repeats iteration 1 onwards.
    TestRun continued;
    run(continued, doc, continuing(settings, stopped));
    EXPECT_EQ(continued.observer.iterations.size(), 24u);
    EXPECT_EQ(continued.outcome.lastIteration, 24);
    // Continuing from the end of the budget starts afresh: the plan handed over is not read.
    RunSettings fromEnd = continuing(settings, continued);
    fromEnd.continued = parsePlan("1,-1,1,0,0,1,1,1,0\r\n");
    TestRun fresh;
    run(fresh, doc, fromEnd);
    EXPECT_EQ(fresh.observer.iterations.front().iteration, 1);
    EXPECT_EQ(fresh.plan, continued.plan);
}

TEST(Optimize, ContinuedRunShowsTheHandedBestAndFailsWhenNothingMeetsTheDemand) {
    // The plan handed over when continuing is better than anything the run finds, so it stays; the
    // figures show it.
    JobBuilder b;
    b.basicRow({"PB", "", "18", "3100", "0", "0", "0", ""});
    b.sheet("1000", "1000", "5").cut("1000", "1000", "1");
    const std::string stored = "1,-1,1,0,0,1000,1000,1,0\r\n1,1,1,0,0,1000,1000,1,1\r\n";
    RunSettings settings;
    settings.continueFrom = 3;
    settings.continued = parsePlan(stored);
    TestRun r;
    run(r, b, settings);
    EXPECT_EQ(r.observer.iterations.front().iteration, 3);
    EXPECT_EQ(r.outcome.figures.yieldText, "100.00");
    EXPECT_EQ(r.plan, stored);
    EXPECT_EQ(r.outcome.figures.improvements, 0);

    // A continued run in which no iteration meets the demand ends failed, yet keeps the plan.
    JobBuilder impossible;
    impossible.basicRow({"PB", "", "18", "3100", "0", "0", "0", ""});
    impossible.sheet("1000", "1000", "1").cut("600", "600", "2");
    settings.continueFrom = 2;
    TestRun failed;
    run(failed, impossible, settings, StockMode::Sheet, 0, false);
    EXPECT_EQ(failed.outcome.message, "Optimization failed.");
    EXPECT_EQ(failed.plan, stored);
}

TEST(Optimize, ModeZeroKeepsTheFirstCompletePlan) {
    Document doc = conformanceJob("cabinet.opt");
    doc.objective = Objective{false, false};
    TestRun r;
    run(r, doc, settingsFor(2));
    EXPECT_EQ(r.observer.starts[0].highlight, Highlight::None);
    EXPECT_EQ(r.outcome.figures.improvements, 1);
    // Iteration 1 already meets the demand: its plan is the one kept.
    TestRun one;
    run(one, doc, settingsFor(2), 1);
    ASSERT_TRUE(one.observer.iterations[0].demandMet);
    EXPECT_EQ(r.plan, one.plan);
}

TEST(Optimize, ObjectivesChooseDifferentlyAndBothPlansAreValid) {
    Document byYieldDoc = conformanceJob("two_sheets_layouts.opt");
    byYieldDoc.objective = Objective{true, false};
    Document byLayoutsDoc = byYieldDoc;
    byLayoutsDoc.objective = Objective{false, true};
    TestRun byYield, byLayouts;
    run(byYield, byYieldDoc, settingsFor(4));
    run(byLayouts, byLayoutsDoc, settingsFor(4));
    const auto y = solutionStatistics(byYield.outcome.plan.items);
    const auto l = solutionStatistics(byLayouts.outcome.plan.items);
    // With no tolerance every complete plan has the same piece area, so the plan kept for its yield
    // has at least the yield of the one kept for its few layouts.
    EXPECT_GE(y.yield, l.yield);
    EXPECT_EQ(byLayouts.observer.starts[0].highlight, Highlight::Layouts);
}

TEST(Optimize, BlocksNeverExceedTheDemandSoPlainJobsSucceed) {
    // Five pieces fit in the one row of the sheet but only three are wanted. A block of five would
    // have the best yield and could not be repeated even once; capped at the demand, every
    // iteration cuts the three pieces from the one sheet.
    JobBuilder b;
    b.basicRow({"PB", "", "18", "3100", "0", "0", "0", ""});
    b.sheet("200", "1000", "1").cut("200", "200", "3");
    TestRun r;
    run(r, b, RunSettings{});
    EXPECT_EQ(r.outcome.message, "Optimization done.");
    ASSERT_EQ(r.observer.iterations.size(), 64u);
    for (const auto& f : r.observer.iterations) EXPECT_TRUE(f.demandMet) << f.iteration;
}

TEST(Optimize, CoilModeShowsNAAndUsesEndlessCoils) {
    TestRun r;
    run(r, conformanceJob("coil.dcm"), settingsFor(2));
    EXPECT_TRUE(r.observer.starts[0].coil);
    EXPECT_EQ(r.outcome.figures.yieldText, "NA");
    EXPECT_EQ(r.outcome.figures.layoutsText, "1");
}

}  // namespace
}  // namespace veltrix::engine
