// One running editor per user: an exclusive lock on a file in the runtime directory. The
// lock belongs to the open file, so the system drops it when the program ends in any way,
// a crash included; a file left behind by a crashed editor holds no lock and is simply
// taken over. The file stays empty: taking the lock writes nothing to the disk.
// flock on POSIX systems, LockFileEx on Windows; neither handle reaches a started program.
#pragma once

#include <cstdint>
#include <string>

namespace lt::platform {

class InstanceLock {
public:
    explicit InstanceLock(std::string path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    enum class Result {
        Held,         // this object holds the lock (also when it held it already)
        HeldElsewhere, // another editor holds it
        Unavailable,  // the lock file cannot be made (no such directory, no rights)
    };
    Result tryLock();

private:
    std::string path_;
    // The open lock file: a descriptor or a handle; -1 while none is held.
    std::intptr_t file_ = -1;
};

} // namespace lt::platform
