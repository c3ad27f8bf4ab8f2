// Starting one tool on its argument list and waiting for it.
#pragma once

#include <functional>
#include <string>

#include "toolchain/ToolContext.h"

namespace lt {

// Message shown when a tool cannot be started.
std::string ToolStartFailedText(const std::string& program, const std::string& reason);

struct ToolRunResult {
    bool started = false;
    // The message shown when the tool could not be started.
    std::string startFailure;
    // Set when the tool ran but did not end by itself with exit code 0 (ToolEndText).
    std::string endFailure;
    // The tool did not end by itself (crashed, or ended on the person's request): files it
    // leaves may be stale or half-written.
    bool interrupted = false;
    bool succeeded() const { return started && endFailure.empty(); }
};

// A run that did not succeed as the person reads it: the tool's log (when it holds more
// than blanks), then the reason on a line of its own.
std::string FailedRunText(const std::string& log, const std::string& reason);

// Asks whether to end the tool that is running, and ends it on Yes (asked to end, then
// forced). True when it was ended; false when none runs or the person said No.
bool OfferToEndTool(ToolContext& ctx);

// Runs ToolsPath + toolPart with "@" + listPath. When the tool cannot be started the
// person is told which program is missing. Without keepResponsive the windows only
// repaint while the tool runs and take no input.
ToolRunResult RunTool(ToolContext& ctx, const std::string& toolPart, const std::string& listPath,
                      const std::function<void()>& tick = {}, bool keepResponsive = true);

} // namespace lt
