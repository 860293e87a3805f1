#include "tools/backup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "support/temp_folder.h"

namespace veltrix::tools {
namespace {

namespace fs = std::filesystem;
using veltrix::test::TempFolder;

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Backup, CopiesEveryNormalFileOfTheWorkingFolderIntoOptdata) {
    TempFolder work, drive;
    work.write("cut.tlf", "\"600\"\r\n");
    work.write("Defaults", "defaults");
    work.write("kitchen.opt", std::string("bin\0ary", 7));
    work.write(".hidden", "x");
    fs::create_directory(work / "sub");
    work.write("sub/inner.tlf", "x");

    std::vector<std::pair<int, int>> steps;
    const BackupResult r = runBackup(work.path(), drive.path(), [&](int done, int total) { steps.emplace_back(done, total); });
    EXPECT_EQ(r.status, BackupStatus::Completed);
    EXPECT_EQ(r.message(), "BACKUP completed.");
    EXPECT_EQ(r.copied, 3);
    EXPECT_EQ(r.target, drive / "optdata");
    EXPECT_EQ(namesIn(drive / "optdata"), (std::vector<std::string>{"Defaults", "cut.tlf", "kitchen.opt"}));
    EXPECT_EQ(veltrix::test::readFile(drive / "optdata" / "kitchen.opt"), std::string("bin\0ary", 7));
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
}

TEST(Backup, ASecondBackupLeavesExactlyTheCurrentFiles) {
    TempFolder work, drive;
    work.write("a.tlf", "first");
    work.write("b.tlf", "first");
    ASSERT_EQ(runBackup(work.path(), drive.path()).status, BackupStatus::Completed);
    drive.write("optdata/stray.txt", "left by someone");

    fs::remove(work / "b.tlf");
    work.write("a.tlf", "second");
    work.write("c.tlf", "new");
    ASSERT_EQ(runBackup(work.path(), drive.path()).status, BackupStatus::Completed);
    EXPECT_EQ(namesIn(drive / "optdata"), (std::vector<std::string>{"a.tlf", "c.tlf"}));
    EXPECT_EQ(drive.read("optdata/a.tlf"), "second");
}

TEST(Backup, AnOptdataFolderInOtherLettersIsReused) {
    TempFolder work, drive;
    work.write("a.tlf", "x");
    fs::create_directory(drive / "OPTDATA");
    const BackupResult r = runBackup(work.path(), drive.path());
    EXPECT_EQ(r.target, drive / "OPTDATA");
    EXPECT_EQ(drive.read("OPTDATA/a.tlf"), "x");
    EXPECT_FALSE(fs::exists(drive / "optdata") && !fs::equivalent(drive / "optdata", drive / "OPTDATA"));
}

TEST(Backup, AnEmptyWorkingFolderCreatesNothing) {
    TempFolder work, drive;
    fs::create_directory(work / "only-a-folder");
    const BackupResult r = runBackup(work.path(), drive.path());
    EXPECT_EQ(r.status, BackupStatus::NoFiles);
    EXPECT_EQ(r.message(), "No file(s) to BACKUP");
    EXPECT_TRUE(namesIn(drive.path()).empty());
}

TEST(Backup, AFailedCopyEndsTheBackupAndKeepsWhatWasCopied) {
    TempFolder work, drive;
    for (const char* name : {"a.tlf", "b.tlf", "c.tlf"}) work.write(name, name);
    // A folder of the same name in the target cannot be replaced by a file copy.
    fs::create_directories(drive / "optdata" / "b.tlf");
    std::vector<std::pair<int, int>> steps;
    const BackupResult r = runBackup(work.path(), drive.path(), [&](int done, int total) { steps.emplace_back(done, total); });
    EXPECT_EQ(r.status, BackupStatus::Failed);
    EXPECT_EQ(r.message(), "Problem occured! You need to run BACKUP again. ");
    EXPECT_EQ(r.failedFile, "b.tlf");
    EXPECT_EQ(r.copied, 1);
    EXPECT_EQ(drive.read("optdata/a.tlf"), "a.tlf");
    EXPECT_FALSE(fs::exists(drive / "optdata" / "c.tlf"));
    EXPECT_EQ(steps.back(), (std::pair<int, int>{1, 3}));
}

TEST(Backup, ADriveThatIsNoFolderFailsWithTheMessage) {
    TempFolder work, other;
    work.write("a.tlf", "x");
    const BackupResult r = runBackup(work.path(), other / "not-mounted");
    EXPECT_EQ(r.status, BackupStatus::Failed);
    EXPECT_EQ(r.failedFile, "a.tlf");
    EXPECT_FALSE(fs::exists(other / "not-mounted"));
}

TEST(Backup, ATargetThatIsTheWorkingFolderIsRefusedAndNothingIsDeleted) {
    TempFolder parent;
    const fs::path work = parent / "optdata";
    fs::create_directory(work);
    veltrix::test::writeFile(work / "cut.tlf", "keep me");
    const BackupResult r = runBackup(work, parent.path());
    EXPECT_EQ(r.status, BackupStatus::Refused);
    EXPECT_NE(r.message().find("working folder"), std::string::npos);
    EXPECT_EQ(veltrix::test::readFile(work / "cut.tlf"), "keep me");
}

}  // namespace
}  // namespace veltrix::tools
