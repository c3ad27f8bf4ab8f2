// errno values that not every system defines, for the program's disk-error codes
// (SystemErrors_posix.cpp, SystemErrors_windows.cpp).
#pragma once

namespace lt::platform {

// A drive without its medium ("insert a disk"): ENOMEDIUM; on Windows a drive that is
// not ready, which the system has no errno value for.
extern const int kErrnoNoMedium;
// A full disk quota: EDQUOT; Windows reports a full quota as a full disk (ENOSPC).
extern const int kErrnoQuotaExceeded;

} // namespace lt::platform
