#include "toolchain/UnitCommands.h"

#include "common/NumberText.h"
#include "storage/PathUtil.h"
#include "toolchain/CompileRun.h"
#include "toolchain/ToolContract.h"
#include "toolchain/ToolRun.h"

namespace lt {

namespace {

const char* const kBinaryFilter = "7700 binary file (*.bin)|*.bin";

std::string runBase(const Session& s, const char* name) { return s.run.WriteDir() + name; }

void endCommand(Session& s) {
    s.ui.setStatus("");
    s.ui.setBusy(false);
}

// The list with the unit switch block; false (person told) when it cannot be written.
bool writeUnitList(Session& s, const std::string& base, std::vector<std::string> entries) {
    for (auto& e : UnitSwitchBlock(s.settings, base)) entries.push_back(std::move(e));
    const std::string list = base + ".lst";
    if (WriteArgumentList(s.fs, list, entries)) return true;
    s.ui.messageBox(Box("Can't create argument list file " + FileNamePart(list)));
    return false;
}

// Reads, shows and deletes the tool log of a direct command; a run that did not succeed
// shows its reason below the log.
void showLog(Session& s, const std::string& base, const ToolRunResult& run) {
    const std::string log = base + ".log";
    std::string text;
    if (!ReadToolLog(s.fs, log, text) && run.endFailure.empty()) {
        s.ui.messageBox(Box("Can't read return status file " + FileNamePart(log)));
        return;
    }
    if (run.endFailure.empty()) s.ui.messageBox(Box(text));
    else s.ui.messageBox(Box(FailedRunText(text, run.endFailure), Buttons::Ok, Icon::Exclamation));
    s.fs.remove(log);
}

} // namespace

CallUpEntries SplitCallUpAnswer(const std::string& answer) {
    CallUpEntries e;
    size_t blank = answer.find(' ');
    size_t quote = answer.find('"');
    if (blank != std::string::npos) {
        e.number = Trim(answer.substr(0, blank));
        e.variable = Trim(answer.substr(blank + 1));
        if (!e.variable.empty() && e.variable.front() == '"') e.variable.erase(0, 1);
        if (!e.variable.empty() && e.variable.back() == '"') e.variable.pop_back();
    } else if (quote != std::string::npos) {
        e.number = Trim(answer.substr(0, quote));
        e.variable = Trim(answer.substr(quote + 1));
        if (!e.variable.empty() && e.variable.back() == '"') e.variable.pop_back();
    } else {
        e.variable = answer;
    }
    return e;
}

void RunDirectCommand(ToolContext& ctx, const std::string& runName, const std::vector<std::string>& leading,
                      const std::string& toolPart, const std::string& status) {
    Session& s = ctx.s;
    s.ui.setBusy(true);
    s.ui.setStatus(status);
    if (!writeUnitList(s, runName, leading)) {
        endCommand(s);
        return;
    }
    // The main window shows the hourglass and takes no input until the unit tool ends.
    ToolRunResult run = RunTool(ctx, toolPart, runName + ".lst", {}, false);
    s.fs.remove(runName + ".lst");
    if (run.started) showLog(s, runName, run);
    endCommand(s);
}

void CallUp(ToolContext& ctx) {
    Session& s = ctx.s;
    auto answer = s.ui.inputBox("Enter message number and variable string if necessary. PLEASE separate message "
                                "number and variable string with a space or put variable string in double quotes.",
                                kAppTitle, "");
    std::string text = answer ? Trim(*answer) : std::string();
    if (text.empty()) {
        endCommand(s);
        return;
    }
    CallUpEntries e = SplitCallUpAnswer(text);
    std::vector<std::string> leading{e.number};
    if (!e.variable.empty()) leading.push_back(e.variable);
    RunDirectCommand(ctx, runBase(s, "SGXCALL"), leading, kUnitCallUp, "Processing command Call up message.");
}

void Reboot(ToolContext& ctx) {
    RunDirectCommand(ctx, runBase(ctx.s, "SGXREBT"), {"b"}, kUnitReboot, "Processing command Reboot.");
}

void EraseFlash(ToolContext& ctx) {
    MessageBox box = Box("If you select OK all messages stored in flash memory will be erased. NOTE: Your 7700 "
                         "display unit must be in program mode.",
                         Buttons::OkCancel, Icon::Exclamation);
    box.defaultAnswer = Answer::Cancel;
    if (ctx.s.ui.messageBox(box) != Answer::Ok) return;
    RunDirectCommand(ctx, runBase(ctx.s, "SGXERAS"), {}, kUnitErase, "Processing command Erase flash memory.");
}

namespace {

bool currentMessageHasContent(ToolContext& ctx) {
    const QuickMessage& m = ctx.s.msg;
    if (ctx.hooks.currentLinesHaveText && ctx.hooks.currentLinesHaveText()) return true;
    return !m.RelayMode.empty() || !m.StartOtherTask.empty() || !m.ClearScreen.empty() || !m.SendText.empty();
}

// Compiles the current message alone into T + ".bin". False when the command stops.
bool compileCurrentMessage(ToolContext& ctx, const std::string& base) {
    Session& s = ctx.s;
    const std::string number = std::to_string(s.msg.CurrentMessage);
    if (s.ui.messageBox(Box("Message " + number + " will be sent to the " + s.settings.UnitType +
                                " unit without programming the flash memory.",
                            Buttons::OkCancel, Icon::Information)) != Answer::Ok)
        return false;
    s.ui.setBusy(true);
    const bool quickEdit = !s.run.ScriptEditMode;
    if (quickEdit && ctx.hooks.buildBlock) ctx.hooks.buildBlock();
    const std::string source = base + ".src";
    const std::string text = "#include \"CTRLCODE.H\"\r\n#pragma version " + s.settings.FirmwareVersion +
                             "\r\n\r\n" + s.msg.BlockText + "\r\n";
    bool written = WriteTextFile(s.fs, source, text);
    if (quickEdit && ctx.hooks.readBlock) ctx.hooks.readBlock();
    if (!written) {
        s.ui.messageBox(Box("Can't create temporary source file  SGXSEND.SRC .", Buttons::Ok, Icon::Exclamation));
        s.ui.setBusy(false);
        return false;
    }
    bool errors = CompileRun(ctx, source, source, nullptr);
    s.fs.remove(source);
    if (errors) {
        s.ui.setBusy(false);
        return false;
    }
    return true;
}

} // namespace

void SendMessage(ToolContext& ctx) {
    Session& s = ctx.s;
    const std::string base = runBase(s, "SGXSEND");
    std::string binary;
    std::string number;
    if (!s.index.CurrentFilePath.empty() || currentMessageHasContent(ctx)) {
        if (!compileCurrentMessage(ctx, base)) return;
        binary = base + ".bin";
        number = std::to_string(s.msg.CurrentMessage);
    } else {
        FileDialog dialog;
        dialog.title = "Send Message from file";
        dialog.filter = kBinaryFilter;
        dialog.defaultExtension = "bin";
        auto chosen = s.ui.chooseOpenFile(dialog);
        if (!chosen || chosen->empty()) return;
        binary = *chosen;
    }
    if (!s.fs.exists(binary)) {
        s.ui.setBusy(false);
        return;
    }
    s.ui.setBusy(false);
    if (number.empty()) {
        auto answer = s.ui.inputBox("Please enter message number", kAppTitle, "");
        number = answer ? Trim(*answer) : std::string();
        if (number.empty()) return;
    }
    const std::string status = "Sending message " + number + " to the " + s.settings.UnitType + " unit.";
    s.ui.setStatus(status);
    s.ui.setBusy(true);
    if (!writeUnitList(s, base, {binary, number})) {
        s.fs.remove(base + ".bin");
        endCommand(s);
        return;
    }
    ToolRunResult run = RunTool(ctx, kUnitSend, base + ".lst", {}, false);
    s.fs.remove(base + ".lst");
    s.fs.remove(base + ".bin");
    if (run.started) showLog(s, base, run);
    endCommand(s);
}

} // namespace lt
