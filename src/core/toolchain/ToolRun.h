// Starting one tool on its argument list and waiting for it.
#pragma once

#include <functional>
#include <string>

#include "toolchain/ToolContext.h"

namespace lt {

// Message shown when a tool cannot be started.
std::string ToolStartFailedText(const std::string& program, const std::string& reason);

// Runs ToolsPath + toolPart with "@" + listPath. When the tool cannot be started the
// person is told which program is missing and the result is false. Without
// keepResponsive the windows only repaint while the tool runs and take no input.
// failure, when given, receives the message that was shown.
bool RunTool(ToolContext& ctx, const std::string& toolPart, const std::string& listPath,
             const std::function<void()>& tick = {}, bool keepResponsive = true, std::string* failure = nullptr);

} // namespace lt
