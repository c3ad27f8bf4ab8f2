#include "platform/ComPort.h"

namespace lt::platform {

// The serial port library opens "COM10" and above by their device path itself.
std::string ComPortDevice(int n) { return "COM" + std::to_string(n); }

} // namespace lt::platform
