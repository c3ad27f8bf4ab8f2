#include "toolchain/ToolRun.h"

#include "storage/PathUtil.h"
#include "toolchain/ToolContract.h"

namespace lt {

std::string ToolStartFailedText(const std::string& program, const std::string& reason) {
    std::string text = "Can't start the program " + program;
    if (!reason.empty()) text += " (" + reason + ")";
    return text + ".";
}

std::string ToolEndText(const std::string& program, const ProcessResult& result) {
    if (result.succeeded() || !result.started) return {};
    if (result.stopped) return "The program " + program + " was ended before it finished.";
    if (result.crashed) {
        std::string text = "The program " + program + " stopped unexpectedly";
        if (!result.errorText.empty()) text += " (" + result.errorText + ")";
        return text + ".";
    }
    return "The program " + program + " ended with exit code " + std::to_string(result.exitCode) + ".";
}

std::string FailedRunText(const std::string& log, const std::string& reason) {
    if (!HasMoreThanBlanks(log)) return reason;
    std::string text = log;
    if (text.back() != '\n') text += "\r\n";
    return text + reason;
}

bool OfferToEndTool(ToolContext& ctx) {
    const std::string program = ctx.runner.running();
    if (program.empty()) return false;
    MessageBox box = Box("The program " + FileNamePart(program) + " has not ended yet. Do you want to end it now?",
                         Buttons::YesNo, Icon::Exclamation);
    if (ctx.s.ui.messageBox(box) != Answer::Yes) return false;
    // The answer may come after the program ended by itself.
    if (ctx.runner.running().empty()) return false;
    ctx.runner.stop();
    return true;
}

ToolRunResult RunTool(ToolContext& ctx, const std::string& toolPart, const std::string& listPath,
                      const std::function<void()>& tick, bool keepResponsive) {
    ToolCommand command = MakeToolCommand(ctx.s.settings.ToolsPath, toolPart, listPath);
    ProcessResult result = ctx.runner.run(command.program, command.arguments, tick ? tick : [] {}, keepResponsive);
    ToolRunResult r;
    r.started = result.started;
    if (!result.started) {
        r.startFailure = ToolStartFailedText(command.program, result.errorText);
        ctx.s.ui.messageBox(Box(r.startFailure, Buttons::Ok, Icon::Exclamation));
        return r;
    }
    r.endFailure = ToolEndText(FileNamePart(command.program), result);
    r.interrupted = result.crashed || result.stopped;
    return r;
}

} // namespace lt
