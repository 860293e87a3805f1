// The jobs of the example working folder optimize, and their plans pass the checker.

#include <gtest/gtest.h>

#include <filesystem>

#include "job/document.h"
#include "plan_checker.h"
#include "run_helpers.h"
#include "support/temp_folder.h"
#include "table/file_ops.h"

namespace veltrix::engine {
namespace {

TEST(Examples, EveryExampleJobOptimizesToAValidPlan) {
    const std::filesystem::path folder = std::filesystem::path(VELTRIX_EXAMPLES) / "workshop";
    int jobs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string ext = toLower(entry.path().extension().string());
        if (ext != ".opt" && ext != ".dcm") continue;
        ++jobs;
        const Document doc = readDocument(entry.path());
        RunSettings settings;
        settings.efficiency = 2;
        test::TestRun run;
        test::runJob(run, doc.tables, doc.mode, doc.objective, settings);
        EXPECT_EQ(run.outcome.message, "Optimization done.") << entry.path();
        const auto check =
            test::checkProjectPlan(test::readFile(entry.path()), doc.mode == StockMode::Coil, run.plan);
        EXPECT_TRUE(check.ok()) << entry.path() << "\n" << check.summary();
    }
    EXPECT_GE(jobs, 2);
}

}  // namespace
}  // namespace veltrix::engine
