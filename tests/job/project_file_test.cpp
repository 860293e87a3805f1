#include "job/project_file.h"

#include <gtest/gtest.h>

#include <random>

#include "job/job_file.h"
#include "support/temp_folder.h"
#include "table/error.h"
#include "table/file_ops.h"
#include "table/table_file.h"
#include "table/workspace.h"

namespace veltrix {
namespace {

using test::TempFolder;

const char* kSmallProject =
    "[BASIC.TLF]\r\n"
    "\"PB\",\"\",\"18\",\"3100\",\"0\",\"3.2\",\"0\",\"\"\r\n"
    "[END]\r\n"
    "[OPTIONS.TLF]\r\n"
    "-1,0\r\n"
    "[END]\r\n"
    "[SHEET.TLF]\r\n"
    "\"2440\",\"1220\",\"20\",\"12\",\"12\",\"12\",\"12\",\"RACK A\"\r\n"
    "[END]\r\n"
    "[CUT.TLF]\r\n"
    "\"720\",\"\",\"\",\"\",\"\",\"560\",\"\",\"\",\"\",\"\",\"6\",\"\",\"SIDE\",\"\",\"\",\"\",\"\"\r\n"
    "[END]\r\n"
    "[DIA.TLF]\r\n"
    "[END]\r\n";

TEST(ProjectFile, ReadsFiveSectionsByPosition) {
    const Project p = parseProject(kSmallProject);
    EXPECT_EQ(p[kBasicSection].size(), 1u);
    EXPECT_EQ(p[kOptionsSection], (std::vector<std::string>{"-1,0"}));
    EXPECT_EQ(p[kCutSection].size(), 1u);
    EXPECT_TRUE(p[kResultSection].empty());
    // Written back it is the same 14 lines.
    EXPECT_EQ(projectText(p), kSmallProject);
    EXPECT_EQ(splitLines(projectText(p)).size(), 14u);
}

TEST(ProjectFile, HeaderLinesAreSkippedNotCompared) {
    const Project p = parseProject("[ANYTHING]\r\nb\r\n[END]\r\nwhatever\r\no\r\n[END]\r\n");
    EXPECT_EQ(p[kBasicSection], (std::vector<std::string>{"b"}));
    EXPECT_EQ(p[kOptionsSection], (std::vector<std::string>{"o"}));
    EXPECT_TRUE(p[kSheetSection].empty());
    EXPECT_TRUE(p[kResultSection].empty());
    // Written back, every section has its proper header.
    EXPECT_EQ(projectText(p).substr(0, 13), "[BASIC.TLF]\r\n");
}

TEST(ProjectFile, ShortAndMalformedFilesReadWithoutHarm) {
    EXPECT_TRUE(parseProject("")[kBasicSection].empty());
    // A section never closed takes the rest of the file; the others are empty.
    const Project open = parseProject("[BASIC.TLF]\r\n\"A\"\r\n\"B\"");
    EXPECT_EQ(open[kBasicSection].size(), 2u);
    EXPECT_TRUE(open[kCutSection].empty());
    // LF-only files read the same as CR LF files.
    std::string lf = kSmallProject;
    for (std::size_t pos; (pos = lf.find("\r\n")) != std::string::npos;) lf.erase(pos, 1);
    EXPECT_EQ(projectText(parseProject(lf)), kSmallProject);
    // Binary garbage: some sections, never a crash.
    std::mt19937 gen(3);
    for (int i = 0; i < 500; ++i) {
        std::string junk;
        for (int j = 0; j < 200; ++j) junk += static_cast<char>(gen() % 7 == 0 ? '\n' : gen() & 0xff);
        if (i % 3 == 0) junk += "\r\n[END]\r\n";
        const Project p = parseProject(junk);
        const Project again = parseProject(projectText(p));
        EXPECT_EQ(again.sections, p.sections);
    }
}

TEST(ProjectFile, UnpackAndPackGoThroughTheTableFiles) {
    TempFolder dir;
    Workspace ws(dir.path());
    unpackProject(parseProject(kSmallProject), ws);
    EXPECT_EQ(dir.read("options.tlf"), "-1,0\r\n");
    EXPECT_EQ(dir.read("dia.tlf"), "");
    EXPECT_EQ(projectText(packProject(ws)), kSmallProject);
}

TEST(ProjectFile, AFailedSaveKeepsThePreviousProject) {
    TempFolder dir;
    const auto path = dir.write("job.opt", kSmallProject);
    EXPECT_THROW(writeProjectFile(dir / "missing-folder" / "job.opt", parseProject(kSmallProject)), FileError);
    EXPECT_THROW(readProjectFile(dir / "nope.opt"), FileError);
    EXPECT_EQ(test::readFile(path), kSmallProject);
}

TEST(ProjectFile, EveryExampleProjectRoundTripsByteForByte) {
    int checked = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(VELTRIX_EXAMPLES)) {
        const std::string ext = toLower(entry.path().extension().string());
        if (ext != ".opt" && ext != ".dcm" && entry.path().filename() != "Defaults") continue;
        const std::string original = test::readFile(entry.path());
        // Through the table files of a working folder, as Open then Save do.
        TempFolder dir;
        Workspace ws(dir.path());
        unpackProject(readProjectFile(entry.path()), ws);
        writeProjectFile(dir / "saved.opt", packProject(ws));
        EXPECT_EQ(dir.read("saved.opt"), original) << entry.path();
        ++checked;
    }
    EXPECT_GE(checked, 3);
}

TEST(JobFile, ReadsTheTablesAndTheModeOfAProject) {
    TempFolder dir;
    dir.write("coil.DCM", kSmallProject);
    const JobFile job = readJobFile(dir / "coil.DCM");
    EXPECT_EQ(job.mode, StockMode::Coil);
    EXPECT_TRUE(job.tables.sheets.isHidden(kSheetQty));
    EXPECT_EQ(job.tables.basic.cell(1, kKerf), "3.2");
    EXPECT_EQ(job.tables.cuts.cell(1, kCutDescription), "SIDE");
    EXPECT_EQ(job.objective.mode(), 1);
    // The tables go back into the project as their grids save them.
    JobFile copy = job;
    copy.tables.cuts.setCell(1, kCutQty, "7");
    tablesIntoProject(copy.tables, copy.objective, copy.project);
    EXPECT_NE(copy.project[kCutSection][0].find("\"7\""), std::string::npos);
    EXPECT_EQ(copy.project[kSheetSection], job.project[kSheetSection]);
}

}  // namespace
}  // namespace veltrix
