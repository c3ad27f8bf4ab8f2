#include "toolchain/ToolRun.h"

#include "toolchain/ToolContract.h"

namespace lt {

std::string ToolStartFailedText(const std::string& program, const std::string& reason) {
    std::string text = "Can't start the program " + program;
    if (!reason.empty()) text += " (" + reason + ")";
    return text + ".";
}

bool RunTool(ToolContext& ctx, const std::string& toolPart, const std::string& listPath,
             const std::function<void()>& tick, bool keepResponsive, std::string* failure) {
    ToolCommand command = MakeToolCommand(ctx.s.settings.ToolsPath, toolPart, listPath);
    ProcessResult result = ctx.runner.run(command.program, command.arguments, tick ? tick : [] {}, keepResponsive);
    if (!result.started) {
        const std::string text = ToolStartFailedText(command.program, result.errorText);
        if (failure) *failure = text;
        ctx.s.ui.messageBox(Box(text, Buttons::Ok, Icon::Exclamation));
        return false;
    }
    return true;
}

} // namespace lt
