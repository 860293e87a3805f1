// The published conformance jobs: each run must give its layout result byte for byte, with the
// final message, yield and number of layouts of the manifest, and pass the plan checker.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "engine/statistics.h"
#include "job/document.h"
#include "plan_checker.h"
#include "run_helpers.h"
#include "support/temp_folder.h"
#include "table/number_text.h"

namespace veltrix::engine {
namespace {

struct ConformanceCase {
    std::string file;
    int efficiency = 0;
    std::string message;
    std::string yield;
    int layouts = 0;
};

void PrintTo(const ConformanceCase& c, std::ostream* os) { *os << c.file << " at " << c.efficiency << "%"; }

std::vector<ConformanceCase> manifest() {
    std::vector<ConformanceCase> cases;
    std::istringstream in(test::readFile(test::dataFile("conformance/manifest.tsv")));
    std::string line;
    std::getline(in, line);  // heading
    while (std::getline(in, line)) {
        std::istringstream row(line);
        ConformanceCase c;
        std::string efficiency, layouts;
        std::getline(row, c.file, '\t');
        std::getline(row, efficiency, '\t');
        std::getline(row, c.message, '\t');
        std::getline(row, c.yield, '\t');
        std::getline(row, layouts, '\t');
        if (c.file.empty()) continue;
        c.efficiency = std::stoi(efficiency);
        c.layouts = std::stoi(layouts);
        cases.push_back(c);
    }
    return cases;
}

class Conformance : public ::testing::TestWithParam<ConformanceCase> {};

TEST_P(Conformance, LayoutResultByteForByte) {
    const ConformanceCase& c = GetParam();
    const Document doc = readDocument(test::dataFile("conformance/" + c.file));
    const std::string expected =
        test::readFile(test::dataFile("conformance/" + c.file.substr(0, c.file.rfind('.')) + ".dia.tlf"));
    ASSERT_FALSE(expected.empty());

    RunSettings settings;
    settings.efficiency = c.efficiency;
    test::TestRun run;
    test::runJob(run, doc.tables, doc.mode, doc.objective, settings);

    EXPECT_EQ(run.plan, expected);
    EXPECT_EQ(run.outcome.message, c.message);
    const auto stats = solutionStatistics(run.outcome.plan.items);
    EXPECT_EQ(fixedText(stats.yield * 100, 2, true), c.yield);
    EXPECT_EQ(stats.layouts, c.layouts);

    const test::PlanCheck check = test::checkProjectPlan(
        test::readFile(test::dataFile("conformance/" + c.file)), doc.mode == StockMode::Coil, run.plan);
    EXPECT_TRUE(check.ok()) << check.summary();
    EXPECT_NEAR(check.yield * 100, std::stod(c.yield), 0.005);
    EXPECT_EQ(check.layouts, c.layouts);
}

INSTANTIATE_TEST_SUITE_P(Jobs, Conformance, ::testing::ValuesIn(manifest()),
                         [](const ::testing::TestParamInfo<ConformanceCase>& info) {
                             std::string name = info.param.file;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

}  // namespace
}  // namespace veltrix::engine
