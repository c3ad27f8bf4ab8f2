// The program run: the unit's firmware version checked against the script file, then
// the binary image programmed into the unit through "7700.exe".
#pragma once

#include <string>

#include "toolchain/ResultSink.h"
#include "toolchain/ToolContext.h"

namespace lt {

void ProgramRun(ToolContext& ctx, const std::string& binaryPath, ResultSink& show);

} // namespace lt
