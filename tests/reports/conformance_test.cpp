// Report cases worked out by an independent implementation: report.tlf, offcut.tlf and
// sheets.Adj must come out byte for byte.
#include <gtest/gtest.h>

#include "report_helpers.h"
#include "table/workspace.h"

namespace veltrix {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

class ReportConformance : public ::testing::TestWithParam<const char*> {};

TEST_P(ReportConformance, ViewerPassWritesTheThreeFilesByteForByte) {
    const fs::path caseFolder = test::dataFile(std::string("reports/") + GetParam());
    TempFolder work;
    test::copyCaseWorkdir(GetParam(), work.path());
    const auto [jobName, project] = test::reportCase(GetParam());
    const auto result = reports::loadJobResult(test::jobOf(work, jobName.string(), project));
    const auto written = reports::writeResultReports(Workspace(work.path()), result);
    for (const char* file : {"report.tlf", "offcut.tlf", "sheets.Adj"})
        EXPECT_EQ(work.read(file), test::readFile(caseFolder / file)) << file;
    // Every section position points at its "Layout No. n/N" line.
    for (std::size_t n = 1; n <= written.report.sectionPosition.size(); ++n) {
        const std::string start = "Layout No. " + std::to_string(n) + "/";
        EXPECT_EQ(written.report.text.compare(written.report.sectionPosition[n - 1], start.size(), start), 0);
        EXPECT_EQ(result.items.at(written.report.layoutStart[n - 1]).kind, engine::kSheetItem);
        EXPECT_EQ(result.items.at(written.report.layoutStart[n - 1]).layout, static_cast<int>(n));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportConformance,
                         ::testing::Values("cabinet-area", "coil-weight", "grain_bands-banding", "two_sheets-none"),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (c == '-') c = '_';
                             return name;
                         });

}  // namespace
}  // namespace veltrix
