#include "platform/InstanceLock.h"

#include <windows.h>

#include "platform/WindowsFiles.h"

namespace lt::platform {

InstanceLock::InstanceLock(std::string path) : path_(std::move(path)) {}

InstanceLock::~InstanceLock() {
    // Closing the handle releases the lock; the file stays, as on POSIX systems.
    if (file_ != -1) ::CloseHandle(reinterpret_cast<HANDLE>(file_));
}

InstanceLock::Result InstanceLock::tryLock() {
    if (file_ != -1) return Result::Held;
    // Not inheritable: a tool the editor started must not keep the lock after it.
    HANDLE h = ::CreateFileW(Widen(path_).c_str(), GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return Result::Unavailable;
    OVERLAPPED start{};
    if (!::LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &start)) {
        const bool busy = ::GetLastError() == ERROR_LOCK_VIOLATION;
        ::CloseHandle(h);
        return busy ? Result::HeldElsewhere : Result::Unavailable;
    }
    file_ = reinterpret_cast<std::intptr_t>(h);
    return Result::Held;
}

} // namespace lt::platform
