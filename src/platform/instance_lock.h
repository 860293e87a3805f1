#pragma once

#include <filesystem>
#include <string>

namespace veltrix {

// The single-instance guard: a lock file held with flock for the life of the process. A lock left
// by a crashed process is released by the system, so it never blocks the next start.
class InstanceLock {
public:
    // `name` names the lock (the application title); the lock file lives in `folder`.
    InstanceLock(const std::filesystem::path& folder, const std::string& name);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when this process now holds the lock; false when another process holds it.
    bool acquire();
    bool held() const { return fd_ >= 0; }

    // The folder for lock files: $XDG_RUNTIME_DIR, else the temporary folder.
    static std::filesystem::path defaultFolder();

private:
    std::filesystem::path file_;
    int fd_ = -1;
};

}  // namespace veltrix
