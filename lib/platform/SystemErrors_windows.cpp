#include "platform/SystemErrors.h"

#include <cerrno>
#include <windows.h>

namespace lt::platform {

// Above every errno value of the C runtime.
const int kErrnoNoMedium = 0x10000 + ERROR_NOT_READY;
const int kErrnoQuotaExceeded = ENOSPC;

} // namespace lt::platform
