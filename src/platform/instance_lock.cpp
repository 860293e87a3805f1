#include "platform/instance_lock.h"

#include <cctype>
#include <cstdlib>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace veltrix {

InstanceLock::InstanceLock(const std::filesystem::path& folder, const std::string& name) {
    std::string safe;
    for (char c : name) safe += (std::isalnum(static_cast<unsigned char>(c)) ? c : '-');
    file_ = folder / (safe + ".lock");
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) ::close(fd_);
}

bool InstanceLock::acquire() {
    if (fd_ >= 0) return true;
    const int fd = ::open(file_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return true;  // No place for a lock: do not keep the user out.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

std::filesystem::path InstanceLock::defaultFolder() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) return runtime;
    return std::filesystem::temp_directory_path();
}

}  // namespace veltrix
