// Report cases worked out by an independent implementation: for each conformance job and its
// result, report.tlf, offcut.tlf and sheets.Adj must come out byte for byte with the case's
// working-folder files.
#include <gtest/gtest.h>

#include "job/document.h"
#include "reports/report_pass.h"
#include "support/temp_folder.h"
#include "base/workspace.h"

namespace veltrix {
namespace {

namespace fs = std::filesystem;

struct ReportCase {
    const char* folder;  // under tests/data/reports: expected files and workdir/
    const char* job;     // under tests/data/conformance: the job and its result NAME.dia.tlf
};

class ReportConformance : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ReportConformance, ViewerPassGivesTheThreeFilesByteForByte) {
    const fs::path expected = test::dataFile(std::string("reports/") + GetParam().folder);
    const fs::path job = test::dataFile(std::string("conformance/") + GetParam().job);
    Document doc = readDocument(job);
    doc.plan = parsePlan(test::readFile(fs::path(job).replace_extension(".dia.tlf")));
    test::TempFolder work;
    if (fs::exists(expected / "workdir"))
        for (const auto& entry : fs::directory_iterator(expected / "workdir"))
            fs::copy_file(entry.path(), work / entry.path().filename().string());

    const engine::LoadedResult result = reports::loadJobResult(doc);
    const reports::ResultReports written = reports::writeResultReports(Workspace(work.path()), result);
    EXPECT_EQ(written.report.text, test::readFile(expected / "report.tlf"));
    EXPECT_EQ(work.read("offcut.tlf"), test::readFile(expected / "offcut.tlf"));
    EXPECT_EQ(work.read("sheets.Adj"), test::readFile(expected / "sheets.Adj"));
    // Every section position points at its "Layout No. n/N" line, every layout start at its sheet item.
    for (std::size_t n = 1; n <= written.report.sectionPosition.size(); ++n) {
        const std::string start = "Layout No. " + std::to_string(n) + "/";
        EXPECT_EQ(written.report.text.compare(written.report.sectionPosition[n - 1], start.size(), start), 0);
        const LayoutItem& sheet = result.items.at(written.report.layoutStart[n - 1]);
        EXPECT_TRUE(sheet.kind == ItemKind::Sheet && sheet.layout == static_cast<int>(n)) << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportConformance,
                         ::testing::Values(ReportCase{"cabinet-area", "cabinet.opt"},
                                           ReportCase{"coil-weight", "coil.dcm"},
                                           ReportCase{"grain_bands-banding", "grain_bands.opt"},
                                           ReportCase{"two_sheets-none", "two_sheets_layouts.opt"}),
                         [](const auto& info) {
                             std::string name = info.param.folder;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
}  // namespace veltrix
