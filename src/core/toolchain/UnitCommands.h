// The Advanced menu's direct commands to the unit through "7700.exe": Call up, Send
// Message, Reboot and Erase Flash. Each names its files after a fixed name in the
// program's data folder (WriteDir) and shows the tool's log in a box.
#pragma once

#include <string>
#include <vector>

#include "toolchain/ToolContext.h"

namespace lt {

// The number and variable-string entries of a Call up answer.
struct CallUpEntries {
    std::string number;
    std::string variable;
};
CallUpEntries SplitCallUpAnswer(const std::string& answer);

// The common course of a direct command: status text, argument list T + ".lst" with the
// leading entries and the unit switch block, the tool, the log shown in a box.
void RunDirectCommand(ToolContext& ctx, const std::string& runName, const std::vector<std::string>& leading,
                      const std::string& toolPart, const std::string& status);

void CallUp(ToolContext& ctx);
void SendMessage(ToolContext& ctx);
void Reboot(ToolContext& ctx);
void EraseFlash(ToolContext& ctx);

} // namespace lt
