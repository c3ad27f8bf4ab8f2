// The system's name of a COM port.
#pragma once

#include <string>

namespace lt::platform {

// The device of COM port n (1 = the first): "COM3" on Windows, the n-th serial terminal
// ("/dev/ttyS2") on POSIX systems.
std::string ComPortDevice(int n);

} // namespace lt::platform
