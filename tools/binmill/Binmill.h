// binmill.exe as a whole: reads the argument list, assembles the escape file into the
// flash image, writes the error file and the log.
#pragma once

#include <string>

namespace lt::binmill {

constexpr const char* kBinmillVersion = "1.0";

constexpr int kExitOk = 0;
constexpr int kExitErrors = 1;
constexpr int kExitBadCall = 2;

// Runs one assembly as the argument list at `listPath` asks. Never throws.
int runBinmill(const std::string& listPath);

} // namespace lt::binmill
