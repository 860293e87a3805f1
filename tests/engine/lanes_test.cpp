// Iterations built side by side on worker threads give the run of one lane exactly: the same plan,
// the same figures after every iteration, the same stop and continuation.

#include <gtest/gtest.h>

#include "job/document.h"
#include "run_helpers.h"
#include "support/temp_folder.h"

namespace veltrix::engine {
namespace {

struct Shown {
    long long iteration;
    std::string yield, layouts, remaining;
    bool demandMet;
    bool operator==(const Shown&) const = default;
};

std::vector<Shown> shown(const test::TestRun& run) {
    std::vector<Shown> out;
    for (const auto& f : run.observer.iterations)
        out.push_back({f.iteration, f.yieldText, f.layoutsText, f.remainingText, f.demandMet});
    return out;
}

RunSettings settingsFor(int efficiency, unsigned lanes) {
    RunSettings s;
    s.efficiency = efficiency;
    s.lanes = lanes;
    return s;
}

class Lanes : public ::testing::TestWithParam<const char*> {};

TEST_P(Lanes, AnyNumberOfLanesGivesTheSameRun) {
    const Document doc = readDocument(test::dataFile(std::string("conformance/") + GetParam()));
    test::TestRun one;
    test::runJob(one, doc.tables, doc.mode, doc.objective, settingsFor(4, 1));
    ASSERT_FALSE(one.plan.empty());
    for (unsigned lanes : {2u, 3u, 5u}) {
        test::TestRun many;
        test::runJob(many, doc.tables, doc.mode, doc.objective, settingsFor(4, lanes));
        EXPECT_EQ(many.plan, one.plan) << lanes << " lanes";
        EXPECT_EQ(shown(many), shown(one)) << lanes << " lanes";
        EXPECT_EQ(many.outcome.message, one.outcome.message);
        EXPECT_EQ(many.outcome.lastIteration, one.outcome.lastIteration);
    }
}

INSTANTIATE_TEST_SUITE_P(ConformanceJobs, Lanes,
                         ::testing::Values("cabinet.opt", "grain_bands.opt", "two_sheets_layouts.opt", "coil.dcm",
                                           "merge.opt"));

TEST(LanesStop, StoppingMidRoundContinuesLikeOneLane) {
    const Document doc = readDocument(test::dataFile("conformance/cabinet.opt"));
    test::TestRun full;
    test::runJob(full, doc.tables, doc.mode, doc.objective, settingsFor(5, 1));
    // With three lanes, iterations 1-3, 4-6, ... form rounds: stop inside a round and at its ends.
    for (long long k : {1LL, 2LL, 3LL, 44LL, 100LL}) {
        test::TestRun first;
        test::runJob(first, doc.tables, doc.mode, doc.objective, settingsFor(5, 3), k);
        EXPECT_EQ(first.outcome.status, RunOutcome::Status::Stopped);
        EXPECT_EQ(first.outcome.lastIteration, k);
        ASSERT_FALSE(first.observer.iterations.empty());
        EXPECT_EQ(first.observer.iterations.back().iteration, k);
        RunSettings again = settingsFor(5, 2);
        again.continueFrom = first.outcome.lastIteration;
        again.continued = first.outcome.plan;
        test::TestRun second;
        test::runJob(second, doc.tables, doc.mode, doc.objective, again);
        EXPECT_EQ(second.plan, full.plan) << "stopped after " << k;
    }
}

}  // namespace
}  // namespace veltrix::engine
