#include "app/InstanceLock.h"

#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace lt {

InstanceLock::InstanceLock(std::string path) : path_(std::move(path)) {}

InstanceLock::~InstanceLock() {
    // Closing the file releases the lock. The file itself stays: removing it could let a
    // starting editor lock a file that a third one no longer finds.
    if (fd_ >= 0) ::close(fd_);
}

bool InstanceLock::tryLock() {
    if (fd_ >= 0) return true;
    int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    // The holder's process number, for a person looking at the file.
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) == 0) {
        ssize_t written = ::write(fd, pid.data(), pid.size());
        (void)written; // only informative
    }
    fd_ = fd;
    return true;
}

} // namespace lt
