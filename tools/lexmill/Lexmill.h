// lexmill.exe as a whole: reads the argument list, compiles the source, writes the
// escape file, the error file and the log.
#pragma once

#include <string>

namespace lt::lexmill {

constexpr const char* kLexmillVersion = "1.0";

// Exit codes of the program.
constexpr int kExitOk = 0;
constexpr int kExitSourceErrors = 1;
constexpr int kExitBadCall = 2;

// Runs one compilation as the argument list at `listPath` asks. Never throws.
int runLexmill(const std::string& listPath);

} // namespace lt::lexmill
