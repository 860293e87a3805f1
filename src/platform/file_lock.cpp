#include "platform/file_lock.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veltrix {

FileLock::FileLock(const std::filesystem::path& lockedFile) : lockPath_(lockedFile.string() + ".lock") {
    int fd = ::open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    // A lock file this user may not write (another user's, mode 0644) can still be locked.
    if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS))
        fd = ::open(lockPath_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        problem_ = errno == EISDIR ? "a folder stands where the lock file belongs"
                                   : std::string("the lock file cannot be opened: ") + std::strerror(errno);
        return;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        problem_ = "something other than a file stands where the lock file belongs";
        return;
    }
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            problem_ = std::string("the lock cannot be taken: ") + std::strerror(errno);
            ::close(fd);
            return;
        }
    }
    fd_ = fd;
}

FileLock::~FileLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace veltrix
