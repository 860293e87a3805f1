// Iterations built side by side on worker threads give the run of one lane exactly: the same plan,
// the same figures after every iteration, the same stop and continuation.

#include <gtest/gtest.h>

#include "job/job_file.h"
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

RunSettings settingsFor(const JobFile& job, int efficiency, unsigned lanes) {
    RunSettings s;
    s.stock = job.mode;
    s.objective = job.objective;
    s.efficiency = efficiency;
    s.lanes = lanes;
    return s;
}

class Lanes : public ::testing::TestWithParam<const char*> {};

TEST_P(Lanes, AnyNumberOfLanesGivesTheSameRun) {
    const JobFile job = readJobFile(test::dataFile(std::string("conformance/") + GetParam()));
    RunState oneState;
    test::TestRun one;
    test::runJob(one, job.tables, settingsFor(job, 4, 1), oneState);
    ASSERT_FALSE(one.stored.empty());
    for (unsigned lanes : {2u, 3u, 5u}) {
        RunState state;
        test::TestRun many;
        test::runJob(many, job.tables, settingsFor(job, 4, lanes), state);
        EXPECT_EQ(many.stored, one.stored) << lanes << " lanes";
        EXPECT_EQ(shown(many), shown(one)) << lanes << " lanes";
        EXPECT_EQ(many.outcome.message, one.outcome.message);
        EXPECT_EQ(state.continuation, oneState.continuation);
    }
}

INSTANTIATE_TEST_SUITE_P(ConformanceJobs, Lanes,
                         ::testing::Values("cabinet.opt", "grain_bands.opt", "two_sheets_layouts.opt", "coil.dcm",
                                           "merge.opt"));

TEST(LanesStop, StoppingMidRoundContinuesLikeOneLane) {
    const JobFile job = readJobFile(test::dataFile("conformance/cabinet.opt"));
    RunState fullState;
    test::TestRun full;
    test::runJob(full, job.tables, settingsFor(job, 5, 1), fullState);
    // With three lanes, iterations 1-3, 4-6, ... form rounds: stop inside a round and at its ends.
    for (long long k : {1LL, 2LL, 3LL, 44LL, 100LL}) {
        RunState state;
        test::TestRun first;
        test::runJob(first, job.tables, settingsFor(job, 5, 3), state, "", k);
        EXPECT_EQ(first.outcome.status, RunOutcome::Status::Stopped);
        EXPECT_EQ(state.continuation, k);
        ASSERT_FALSE(first.observer.iterations.empty());
        EXPECT_EQ(first.observer.iterations.back().iteration, k);
        test::TestRun second;
        test::runJob(second, job.tables, settingsFor(job, 5, 2), state, first.stored);
        EXPECT_EQ(second.stored, full.stored) << "stopped after " << k;
    }
}

}  // namespace
}  // namespace veltrix::engine
