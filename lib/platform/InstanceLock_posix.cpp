#include "platform/InstanceLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace lt::platform {

InstanceLock::InstanceLock(std::string path) : path_(std::move(path)) {}

InstanceLock::~InstanceLock() {
    // Closing the file releases the lock. The file itself stays: removing it could let a
    // starting editor lock a file that a third one no longer finds.
    if (file_ >= 0) ::close(static_cast<int>(file_));
}

InstanceLock::Result InstanceLock::tryLock() {
    if (file_ >= 0) return Result::Held;
    int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return Result::Unavailable;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        ::close(fd);
        return busy ? Result::HeldElsewhere : Result::Unavailable;
    }
    file_ = fd;
    return Result::Held;
}

} // namespace lt::platform
