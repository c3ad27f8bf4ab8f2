#include "platform/ComPort.h"

namespace lt::platform {

std::string ComPortDevice(int n) { return "/dev/ttyS" + std::to_string(n - 1); }

} // namespace lt::platform
