// Runs as a whole: the published conformance jobs byte for byte on any number of lanes, every plan
// through the independent plan checker; outcomes and messages; stop and continuation; the
// objective that decides which plan stays; two runs at once on two threads; the deep search.

#include "engine/optimize.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <sstream>
#include <thread>

#include "engine/deep_search.h"
#include "job/document.h"
#include "plan_checker.h"
#include "support/temp_folder.h"

namespace veltrix::engine {
namespace {

// Records the figures shown after each iteration; requests a stop once iteration `stopAfter` is shown.
struct Recorder : RunObserver {
    explicit Recorder(long long stopAfter = 0) : stopAfter(stopAfter) {}
    void messageChanged(const std::string& text) override { messages.push_back(text); }
    void iterationDone(const RunFigures& f) override {
        shown.push_back(std::to_string(f.iteration) + " " + f.yieldText + " " + f.layoutsText + " " +
                        f.remainingText + (f.demandMet ? " met" : ""));
        if (f.iteration == stopAfter) stop.request_stop();
    }
    long long stopAfter;
    std::vector<std::string> messages, shown;
    std::stop_source stop;
};

struct RunResult {
    RunOutcome outcome;
    std::vector<std::string> shown;
    std::string plan;  // dia.tlf text
    test::PlanCheck check;
};

std::string conformanceFile(const std::string& file) { return test::readFile(test::dataFile("conformance/" + file)); }

RunSettings settingsFor(int efficiency, unsigned lanes = 1) {
    RunSettings settings;
    settings.efficiency = efficiency;
    settings.lanes = lanes;
    return settings;
}

// Runs a conformance job (stopped after iteration `stopAfter` when above 0); its plan must pass the
// plan checker.
RunResult runConformance(const std::string& file, const RunSettings& settings, long long stopAfter = 0) {
    const Document doc = readDocument(test::dataFile("conformance/" + file));
    Recorder recorder(stopAfter);
    RunResult run{optimize(doc.job(), settings, recorder, recorder.stop.get_token()), recorder.shown, "", {}};
    run.plan = planText(run.outcome.plan);
    run.check = test::checkProjectPlan(conformanceFile(file), doc.mode == StockMode::Coil, run.plan);
    EXPECT_TRUE(run.plan.empty() || run.check.ok()) << file << "\n" << run.check.summary();
    return run;
}

// Manifest rows: file, efficiency, message, yield, layouts.
std::vector<std::vector<std::string>> manifest() {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(conformanceFile("manifest.tsv"));
    std::string line, field;
    std::getline(in, line);  // heading
    while (std::getline(in, line)) {
        std::istringstream row(line);
        for (rows.emplace_back(); std::getline(row, field, '\t');) rows.back().push_back(field);
    }
    return rows;
}

TEST(Conformance, LayoutResultsByteForByteOnAnyNumberOfLanes) {
    const auto rows = manifest();
    ASSERT_EQ(rows.size(), 5u);
    for (const auto& c : rows) {
        ASSERT_EQ(c.size(), 5u);
        const std::string expected = conformanceFile(c[0].substr(0, c[0].rfind('.')) + ".dia.tlf");
        ASSERT_FALSE(expected.empty());
        const RunResult one = runConformance(c[0], settingsFor(std::stoi(c[1])));
        EXPECT_EQ(one.plan, expected) << c[0];
        EXPECT_EQ(one.outcome.message, c[2]);
        EXPECT_NEAR(one.check.yield * 100, std::stod(c[3]), 0.005) << c[0];
        EXPECT_EQ(one.check.layouts, std::stoi(c[4])) << c[0];
        for (unsigned lanes : {2u, 3u}) {
            const RunResult many = runConformance(c[0], settingsFor(std::stoi(c[1]), lanes));
            EXPECT_EQ(many.plan, expected) << c[0] << " on " << lanes << " lanes";
            EXPECT_EQ(many.shown, one.shown) << c[0] << " on " << lanes << " lanes";
        }
    }
}

Job jobOf(float blade, float kerf, StockRow sheet, std::vector<CutRow> cuts, StockMode mode = StockMode::Sheet,
          float tolerance = 0) {
    return Job{mode, Objective{}, BasicDetails{.blade = blade, .tolerance = tolerance, .kerf = kerf}, {sheet},
               std::move(cuts)};
}

TEST(Optimize, OutcomeMessagesAndFigures) {
    const StockRow board{2440, 1220, 5, 10, 10, 10, 10, ""};
    const CutRow shelf{.length = 500, .width = 300, .quantity = 7}, lath{.length = 4, .width = 300, .quantity = 2,
                                                                        .description = "LATH"};
    const struct {
        Job job;
        std::string message, yield, layouts;
    } cases[] = {
        // Seven pieces of 504 x 304 (kerf 4) on one sheet of 1224 x 2444: 3 across, 4 down.
        {jobOf(3100, 4, board, {shelf}), kDoneMessage, "35.85", "1"},
        // Five pieces fit in the one row but three are wanted: the block is capped at the demand.
        {jobOf(3100, 0, {200, 1000, 1}, {{.length = 200, .width = 200, .quantity = 3}}), kDoneMessage, "60.00", "1"},
        {jobOf(3100, 4, {1000, 1000, 1}, {{.length = 600, .width = 600, .quantity = 3}}), kFailedMessage, "0", "0"},
        {jobOf(0, 0, board, {shelf}), "Wrong BLADE specfied.", "0", "0"},
        {jobOf(1000, 4, board, {shelf}), "No valid SHEETS specified.", "0", "0"},
        {jobOf(1000, 4, board, {shelf}, StockMode::Coil), "No valid COILS specified.", "0", "0"},
        {jobOf(3100, 4, board, {{.length = 500, .quantity = 2}}), "No valid CUT-PIECES specfied.", "0", "0"},
        {jobOf(3100, 2, board, {shelf, lath}, StockMode::Sheet, 6),
         "Cut-piece 4 x 300 (LATH) is too small: with the kerf it must be larger than the tolerance 6.", "0", "0"},
    };
    for (const auto& c : cases) {
        Recorder recorder;
        const RunOutcome outcome = optimize(c.job, settingsFor(10), recorder);
        const bool ran = c.message == kDoneMessage || c.message == kFailedMessage, failed = c.message != kDoneMessage;
        EXPECT_EQ(outcome.status, ran ? RunOutcome::Status::Done : RunOutcome::Status::Invalid) << c.message;
        EXPECT_EQ(outcome.message, c.message);
        EXPECT_EQ(recorder.messages.back(), c.message);
        EXPECT_EQ(outcome.failed, failed) << c.message;
        EXPECT_EQ(outcome.helpTopic, failed ? kFailureHelpTopic : 0) << c.message;
        EXPECT_EQ(outcome.plan.empty(), failed) << c.message;
        EXPECT_EQ(outcome.figures.yieldText, c.yield) << c.message;
        EXPECT_EQ(outcome.figures.layoutsText, c.layouts) << c.message;
        EXPECT_EQ(recorder.shown.size(), ran ? 64u : 0u) << c.message;  // one variety at efficiency 10
        for (const std::string& shown : recorder.shown) EXPECT_EQ(shown.ends_with(" met"), !failed) << shown;
    }
}

TEST(Optimize, StoppedAfterKAndContinuedFromKGivesTheUninterruptedPlan) {
    const RunResult full = runConformance("cabinet.opt", settingsFor(5));  // N = 6 x 32 = 192
    ASSERT_EQ(full.shown.size(), 192u);
    // Three lanes build iterations 1-3, 4-6, ... side by side: stop inside a round and at its ends.
    for (long long k : {1LL, 2LL, 3LL, 70LL, 191LL}) {
        const RunResult stopped = runConformance("cabinet.opt", settingsFor(5, 3), k);
        EXPECT_EQ(stopped.outcome.status, RunOutcome::Status::Stopped);
        EXPECT_EQ(stopped.outcome.message, kStoppedMessage);
        EXPECT_EQ(stopped.shown, std::vector<std::string>(full.shown.begin(), full.shown.begin() + k));
        RunSettings settings = settingsFor(5, 2);
        settings.continueFrom = stopped.outcome.lastIteration;
        settings.continued = stopped.outcome.plan;
        const RunResult continued = runConformance("cabinet.opt", settings);
        EXPECT_EQ(continued.plan, full.plan) << "stopped after " << k;
        EXPECT_EQ(continued.shown.size(), static_cast<std::size_t>(193 - k)) << "iterations k to 192";
    }
}

TEST(Optimize, TwoRunsAtOnceOnTwoThreadsGiveWhatTheyGiveOneAfterTheOther) {
    const RunResult first = runConformance("cabinet.opt", settingsFor(5, 2));
    const RunResult second = runConformance("grain_bands.opt", settingsFor(4, 1));
    RunResult a, b;
    std::thread one([&] { a = runConformance("cabinet.opt", settingsFor(5, 2)); });
    std::thread two([&] { b = runConformance("grain_bands.opt", settingsFor(4, 1)); });
    one.join();
    two.join();
    EXPECT_EQ(a.plan, first.plan);
    EXPECT_EQ(a.shown, first.shown);
    EXPECT_EQ(b.plan, second.plan);
    EXPECT_EQ(b.shown, second.shown);
}

TEST(Optimize, WithNeitherObjectiveTheFirstCompletePlanStays) {
    Job job = readDocument(test::dataFile("conformance/cabinet.opt")).job();
    job.objective = Objective{false, false};
    Recorder all, firstOnly(1);
    const RunOutcome outcome = optimize(job, settingsFor(2), all);
    const RunOutcome first = optimize(job, settingsFor(2), firstOnly, firstOnly.stop.get_token());
    ASSERT_TRUE(firstOnly.shown.at(0).ends_with(" met"));  // iteration 1 meets the demand
    EXPECT_EQ(outcome.plan, first.plan);
    EXPECT_EQ(outcome.figures.improvements, 1);
}

// Counts a deep search's runs; requests a stop once `stopAfter` runs have finished.
struct DeepRecorder : DeepObserver {
    explicit DeepRecorder(std::size_t stopAfter = 0) : stopAfter(stopAfter) {}
    void runStarted(const DeepProgress&) override { ++started; }
    void runFinished(const DeepProgress& p) override {
        last = p;
        permilles.push_back(p.permille);
        if (p.finished == stopAfter) stop.request_stop();
    }
    void progressed(const DeepProgress& p) override { permilles.push_back(p.permille); }
    std::size_t stopAfter, started = 0;
    std::vector<int> permilles;  // the search's progress as told, in order
    DeepProgress last;
    std::stop_source stop;
};

TEST(DeepSearch, OnMixedStockTheLargeSheetsAloneWin) {
    // 20 sheets of 2440 x 1220 (row 1) and 20 of 2800 x 2070 (row 2): the standard run takes one
    // large and two small sheets for 67.44 %, the large sheets alone give two for 68.41 %.
    const std::string project = conformanceFile("mixed_stock.opt");
    const Document doc = readDocument(test::dataFile("conformance/mixed_stock.opt"));
    const RunResult standard = runConformance("mixed_stock.opt", settingsFor(4));
    EXPECT_NEAR(standard.check.yield * 100, 67.44, 0.005);
    EXPECT_EQ(standard.check.layouts, 3);
    Job largeOnly = doc.job();
    largeOnly.stock.erase(largeOnly.stock.begin());
    RunObserver quiet;
    const std::string expected = planText(optimize(largeOnly, settingsFor(4), quiet).plan);

    // A third row sorts first but takes nothing (its margins leave no room): the winning plan is
    // numbered against all three rows, and the row alone is skipped.
    Job withUseless = doc.job();
    withUseless.stock.push_back({3000, 2100, 5, 1000, 1000, 1000, 1000, "SCRAP"});
    std::string uselessProject = project;
    uselessProject.insert(uselessProject.find("[END]", uselessProject.find("[SHEET.TLF]")),
                          "\"3000\",\"2100\",\"5\",\"1000\",\"1000\",\"1000\",\"1000\",\"SCRAP\"\r\n");
    for (const bool useless : {false, true}) {
        DeepRecorder recorder;
        const DeepOutcome deep = optimizeDeep(useless ? withUseless : doc.job(), settingsFor(4, 2), recorder);
        const auto check = test::checkProjectPlan(useless ? uselessProject : project, false, planText(deep.outcome.plan));
        EXPECT_TRUE(check.ok()) << check.summary();
        EXPECT_NEAR(check.yield * 100, 68.41, 0.005);
        EXPECT_EQ(check.layouts, 2);
        EXPECT_EQ(deep.line, "Deep search: best with sheet rows 2");
        EXPECT_EQ(recorder.started, useless ? 7u : 3u);  // the standard run and the variants
        EXPECT_EQ(recorder.last.finished, recorder.started);
        // The progress moves within the runs, never back, and ends whole.
        EXPECT_GT(recorder.permilles.size(), recorder.started);
        EXPECT_TRUE(std::is_sorted(recorder.permilles.begin(), recorder.permilles.end()));
        EXPECT_EQ(recorder.permilles.back(), 1000);
        EXPECT_EQ(deep.outcome.message, kDoneMessage);
        EXPECT_TRUE(useless || planText(deep.outcome.plan) == expected) << "the large sheets' own plan";
    }
}

TEST(DeepSearch, OneKindOfStockGivesTheStandardPlanAndAStopKeepsAValidPlan) {
    // merge.opt holds two identical rows, which merge: no variant.
    DeepRecorder recorder;
    const DeepOutcome deep = optimizeDeep(readDocument(test::dataFile("conformance/merge.opt")).job(), settingsFor(5),
                                          recorder);
    EXPECT_EQ(planText(deep.outcome.plan), conformanceFile("merge.dia.tlf"));
    EXPECT_EQ(deep.line, "Deep search: best with all sheet rows");
    EXPECT_EQ(recorder.started, 1u);

    DeepRecorder stopping(1);
    const DeepOutcome stopped = optimizeDeep(readDocument(test::dataFile("conformance/mixed_stock.opt")).job(),
                                             settingsFor(4, 2), stopping, stopping.stop.get_token());
    EXPECT_EQ(stopped.outcome.status, RunOutcome::Status::Stopped);
    EXPECT_EQ(stopped.outcome.message, kDeepStoppedMessage);  // nothing to continue is offered
    EXPECT_LE(stopping.started, 2u);  // the run going on when the first one finished stops too
    const auto check = test::checkProjectPlan(conformanceFile("mixed_stock.opt"), false, planText(stopped.outcome.plan));
    EXPECT_TRUE(check.ok() && !stopped.outcome.plan.empty()) << check.summary();
}

}  // namespace
}  // namespace veltrix::engine
