#include "platform/SystemErrors.h"

#include <cerrno>

namespace lt::platform {

const int kErrnoNoMedium = ENOMEDIUM;
const int kErrnoQuotaExceeded = EDQUOT;

} // namespace lt::platform
