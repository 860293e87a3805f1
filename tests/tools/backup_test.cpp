#include "tools/backup.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/temp_folder.h"

namespace veltrix::tools {
namespace {

namespace fs = std::filesystem;
using veltrix::test::TempFolder;
using Names = std::vector<std::string>;

Names namesIn(const fs::path& folder) {
    Names names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Backup, CopiesTheNormalFilesIntoOptdataReplacingTheLastBackup) {
    TempFolder work, drive;
    for (const char* name : {"cut.tlf", "Defaults", ".hidden", "sub/inner.tlf"}) work.write(name, name);
    work.write("kitchen.opt", std::string("bin\0ary", 7));
    drive.write("OPTDATA/stray.txt", "left by an earlier backup");  // the folder in other letters is reused
    std::vector<std::pair<int, int>> steps;
    const BackupResult r = runBackup(work.path(), drive.path(), [&](int done, int total) { steps.emplace_back(done, total); });
    EXPECT_EQ(r.status, BackupStatus::Completed);
    EXPECT_EQ(r.message(), "BACKUP completed.");
    EXPECT_EQ(r.copied, 3);
    EXPECT_EQ(r.target, drive / "OPTDATA");
    EXPECT_EQ(namesIn(drive / "OPTDATA"), (Names{"Defaults", "cut.tlf", "kitchen.opt"}));
    EXPECT_EQ(namesIn(drive.path()), (Names{"OPTDATA"}));
    EXPECT_EQ(drive.read("OPTDATA/kitchen.opt"), std::string("bin\0ary", 7));
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
}

TEST(Backup, NothingToCopyOrTheWorkingFolderItselfTouchesNothing) {
    TempFolder parent, drive;
    fs::create_directories(parent / "optdata" / "only-a-folder");
    BackupResult r = runBackup(parent / "optdata", drive.path());
    EXPECT_EQ(r.status, BackupStatus::NoFiles);
    EXPECT_EQ(r.message(), "No file(s) to BACKUP");
    EXPECT_TRUE(namesIn(drive.path()).empty());
    parent.write("optdata/cut.tlf", "keep me");
    r = runBackup(parent / "optdata", parent.path());
    EXPECT_EQ(r.status, BackupStatus::Refused);
    EXPECT_EQ(r.message(), kBackupIntoWorkingFolderMessage);
    EXPECT_EQ(parent.read("optdata/cut.tlf"), "keep me");
}

TEST(Backup, AFailedCopyEndsTheBackupAndKeepsWhatWasCopied) {
    TempFolder work, drive;
    for (const char* name : {"a.tlf", "b.tlf", "c.tlf"}) work.write(name, name);
    fs::create_directories(drive / "optdata" / "b.tlf");  // a folder no file copy can replace
    std::pair<int, int> last;
    BackupResult r = runBackup(work.path(), drive.path(), [&](int done, int total) { last = {done, total}; });
    EXPECT_EQ(r.status, BackupStatus::Failed);
    EXPECT_EQ(r.message(), "Problem occured! You need to run BACKUP again. ");
    EXPECT_EQ(r.failedFile, "b.tlf");
    // The message names the file, the folder and the system's reason.
    EXPECT_FALSE(r.reason.empty());
    EXPECT_EQ(r.failure(), "The file b.tlf could not be copied into " + (drive / "optdata").string() + ": " + r.reason + ".");
    EXPECT_EQ(r.copied, 1);
    EXPECT_EQ(last, (std::pair<int, int>{1, 3}));
    EXPECT_EQ(namesIn(drive / "optdata"), (Names{"a.tlf", "b.tlf"}));
    // A drive that is not there fails at the first file and is not created.
    r = runBackup(work.path(), drive / "not-mounted");
    EXPECT_EQ(r.status, BackupStatus::Failed);
    EXPECT_EQ(r.failedFile, "a.tlf");
    EXPECT_FALSE(fs::exists(drive / "not-mounted"));
}

}  // namespace
}  // namespace veltrix::tools
