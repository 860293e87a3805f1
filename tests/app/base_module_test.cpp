#include "app/base_module.h"

#include <gtest/gtest.h>

#include "app/job_editing.h"
#include "app/launcher.h"
#include "app/working_folder.h"
#include "job/plan.h"
#include "job/project_file.h"
#include "support/fakes.h"
#include "platform/file_dialogs.h"
#include "platform/instance_lock.h"
#include "platform/prompt.h"
#include "support/temp_folder.h"
#include "base/file_ops.h"

namespace veltrix {
namespace {

using test::TempFolder;

const char* kJob =
    "[BASIC.TLF]\r\n\"PB\",\"\",\"18\",\"3100\",\"0\",\"3.2\",\"0\",\"NOTE\"\r\n[END]\r\n"
    "[OPTIONS.TLF]\r\n0,-1\r\n[END]\r\n"
    "[SHEET.TLF]\r\n\"2440\",\"1220\",\"20\",\"12\",\"12\",\"12\",\"12\",\"RACK A\"\r\n[END]\r\n"
    "[CUT.TLF]\r\n\"720\",\"\",\"\",\"\",\"\",\"560\",\"\",\"\",\"\",\"\",\"6\",\"\",\"SIDE\",\"\",\"\",\"\",\"\"\r\n[END]\r\n"
    "[DIA.TLF]\r\n[END]\r\n";

const char* kDefaults =
    "[BASIC.TLF]\r\n\"MDF\",\"YES\",\"16\",\"3000\",\"0\",\"4\",\"0\",\"\"\r\n[END]\r\n"
    "[OPTIONS.TLF]\r\n-1,0\r\n[END]\r\n[SHEET.TLF]\r\n[END]\r\n[CUT.TLF]\r\n[END]\r\n[DIA.TLF]\r\n[END]\r\n";

struct RecordingHooks : FrameHooks {
    int closedResults = 0, layoutsShown = 0, reloads = 0, closed = 0;
    std::string caption;
    void closeResultWindows() override { ++closedResults; }
    void showLayouts() override { ++layoutsShown; }
    void tablesReloaded() override { ++reloads; }
    void captionChanged(const std::string& c) override { caption = c; }
    void baseModuleClosed() override { ++closed; }
};

struct Fixture : ::testing::Test {
    TempFolder dir;
    ScriptedPrompt prompt;
    ScriptedFileDialogs dialogs;
    RecordingHooks hooks;
    BaseModule module{Workspace(dir.path()), StockMode::Sheet, prompt, dialogs, hooks};
    // Starts the module and opens kJob stored as `name`.
    std::filesystem::path open(const char* name = "job.opt") {
        const auto path = dir.write(name, kJob);
        module.start();
        dialogs.pushOpen(path.string());
        module.fileOpen();
        return path;
    }
};

using BaseModuleTest = Fixture;

TEST_F(BaseModuleTest, StartsFromDefaultsWhenThereAreAny) {
    dir.write("Defaults", kDefaults);
    module.start();
    EXPECT_EQ(module.tables().basic.cell(1, kMat), "MDF");
    EXPECT_TRUE(module.tables().sheets.rowEmpty(1));
    EXPECT_FALSE(module.document().changed);
    EXPECT_EQ(hooks.caption, "Veltrix Suite [Base Module]");
    EXPECT_EQ(module.document().objective.mode(), OptimizationMode::MaximumYield);
}

TEST_F(BaseModuleTest, OpenShowsTheJobAndItsCaption) {
    const auto path = open("Kitchen.OPT");
    EXPECT_EQ(module.tables().sheets.cell(1, kSheetLocation), "RACK A");
    EXPECT_EQ(module.document().objective.mode(), OptimizationMode::MinimumLayouts);
    EXPECT_EQ(module.projectPath(), path.string());
    EXPECT_EQ(hooks.caption, "Veltrix Suite [Base Module] - " + toLower(path.string()));
    // The job was never optimized.
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, "This file was not optimized.");
    EXPECT_EQ(hooks.layoutsShown, 0);
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].title, "Open File...");
    EXPECT_EQ(dialogs.requests[0].filter, "Veltrix Suite - Veltrix Suite [Base Module] (*.opt)|*.opt");
}

TEST_F(BaseModuleTest, TheSaveQuestion) {
    const auto path = open();
    // Nothing changed: New asks nothing.
    prompt.messages.clear();
    module.fileNew();
    EXPECT_TRUE(prompt.messages.empty());

    // Changed, answered Yes: the save dialog opens even though the job has a name.
    dialogs.pushOpen(path.string());
    module.fileOpen();
    module.document().changed = true;
    prompt.messages.clear();
    prompt.push(Answer::Yes);
    dialogs.pushSave((dir / "copy.opt").string());
    module.fileNew();
    ASSERT_FALSE(prompt.messages.empty());
    EXPECT_EQ(prompt.messages[0].text, "Save changes in current file?");
    EXPECT_EQ(prompt.messages[0].buttons, Buttons::YesNoCancel);
    EXPECT_TRUE(fileExists(dir / "copy.opt"));
    EXPECT_EQ(module.projectPath(), "");

    // Answered Yes but the save dialog cancelled: the job is kept, as on Cancel.
    module.document().changed = true;
    module.tables().basic.setCell(1, kNote, "KEEP ME");
    prompt.push(Answer::Yes);
    module.fileNew();
    EXPECT_EQ(module.tables().basic.cell(1, kNote), "KEEP ME");
    EXPECT_TRUE(module.document().changed);

    // Cancel keeps the base module open on Exit.
    prompt.push(Answer::Cancel);
    EXPECT_FALSE(module.fileExit());
    EXPECT_EQ(hooks.closed, 0);
    prompt.push(Answer::No);
    EXPECT_TRUE(module.fileExit());
    EXPECT_EQ(hooks.closed, 1);
}

TEST_F(BaseModuleTest, SaveAsDefaultsKeepsOnlyBasicDetailsAndOptions) {
    open();
    prompt.push(Answer::Yes);
    module.fileSaveAsDefaults();
    const Project defaults = readProjectFile(dir / "Defaults");
    EXPECT_EQ(defaults[kBasicSection].size(), 1u);
    EXPECT_TRUE(defaults[kSheetSection].empty());
    EXPECT_TRUE(defaults[kCutSection].empty());
    EXPECT_EQ(defaults[kOptionsSection], (std::vector<std::string>{"0,-1"}));
    // The open job keeps its rows.
    EXPECT_EQ(module.tables().sheets.cell(1, kSheetLocation), "RACK A");
    // The question defaults to No.
    EXPECT_EQ(prompt.messages.back().defaultAnswer, Answer::No);
    // New now shows the saved basic details and no sheets or pieces.
    module.fileNew();
    EXPECT_EQ(module.tables().basic.cell(1, kMat), "PB");
    EXPECT_TRUE(module.tables().sheets.rowEmpty(1));
    EXPECT_TRUE(module.tables().cuts.rowEmpty(1));
    EXPECT_EQ(hooks.caption, "Veltrix Suite [Base Module]");
}

TEST_F(BaseModuleTest, NewWithoutDefaultsOnlyForgetsTheName) {
    open();
    module.state().continuationIteration = 12;
    module.fileNew();
    EXPECT_EQ(module.tables().sheets.cell(1, kSheetLocation), "RACK A");
    EXPECT_EQ(module.projectPath(), "");
    EXPECT_EQ(module.state().continuationIteration, 0);
}

TEST_F(BaseModuleTest, AFailedSaveIsReportedAndNothingIsLost) {
    open();
    module.document().changed = true;
    module.document().path = dir / "no-such-folder" / "job.opt";
    prompt.messages.clear();
    module.fileSave();
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_NE(prompt.messages[0].text.find("no-such-folder"), std::string::npos);
    EXPECT_TRUE(module.document().changed);
    EXPECT_EQ(dir.read("job.opt"), kJob);
    // Opening a file that cannot be read keeps the open job.
    prompt.messages.clear();
    dialogs.pushOpen((dir / "gone.opt").string());
    module.document().changed = false;
    module.fileOpen();
    EXPECT_EQ(module.tables().sheets.cell(1, kSheetLocation), "RACK A");
    EXPECT_EQ(prompt.messages.size(), 1u);
}

// The question itself, the windows it closes and the blank row are the desktop tests'; here: the
// answer decides whether the plan and the point to continue from survive the edit.
TEST_F(BaseModuleTest, EditingAJobWithAResultAsksFirst) {
    open();
    module.setPlan(parsePlan("1,-1,1,0,0,1223.2,2443.2,1,0\r\n"));
    module.state().continuationIteration = 9;
    prompt.push(Answer::No);
    typeIntoJobGrid(module, JobGrid::Cuts, 1, kCutQty, '7');
    EXPECT_EQ(module.tables().cuts.cell(1, kCutQty), "6");
    EXPECT_EQ(module.state().continuationIteration, 9);
    prompt.push(Answer::Yes);
    typeIntoJobGrid(module, JobGrid::Cuts, 1, kCutQty, '7');
    EXPECT_EQ(module.tables().cuts.cell(1, kCutQty), "67");
    EXPECT_EQ(module.state().continuationIteration, 0);
    EXPECT_TRUE(module.document().plan.empty());
}

TEST_F(BaseModuleTest, ObjectiveAndViewChecks) {
    module.start();
    module.toggleObjective();
    EXPECT_TRUE(module.document().changed);
    EXPECT_EQ(module.document().objective.mode(), OptimizationMode::MinimumLayouts);
    EXPECT_FALSE(module.checkResultForView());
    module.setPlan(parsePlan("1,-1,1,0,0,10,10,1,0\r\n"));
    EXPECT_TRUE(module.checkResultForView());
    // The options are saved with the job.
    dialogs.pushSave((dir / "o.opt").string());
    module.fileSaveAs();
    EXPECT_EQ(readProjectFile(dir / "o.opt")[kOptionsSection], (std::vector<std::string>{"0,-1"}));
}

TEST(CoilMode, CaptionsFilterAndHiddenQuantity) {
    TempFolder dir;
    ScriptedPrompt prompt;
    ScriptedFileDialogs dialogs;
    RecordingHooks hooks;
    BaseModule module(Workspace(dir.path()), StockMode::Coil, prompt, dialogs, hooks);
    module.start();
    EXPECT_EQ(hooks.caption, "RiRiza Manager");
    EXPECT_EQ(module.fileFilter(), "Veltrix Suite - RiRiza Manager (*.dcm)|*.dcm");
    EXPECT_TRUE(module.tables().sheets.isHidden(kSheetQty));
    module.fileSaveAs();  // the dialog cancelled: nothing saved
    EXPECT_EQ(module.projectPath(), "");
    // The mode's extension is added to a name typed without one.
    dialogs.pushSave((dir / "roll").string());
    module.fileSaveAs();
    EXPECT_TRUE(fileExists(dir / "roll.dcm"));
    EXPECT_EQ(module.projectPath(), (dir / "roll.dcm").string());
}

TEST(Launcher, LoadProductsNeedsAProductList) {
    TempFolder dir;
    ScriptedPrompt prompt;
    EXPECT_FALSE(productsAvailable(Workspace(dir.path()), prompt));
    dir.write("products.lst", "");
    EXPECT_FALSE(productsAvailable(Workspace(dir.path()), prompt));
    ASSERT_EQ(prompt.messages.size(), 2u);
    EXPECT_EQ(prompt.messages[0].text, "No valid products in PLM");
    dir.write("products.lst", "\"CHAIR\"\r\n");
    EXPECT_TRUE(productsAvailable(Workspace(dir.path()), prompt));
}

TEST(SingleInstance, ASecondHolderIsRefusedAndAReleasedLockIsFree) {
    TempFolder dir;
    {
        InstanceLock first(dir.path(), "Veltrix Suite");
        EXPECT_TRUE(first.acquire());
        InstanceLock second(dir.path(), "Veltrix Suite");
        EXPECT_FALSE(second.acquire());
    }
    // The lock file stays behind, as after a crash, and blocks nothing.
    InstanceLock third(dir.path(), "Veltrix Suite");
    EXPECT_TRUE(third.acquire());
}

TEST(WorkingFolder, OrderOfChoice) {
    TempFolder dir;
    WorkingFolderSources s;
    s.commandLine = dir / "cli";
    s.environment = dir / "env";
    EXPECT_EQ(chooseWorkingFolder(s), dir / "cli");
    s.commandLine.reset();
    EXPECT_EQ(chooseWorkingFolder(s), dir / "env");
    s.environment.reset();
    s.programFolder = dir / "bin";
    std::filesystem::create_directory(s.programFolder);
    s.userDataFolder = dir / "user";
    s.templates = dir / "templates";
    dir.write("templates/misc.set", "\"Area\"\r\n");
    // A program folder without data files is not a portable install.
    EXPECT_EQ(chooseWorkingFolder(s), dir / "user");
    EXPECT_EQ(dir.read("user/misc.set"), "\"Area\"\r\n");
    // Seeding happens once; later changes of the user's files stay.
    dir.write("user/misc.set", "\"Weight\"\r\n");
    EXPECT_EQ(chooseWorkingFolder(s), dir / "user");
    EXPECT_EQ(dir.read("user/misc.set"), "\"Weight\"\r\n");
    dir.write("bin/misc.set", "x");
    EXPECT_EQ(chooseWorkingFolder(s), dir / "bin");
}

}  // namespace
}  // namespace veltrix
