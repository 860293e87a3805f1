// The use-cases the command-line tool and the desktop program share: runs refused before they
// start change nothing, a failed run names the row that fits nowhere, and changed tables discard a
// plan that no longer fits them. A run stopped and continued is checked through both programs
// (tests/cli, tests/ui) and in the engine.

#include "app/job_commands.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include "support/fakes.h"
#include "support/temp_folder.h"
#include "two_variety_job.h"
#include "base/workspace.h"

namespace veltrix {
namespace {

struct JobCommands : ::testing::Test {
    test::TempFolder dir;
    ScriptedPrompt prompt;
    engine::RunObserver quiet;
    Workspace workspace{dir.path()};

    Document job() { return openJob(dir.write("job.opt", test::kTwoVarietyJob)); }
};

TEST_F(JobCommands, RunsRefusedBeforeTheyStartChangeNothing) {
    // A tolerance above 10 is told and nothing runs (a continuation without the stopped run's plan
    // is refused through the command line, tests/cli).
    Document tolerant = job();
    tolerant.tables.basic.setCell(1, kTol, "11");
    tolerant.plan = parsePlan("1,-1,1,0,0,1224,2444,1,0\r\n");
    const engine::RunOutcome refused = optimizeJob(tolerant, workspace, {}, quiet, {}, prompt);
    EXPECT_EQ(refused.status, engine::RunOutcome::Status::Invalid);
    EXPECT_TRUE(refused.failed);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, "Tolerance should not exceed 10");
    EXPECT_EQ(tolerant.plan.items.size(), 1u);

    // An invalid job keeps its plan too.
    Document empty = job();
    empty.tables.cuts.loadText("");
    empty.plan = tolerant.plan;
    EXPECT_EQ(optimizeJob(empty, workspace, {}, quiet, {}, prompt).message, "No valid CUT-PIECES specfied.");
    EXPECT_EQ(empty.plan, tolerant.plan);
}

TEST_F(JobCommands, AFailedRunSaysWhichRowFitsNowhereAndWhy) {
    struct Case {
        std::string grain, length, width, align, why;  // one cut-piece row on 1000 x 500 sheets, kerf 0
    };
    for (const Case& c : std::vector<Case>{
             {"", "1200", "100", "", "it is longer than every sheet"},
             {"", "1000", "600", "", "it is wider than every sheet"},
             {"YES", "400", "900", "YES", "it must follow the grain"},
         }) {
        SCOPED_TRACE(c.why);
        Document doc = job();
        doc.tables.basic.setCell(1, kGrain, c.grain);
        doc.tables.basic.setCell(1, kKerf, "0");
        doc.tables.sheets.loadText("\"1000\",\"500\",\"3\",\"\",\"\",\"\",\"\",\"\"\r\n");
        doc.tables.cuts.loadText("");
        doc.tables.cuts.setCell(1, kCutLength, c.length);
        doc.tables.cuts.setCell(1, kCutWidth, c.width);
        doc.tables.cuts.setCell(1, kCutQty, "1");
        doc.tables.cuts.setCell(1, kCutAlign, c.align);
        doc.tables.cuts.setCell(1, kCutDescription, "LEG");
        const engine::RunOutcome outcome = optimizeJob(doc, workspace, {}, quiet, {}, prompt);
        EXPECT_EQ(outcome.message, "Optimization failed.");
        const std::string expected =
            "Cut-piece row 1 (" + c.length + " x " + c.width + " LEG) cannot be placed on any sheet: " + c.why;
        EXPECT_EQ(outcome.reason.rfind(expected, 0), 0u) << outcome.reason;
    }
}

TEST_F(JobCommands, ChangedTablesDiscardThePlanAndSaveAsTheGridsWrite) {
    Document doc = job();
    optimizeJob(doc, workspace, {}, quiet, {}, prompt);
    ASSERT_FALSE(doc.plan.empty());
    const auto csv = dir.write("cuts.csv", "LENGTH,WIDTH,QTY,DESCRIPTION\r\n500,300,2,top,\r\n");
    const TableImport done = importTables(doc, {}, csv);
    EXPECT_TRUE(done.planDiscarded);
    EXPECT_TRUE(doc.plan.empty());
    saveJob(doc);
    const std::string saved = dir.read("job.opt");
    EXPECT_NE(saved.find("\"500\",\"\",\"\",\"\",\"\",\"300\",\"\",\"\",\"\",\"\",\"2\",\"\",\"TOP\""), std::string::npos);
    // The sections that did not change stay as they were stored.
    EXPECT_NE(saved.find("\"PB\",\"\",\"18\",\"3000\",\"0\",\"4\",\"0\",\"\""), std::string::npos);
    EXPECT_NE(saved.find("[DIA.TLF]\r\n[END]"), std::string::npos);
    // A CSV that cannot be read leaves the job as it was.
    EXPECT_THROW(importTables(doc, dir / "missing.csv", csv), FileError);
    EXPECT_EQ(doc.tables.cuts.cell(1, 1), "500");
}

// A run writes its plan over the job it read. When another program (an import) wrote the job in
// the meantime, that edit is kept and the result goes beside it; a job is never stored under the
// other mode's extension, nor written over by an output.
TEST_F(JobCommands, AnEditMadeDuringARunIsKeptAndTheResultSavedBeside) {
    Document doc = job();
    optimizeJob(doc, workspace, {}, quiet, {}, prompt);
    ASSERT_FALSE(doc.plan.empty());
    Document other = openJob(dir / "job.opt");
    importTables(other, {}, dir.write("cuts.csv", "LENGTH,WIDTH,QTY\r\n500,300,2\r\n"));
    saveJob(other);
    const std::string edited = dir.read("job.opt");
    try {
        saveJob(doc);
        ADD_FAILURE() << "the concurrent edit was overwritten";
    } catch (const UsageError& e) {
        EXPECT_NE(std::string(e.what()).find("job.result-1.opt"), std::string::npos) << e.what();
    }
    EXPECT_EQ(dir.read("job.opt"), edited);
    EXPECT_EQ(readDocument(dir / "job.result-1.opt").plan, doc.plan);
    // An edit in place of the same size still counts (the file's clock ticks at least every 10 ms).
    Document again = openJob(dir / "job.opt");
    usleep(30000);
    std::string touched = edited;
    touched[touched.find("\"500\"") + 1] = '6';
    test::writeFile(dir / "job.opt", touched);
    EXPECT_THROW(saveJob(again), UsageError);
    EXPECT_EQ(dir.read("job.opt"), touched);
    EXPECT_TRUE(std::filesystem::exists(dir / "job.result-2.opt"));
    // Written unchanged since: saved in place, and again.
    Document fresh = openJob(dir / "job.opt");
    saveJob(fresh);
    saveJob(fresh);
    EXPECT_FALSE(std::filesystem::exists(dir / "job.result-3.opt"));

    EXPECT_THROW(saveJob(fresh, dir / "job.dcm"), UsageError);
    EXPECT_FALSE(std::filesystem::exists(dir / "job.dcm"));
    fresh.mode = StockMode::Coil;
    EXPECT_THROW(checkJobTarget(fresh, dir / "x.OPT"), UsageError);
    EXPECT_NO_THROW(checkJobTarget(fresh, dir / "x.DCM"));
    std::filesystem::create_symlink(dir / "job.opt", dir / "link.htm");
    EXPECT_THROW(refuseJobAsOutput(fresh, dir / "link.htm"), UsageError);
    EXPECT_THROW(refuseJobAsOutput(fresh, dir / "job.opt"), UsageError);
    EXPECT_NO_THROW(refuseJobAsOutput(fresh, dir / "labels.htm"));
}

}  // namespace
}  // namespace veltrix
