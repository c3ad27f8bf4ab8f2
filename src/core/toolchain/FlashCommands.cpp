#include "toolchain/FlashCommands.h"

#include "storage/PathUtil.h"
#include "toolchain/ToolContract.h"
#include "toolchain/ToolRun.h"

namespace lt {

namespace {

const char* const kBinaryFilter = "7700 binary file (*.bin)|*.bin";

FileDialog binaryDialog(const Session& s, const char* title) {
    FileDialog d;
    d.title = title;
    d.filter = kBinaryFilter;
    d.defaultExtension = "bin";
    d.initialDirectory = s.run.DialogDir();
    return d;
}

std::vector<std::string> unitEntries(const Settings& settings, const std::string& leading,
                                     const std::string& logBase) {
    std::vector<std::string> entries{leading};
    for (auto& e : UnitSwitchBlock(settings, logBase)) entries.push_back(std::move(e));
    return entries;
}

} // namespace

bool AskReplaceFile(UserPort& ui, const std::string& path) {
    return ui.messageBox(Box("The file " + path + " already exists on disk.\r\nDo you want to replace it.",
                             Buttons::YesNo, Icon::Information, "File Save Message")) == Answer::Yes;
}

void ReadFlashIntoImage(ToolContext& ctx, FlashStatusLabel& label, bool& busy) {
    Session& s = ctx.s;
    s.ui.setBusy(true);
    label.setStatusLabel("Processing comand Retrieve binary file from flash memory.");
    auto stop = [&] {
        label.setStatusLabel("");
        s.ui.setBusy(false);
        busy = false;
    };

    std::string chosen;
    for (;;) {
        auto answer = s.ui.chooseSaveFile(binaryDialog(s, "Retrieve Binary File As"));
        chosen = answer ? *answer : std::string();
        if (chosen.empty()) {
            stop();
            return;
        }
        if (!s.fs.exists(chosen)) break;
        bool replace = ctx.hooks.confirmReplace ? ctx.hooks.confirmReplace(chosen) : AskReplaceFile(s.ui, chosen);
        if (replace) break;
    }

    busy = true;
    const std::string base = s.run.WriteDir() + "SGXREAD";
    const std::string list = base + ".lst";
    const std::string log = base + ".log";
    if (!WriteArgumentList(s.fs, list, unitEntries(s.settings, BaseName(chosen), base))) {
        s.ui.messageBox(Box("Can't create argument list file " + FileNamePart(list)));
        stop();
        return;
    }
    label.setStatusLabel("Reading Flash. Please wait until this process is finished.");
    ToolRunResult run = RunTool(ctx, kUnitRead, list);
    s.fs.remove(list);
    if (!run.started) {
        stop();
        return;
    }
    std::string text;
    if (!ReadToolLog(s.fs, log, text) && run.endFailure.empty()) {
        s.ui.messageBox(Box("Can't read return status file " + FileNamePart(log)));
        stop();
        return;
    }
    // A read that failed is always reported, even when the tool's log says nothing.
    if (!run.endFailure.empty())
        s.ui.messageBox(Box(FailedRunText(text, run.endFailure), Buttons::Ok, Icon::Exclamation));
    else if (HasMoreThanBlanks(text))
        s.ui.messageBox(Box(text));
    s.fs.remove(log);
    stop();
}

void ProgramFlashFromImage(ToolContext& ctx, FlashStatusLabel& label, bool& busy) {
    Session& s = ctx.s;
    auto answer = s.ui.chooseOpenFile(binaryDialog(s, "Open Binary File"));
    const std::string chosen = answer ? *answer : std::string();
    if (chosen.empty()) {
        s.ui.setBusy(false);
        busy = false;
        return;
    }
    busy = true;
    label.setStatusLabel("Programming file " + FileNamePart(chosen));
    s.ui.setBusy(true);
    // The tool's log and the reason, when there are any, follow the message.
    auto failed = [&](const std::string& detail = std::string()) {
        std::string text = "An error occurred while trying to program the unit.";
        if (!detail.empty()) text += "\r\n" + detail;
        s.ui.messageBox(Box(text));
        label.setStatusLabel("");
        busy = false;
        s.ui.setBusy(false);
    };

    const std::string base = BaseName(chosen);
    const std::string list = base + ".lst";
    const std::string log = base + ".log";
    if (!WriteArgumentList(s.fs, list, unitEntries(s.settings, base, base))) {
        failed();
        return;
    }
    ElapsedClock clock(ctx.now);
    clock.start();
    ToolRunResult run = RunTool(ctx, kUnitProgram, list, [&] {
        if (auto text = clock.update()) label.setStatusLabel(*text);
    });
    s.fs.remove(list);
    if (!run.started) {
        failed();
        return;
    }
    std::string text;
    const bool logRead = ReadToolLog(s.fs, log, text);
    s.fs.remove(log);
    // The success text only when the tool said so by its exit code.
    if (!run.endFailure.empty()) {
        failed(FailedRunText(text, run.endFailure));
        return;
    }
    if (!logRead) {
        failed();
        return;
    }
    label.setStatusLabel("Unit has been successfully programmed.");
    busy = false;
    s.ui.setBusy(false);
}

} // namespace lt
