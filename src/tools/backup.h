#pragma once
// Backup of the working folder: every normal file of it copied into the folder "optdata" inside a
// folder the user chooses (typically a mounted removable drive). Each backup replaces the previous
// one there: the target folder is emptied first. A plain copy; there is no restore.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace veltrix::tools {

inline constexpr const char* kBackupFolderName = "optdata";
inline constexpr const char* kNoFilesMessage = "No file(s) to BACKUP";
inline constexpr const char* kBackupCompletedMessage = "BACKUP completed.";
inline constexpr const char* kBackupProblemMessage = "Problem occured! You need to run BACKUP again. ";
inline constexpr const char* kBackupIntoWorkingFolderMessage =
    "The backup cannot go into the working folder itself. Choose another folder or drive.";

// The files a backup copies: the names of the folder's normal files (regular files, links to
// them included; no folders, no hidden files), in name order. Empty when the folder cannot be read.
std::vector<std::string> backupFiles(const std::filesystem::path& folder);

// The target folder of a backup to `chosen`: its sub-folder "optdata", or an existing sub-folder
// of that name in other letters case (a drive written from another system).
std::filesystem::path backupTarget(const std::filesystem::path& chosen);

enum class BackupStatus {
    Completed,  // every file copied
    NoFiles,    // the working folder holds no file; nothing was created
    Failed,     // a copy failed: the files copied before it stay in the target
    Refused,    // the target is the working folder itself; nothing was touched
};

struct BackupResult {
    BackupStatus status = BackupStatus::Completed;
    int copied = 0;
    int total = 0;
    std::string failedFile;             // the file whose copy failed
    std::string reason;                 // why it failed, as the system says
    std::filesystem::path target;       // where the files went
    // The message the user is shown (the texts above).
    std::string message() const;
    // For a failed backup, the file and the reason: "The file cut.tlf could not be copied into
    // /media/usb/optdata: No space left on device."; empty otherwise.
    std::string failure() const;
};

// Copies the working folder's files into backupTarget(chosen): creates the target and deletes
// every file in it (failures of either are ignored), then copies the files one by one in list
// order, ending at the first copy that fails. `progress` (may be empty) is told the number of
// files copied so far and the total after each copy, and once with 0 before the first.
BackupResult runBackup(const std::filesystem::path& workingFolder, const std::filesystem::path& chosen,
                       const std::function<void(int done, int total)>& progress = {});

}  // namespace veltrix::tools
