// The compile run: a script file through "lexmill.exe" into an escape file and through
// "binmill.exe" into a binary image.
#pragma once

#include <string>

#include "toolchain/ResultSink.h"
#include "toolchain/ToolContext.h"

namespace lt {

// Returns the errors flag: true when the run failed in any way. With a result window
// (show) the progress is written there; without one, failures are reported in boxes.
bool CompileRun(ToolContext& ctx, const std::string& sourcePath, const std::string& outputName,
                ResultSink* show);

} // namespace lt
