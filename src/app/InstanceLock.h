// One running editor per user: an exclusive lock on a file in the runtime directory. The
// lock belongs to the open file, so the system drops it when the program ends in any way,
// a crash included; a file left behind by a crashed editor holds no lock and is simply
// taken over. The file stays empty: taking the lock writes nothing to the disk.
#pragma once

#include <string>

namespace lt {

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
    int fd_ = -1;
};

} // namespace lt
