#include "tools/backup.h"

#include <algorithm>
#include <system_error>

#include "base/file_ops.h"

namespace veltrix::tools {

namespace fs = std::filesystem;

namespace {

bool samePlace(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    if (fs::equivalent(a, b, ec) && !ec) return true;
    return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

}  // namespace

std::vector<std::string> backupFiles(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) return names;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        const std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.') continue;  // hidden
        std::error_code typeError;
        if (!it->is_regular_file(typeError) || typeError) continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

fs::path backupTarget(const fs::path& chosen) {
    std::error_code ec;
    for (fs::directory_iterator it(chosen, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        if (equalsIgnoreCase(it->path().filename().string(), kBackupFolderName) && it->is_directory(typeError))
            return it->path();
    }
    return chosen / kBackupFolderName;
}

std::string BackupResult::message() const {
    switch (status) {
        case BackupStatus::Completed: return kBackupCompletedMessage;
        case BackupStatus::NoFiles: return kNoFilesMessage;
        case BackupStatus::Failed: return kBackupProblemMessage;
        case BackupStatus::Refused: break;
    }
    return kBackupIntoWorkingFolderMessage;
}

std::string BackupResult::failure() const {
    if (status != BackupStatus::Failed) return {};
    return "The file " + failedFile + " could not be copied into " + target.string() + ": " +
           (reason.empty() ? std::string("the copy was not made") : reason) + ".";
}

BackupResult runBackup(const fs::path& workingFolder, const fs::path& chosen,
                       const std::function<void(int, int)>& progress) {
    BackupResult result;
    const std::vector<std::string> files = backupFiles(workingFolder);
    result.total = static_cast<int>(files.size());
    if (files.empty()) {
        result.status = BackupStatus::NoFiles;
        return result;
    }
    result.target = backupTarget(chosen);
    // Emptying a target that is the working folder would delete the files it is to save.
    if (samePlace(result.target, workingFolder)) {
        result.status = BackupStatus::Refused;
        return result;
    }
    if (progress) progress(0, result.total);

    std::error_code ignored;
    fs::create_directory(result.target, ignored);
    deleteMatching(result.target, "*");

    for (const std::string& name : files) {
        std::error_code ec;
        const bool copied =
            fs::copy_file(workingFolder / name, result.target / name, fs::copy_options::overwrite_existing, ec);
        if (!copied || ec) {
            result.status = BackupStatus::Failed;
            result.failedFile = name;
            result.reason = ec ? ec.message() : std::string();
            return result;
        }
        ++result.copied;
        if (progress) progress(result.copied, result.total);
    }
    result.status = BackupStatus::Completed;
    return result;
}

}  // namespace veltrix::tools
