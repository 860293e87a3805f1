// The frame: launcher buttons, the base module's menus, View without a result, the save question
// on leaving, help, start-up with the single-instance lock and the working folder.

#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include "platform/instance_lock.h"
#include "table/file_ops.h"
#include "ui/base_window.h"
#include "ui/desktop.h"
#include "ui/help_window.h"
#include "ui/grid_view.h"
#include "ui/job_windows.h"
#include "ui/launcher_window.h"
#include "ui_support.h"

namespace veltrix::ui {
namespace {

using test::Harness;

TEST(BaseModuleWindow, MenusCarryTheirShortcutsAndTheObjectiveChecks) {
    Harness h;
    h.dir.write("options.tlf", "0,-1\r\n");
    BaseWindow base(h.services, StockMode::Sheet);
    base.start();
    const std::pair<const char*, const char*> shortcuts[] = {
        {"mnuNew", "Ctrl+N"}, {"mnuOpen", "Ctrl+O"}, {"mnuSave", "Ctrl+S"}, {"mnuBasic", "F4"},
        {"mnuSheets", "F2"},  {"mnuCuts", "F3"},     {"mnuOptimize", "F5"}, {"mnuReport", "F7"},
        {"mnuLayouts", "F8"}, {"mnuOffcuts", "F6"},  {"mnuUnit", "F9"},     {"mnuHelp", "F1"}};
    for (const auto& [name, key] : shortcuts)
        EXPECT_EQ(base.action(name)->shortcut().toString(), QString::fromLatin1(key)) << name;
    EXPECT_EQ(base.action("mnuSaveAs")->text(), "Save &As...");
    EXPECT_EQ(base.action("tbNew")->toolTip(), "New FIle");
    EXPECT_EQ(base.action("tbOffcuts")->toolTip(), "Off-Cut Table");

    // The options file checks "Minimum Layouts" only; either item flips both.
    EXPECT_FALSE(base.action("mnuMaxYield")->isChecked());
    EXPECT_TRUE(base.action("mnuMinLayouts")->isChecked());
    base.action("mnuMaxYield")->trigger();
    EXPECT_TRUE(base.action("mnuMaxYield")->isChecked());
    EXPECT_FALSE(base.action("mnuMinLayouts")->isChecked());
    EXPECT_TRUE(base.module().state().changed);  // any click in the Optimize menu
    base.action("mnuMaxYield")->trigger();
    EXPECT_FALSE(base.action("mnuMaxYield")->isChecked());
    EXPECT_TRUE(base.action("mnuMinLayouts")->isChecked());
}

TEST(BaseModuleWindow, ViewWithoutAResultSaysSoAndOpensNothing) {
    Harness h;
    BaseWindow base(h.services, StockMode::Sheet);
    base.start();
    const int children = static_cast<int>(base.mdiArea()->subWindowList().size());
    for (const char* item : {"mnuReport", "mnuLayouts", "mnuOffcuts", "tbLayouts"}) base.action(item)->trigger();
    ASSERT_EQ(h.prompt.messages.size(), 4u);
    for (const auto& m : h.prompt.messages) {
        EXPECT_EQ(m.text, "This file was not optimized.");
        EXPECT_EQ(m.title, "Attention!");
    }
    EXPECT_EQ(base.mdiArea()->subWindowList().size(), children);
    EXPECT_EQ(base.diaWindow(), nullptr);
    EXPECT_EQ(base.reportWindow(), nullptr);
    EXPECT_EQ(base.offcutWindow(), nullptr);
}

TEST(BaseModuleWindow, LeavingWithChangesAsksAndCancelStays) {
    Harness h;
    LauncherWindow launcher(h.services);
    launcher.show();
    launcher.button("cmdBase")->click();
    BaseWindow* base = launcher.baseWindow();
    ASSERT_NE(base, nullptr);
    EXPECT_FALSE(launcher.isVisible());
    EXPECT_TRUE(base->isVisible());
    test::typeInto(*base->cutWindow(), 1, 1, "9");

    h.prompt.push(Answer::Cancel);
    base->action("mnuExit")->trigger();
    EXPECT_EQ(h.messageTexts(), std::vector<std::string>{"Save changes in current file?"});
    EXPECT_TRUE(base->isVisible());
    EXPECT_FALSE(launcher.isVisible());

    h.prompt.push(Answer::No);
    base->action("mnuExit")->trigger();
    EXPECT_TRUE(launcher.isVisible());
    // The job's tables stay until the launcher's Exit.
    EXPECT_EQ(h.dir.read("cut.tlf").substr(0, 4), "\"9\",");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(launcher.baseWindow(), nullptr);
}

TEST(Launcher, ButtonsOpenTheirWindowsOrSaySo) {
    Harness h;
    LauncherWindow launcher(h.services);
    EXPECT_EQ(launcher.windowTitle(), "Veltrix Suite");
    EXPECT_EQ(launcher.button("cmdDcm")->toolTip(), "RiRiza Manager");
    EXPECT_EQ(launcher.button("cmdExit")->toolTip(), "Close Veltrix Suite");
    launcher.button("cmdLoad")->click();
    EXPECT_EQ(h.messageTexts(), std::vector<std::string>{"No valid products in PLM"});
    // "Backup" opens the backup window modally.
    bool backupShown = false;
    test::whileModal([&] { launcher.button("cmdBackup")->click(); },
                     [&](QWidget* modal) {
                         if (modal->objectName() != "BACKUP") return false;
                         backupShown = true;
                         modal->close();
                         return true;
                     });
    EXPECT_TRUE(backupShown);
    EXPECT_EQ(h.prompt.messages.size(), 1u);

    launcher.button("cmdDcm")->click();
    ASSERT_NE(launcher.baseWindow(), nullptr);
    EXPECT_EQ(launcher.baseWindow()->module().state().mode, StockMode::Coil);
    launcher.baseWindow()->close();
}

TEST(Launcher, ExitDeletesTheScratchTables) {
    Harness h;
    h.dir.write("cut.tlf", "");
    h.dir.write("report.tlf", "x");
    h.dir.write("sheets.Adj", "x");
    h.dir.write("kitchen.opt", "x");
    LauncherWindow launcher(h.services);
    launcher.show();
    launcher.button("cmdExit")->click();
    EXPECT_FALSE(fileExists(h.dir / "cut.tlf"));
    EXPECT_FALSE(fileExists(h.dir / "report.tlf"));
    EXPECT_FALSE(fileExists(h.dir / "sheets.Adj"));
    EXPECT_TRUE(fileExists(h.dir / "kitchen.opt"));
    EXPECT_FALSE(launcher.isVisible());
}

TEST(Help, F1ShowsTheHelpFileOfTheWorkingFolder) {
    Harness h;
    LauncherWindow launcher(h.services);
    launcher.show();
    QTest::keyClick(&launcher, Qt::Key_F1);
    ASSERT_EQ(h.shell.helpShown.size(), 1u);
    EXPECT_EQ(h.shell.helpShown[0], h.dir / "opt.hlp");
    EXPECT_EQ(h.shell.topics[0], 0);

    BaseWindow base(h.services, StockMode::Sheet);
    base.start();
    base.action("mnuHelp")->trigger();
    EXPECT_EQ(h.shell.helpShown.size(), 2u);
    // F1 in a grid opens the help too.
    QTest::keyClick(base.cutWindow()->view(), Qt::Key_F1);
    EXPECT_EQ(h.shell.helpShown.size(), 3u);
}

TEST(Help, TheHelpWindowOpensAtATopic) {
    Harness h;
    const auto file = h.dir.write("opt.hlp", "Contents\r\n\r\n## [12] Entering\r\ntext\r\n## [54] When a run fails\r\nmore\r\n");
    EXPECT_EQ(helpTopicLine("a\n[54] x\n## [5] y\n", 5), 2);
    EXPECT_EQ(helpTopicLine("a\n[54] x\n", 5), 0);  // "[5]" is not "[54]"
    HelpWindow window;
    window.showFile(file, 54);
    EXPECT_EQ(window.topicLine(), 4);
    EXPECT_TRUE(window.text().startsWith("Contents"));
    window.showFile(h.dir / "missing.hlp", 0);
    EXPECT_TRUE(window.text().contains("not found"));
}

TEST(Startup, ASecondStartIsRefusedAndAStaleLockIsNot) {
    Harness h;
    const auto locks = h.dir / "locks";
    std::filesystem::create_directories(locks);
    StartOptions options = readStartOptions({"--workdir", (h.dir / "work").string()}, h.dir.path());
    ASSERT_TRUE(options.error.empty());

    {
        InstanceLock running(locks, "Veltrix Suite");
        ASSERT_TRUE(running.acquire());
        InstanceLock second(locks, "Veltrix Suite");
        EXPECT_FALSE(prepareStart(options, second, h.prompt).has_value());
        ASSERT_EQ(h.prompt.messages.size(), 1u);
        EXPECT_EQ(h.prompt.messages[0].text, "Veltrix Suite is already running");
        EXPECT_EQ(h.prompt.messages[0].icon, Icon::Information);
        EXPECT_FALSE(std::filesystem::exists(h.dir / "work"));
    }
    // The first instance ended (or crashed): its lock file is still there but holds nobody.
    ASSERT_FALSE(std::filesystem::is_empty(locks));
    InstanceLock next(locks, "Veltrix Suite");
    const auto folder = prepareStart(options, next, h.prompt);
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(*folder, h.dir / "work");
    EXPECT_TRUE(std::filesystem::is_directory(*folder));
    EXPECT_EQ(h.prompt.messages.size(), 1u);
}

TEST(Startup, CommandLine) {
    EXPECT_EQ(readStartOptions({"--workdir=/x/y"}, "/p").folders.commandLine, std::filesystem::path("/x/y"));
    EXPECT_FALSE(readStartOptions({"--workdir"}, "/p").error.empty());
    EXPECT_FALSE(readStartOptions({"--colour"}, "/p").error.empty());
    EXPECT_TRUE(readStartOptions({"--help"}, "/p").help);
    EXPECT_EQ(readStartOptions({}, "/p").folders.programFolder, std::filesystem::path("/p"));
}

TEST(Startup, AWorkingFolderThatCannotBeMadeIsToldAndEndsTheStart) {
    Harness h;
    h.dir.write("file", "x");
    StartOptions options = readStartOptions({"--workdir", (h.dir / "file" / "sub").string()}, h.dir.path());
    InstanceLock lock(h.dir.path(), "Veltrix Suite");
    EXPECT_FALSE(prepareStart(options, lock, h.prompt).has_value());
    ASSERT_EQ(h.prompt.messages.size(), 1u);
    EXPECT_NE(h.prompt.messages[0].text.find("sub"), std::string::npos);
}

}  // namespace
}  // namespace veltrix::ui
