#pragma once

#include <filesystem>
#include <string>

namespace veltrix {

// An advisory lock on a lock file beside a shared file (name + ".lock"), held for the life of the
// object. Used around every read-merge-write of the library files on a shared folder, so two
// workstations never lose each other's updates. Blocks until the lock is granted.
//
// The lock file is created when missing. One made by another user that this user may only read
// is locked all the same (a lock needs no write access to the file).
class FileLock {
public:
    explicit FileLock(const std::filesystem::path& lockedFile);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // False when no lock could be taken: the lock file cannot be created or opened, or something
    // other than a regular file (a folder) stands in its place. The caller must then not write the
    // shared file; problem() says why, in words.
    bool locked() const { return fd_ >= 0; }
    const std::string& problem() const { return problem_; }
    const std::filesystem::path& lockPath() const { return lockPath_; }

private:
    int fd_ = -1;
    std::filesystem::path lockPath_;
    std::string problem_;
};

}  // namespace veltrix
