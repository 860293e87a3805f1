// veltrix report and veltrix offcuts run as a user runs them.
#include <gtest/gtest.h>

#include "report_helpers.h"
#include "reports/run_program.h"

namespace veltrix {
namespace {

namespace fs = std::filesystem;
using test::quoted;
using test::runVeltrix;
using test::TempFolder;

// A report case in `folder`: its job with the result in the fifth section, its working folder w/.
fs::path prepareCase(const std::string& name, const TempFolder& folder) {
    test::copyCaseWorkdir(name, folder / "w");
    const auto [job, project] = test::reportCase(name);
    return folder.write(job.string(), project);
}

TEST(ReportCommand, WritesTheThreeFilesOfEveryCaseByteForByte) {
    for (const char* name : {"cabinet-area", "coil-weight", "grain_bands-banding", "two_sheets-none"}) {
        TempFolder folder;
        const fs::path job = prepareCase(name, folder);
        const auto run = runVeltrix("report " + quoted(job) + " -o " + quoted(folder / "w/report.tlf") +
                                        " --workdir " + quoted(folder / "w"),
                                    folder.path());
        ASSERT_EQ(run.code, 0) << name << ": " << run.err;
        EXPECT_TRUE(run.out.empty());
        const fs::path expected = test::dataFile(std::string("reports/") + name);
        for (const char* file : {"report.tlf", "offcut.tlf", "sheets.Adj"})
            EXPECT_EQ(folder.read(std::string("w/") + file), test::readFile(expected / file)) << name << " " << file;

        // Without -o the report goes to standard output; offcuts prints the off-cut table.
        const auto toStdout = runVeltrix("--workdir " + quoted(folder / "w") + " report " + quoted(job), folder.path());
        EXPECT_EQ(toStdout.out, test::readFile(expected / "report.tlf")) << name;
        const auto offcuts = runVeltrix("--workdir " + quoted(folder / "w") + " offcuts " + quoted(job), folder.path());
        EXPECT_EQ(offcuts.code, 0);
        EXPECT_EQ(offcuts.out, test::readFile(expected / "offcut.tlf")) << name;
    }
}

TEST(ReportCommand, JobsWithoutAFittingResultFailWithAMessage) {
    TempFolder folder;
    const std::string basic = R"("PB","","18","3000","0","4","0","")";
    const std::string sheet = R"("1000","500","5","0","0","0","0","R1")";
    const std::string cut = R"("400","","","","","200","","","","","5","","SIDE","","","","")";
    const auto plain = folder.write("plain.opt", test::projectOf({basic}, {sheet}, {cut}, ""));
    for (const char* command : {"report", "offcuts"}) {
        const auto run = runVeltrix(std::string(command) + " " + quoted(plain) + " --workdir " + quoted(folder.path()),
                                    folder.path());
        EXPECT_EQ(run.code, 1) << command;
        EXPECT_NE(run.err.find("This file was not optimized."), std::string::npos) << run.err;
    }
    EXPECT_FALSE(fs::exists(folder / "offcut.tlf"));
    EXPECT_FALSE(fs::exists(folder / "sheets.Adj"));

    // A result naming cut-piece variety 7 of a job that has one (edited behind the result).
    const auto stale = folder.write(
        "stale.opt", test::projectOf({basic}, {sheet}, {cut}, "1,-1,1,0,0,504,1004,1,0\r\n1,7,1,0,0,10,10,1,1\r\n"));
    const auto run = runVeltrix("report " + quoted(stale) + " --workdir " + quoted(folder.path()), folder.path());
    EXPECT_EQ(run.code, 1);
    EXPECT_FALSE(run.err.empty());
    EXPECT_TRUE(run.out.empty());

    EXPECT_EQ(runVeltrix("report " + quoted(folder / "missing.opt"), folder.path()).code, 2);
    EXPECT_EQ(runVeltrix("report", folder.path()).code, 2);
}

TEST(ReportCommand, UnwritableOutputIsAFileError) {
    TempFolder folder;
    const fs::path job = prepareCase("cabinet-area", folder);
    const auto run = runVeltrix("report " + quoted(job) + " -o " + quoted(folder / "no/such/folder/r.tlf") +
                                    " --workdir " + quoted(folder / "w"),
                                folder.path());
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find("r.tlf"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace veltrix
