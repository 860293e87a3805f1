#pragma once

#include <filesystem>

namespace veltrix {

// An advisory lock on a lock file beside a shared file (name + ".lock"), held for the life of the
// object. Used around every read-merge-write of the library files on a shared folder, so two
// workstations never lose each other's updates. Blocks until the lock is granted.
class FileLock {
public:
    explicit FileLock(const std::filesystem::path& lockedFile);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // False when no lock could be taken (the folder cannot hold a lock file); work goes on unlocked.
    bool locked() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace veltrix
