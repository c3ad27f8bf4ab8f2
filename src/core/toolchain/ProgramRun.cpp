#include "toolchain/ProgramRun.h"

#include "storage/PathUtil.h"
#include "toolchain/ToolContract.h"
#include "toolchain/ToolRun.h"
#include "toolchain/VersionCheck.h"

namespace lt {

namespace {

void fail(ToolContext& ctx, const std::string& text) {
    if (!text.empty()) ctx.s.ui.messageBox(Box(text));
    ctx.s.tools.busy = false;
}

void closeOnCancel(ToolContext& ctx, ResultSink& show) {
    ctx.s.tools.busy = false;
    show.closeWindow();
}

// The unit tool ended without success: its log and the reason in the result box, and the
// run ends there.
void endedBadly(ToolContext& ctx, ResultSink& show, const std::string& log, const std::string& reason) {
    std::string text = log;
    if (!text.empty() && text.back() != '\n') text += "\r\n";
    show.setText(text + reason);
    ctx.s.tools.busy = false;
}

// Steps of the version check; true when programming goes on, false when the run has
// ended (failure told, or the window closed).
bool checkVersion(ToolContext& ctx, const std::string& base, const std::vector<std::string>& entries,
                  ResultSink& show) {
    Session& s = ctx.s;
    const std::string list = base + ".lst";
    const std::string log = base + ".log";
    show.setText("Verifying unit Version number...");
    show.showElapsedLabel(false);
    if (!WriteArgumentList(s.fs, list, entries)) {
        fail(ctx, "Can't create argument list file " + FileNamePart(list));
        return false;
    }
    if (s.tools.cancelRequest) {
        s.fs.remove(list);
        closeOnCancel(ctx, show);
        return false;
    }
    ToolRunResult run = RunTool(ctx, kUnitVersion, list, {}, true);
    s.fs.remove(list);
    if (!run.started) {
        show.setText(run.startFailure);
        fail(ctx, "");
        return false;
    }
    std::string text;
    const bool logRead = ReadToolLog(s.fs, log, text, true);
    if (!logRead && run.endFailure.empty()) {
        fail(ctx, "Can't read program return status file " + FileNamePart(log));
        return false;
    }
    s.fs.remove(log);
    if (s.tools.cancelRequest) {
        closeOnCancel(ctx, show);
        return false;
    }
    // A unit that could not be asked cannot be programmed either: the run stops with the
    // tool's own account.
    if (!run.endFailure.empty()) {
        endedBadly(ctx, show, text, run.endFailure);
        return false;
    }

    auto unit = ParseUnitVersion(text);
    if (!unit) return true;
    auto fileVersion = ReadPragmaVersion(s.fs, s.index.CurrentFilePath);
    if (!fileVersion) return true;
    std::string question = VersionQuestion(*unit, *fileVersion, s.settings.FirmwareVersion);
    if (question.empty()) return true;
    if (s.ui.messageBox(Box(question, Buttons::OkCancel)) == Answer::Ok) {
        s.tools.busy = false;
        show.closeWindow();
        return false;
    }
    return true;
}

} // namespace

void ProgramRun(ToolContext& ctx, const std::string& binaryPath, ResultSink& show) {
    Session& s = ctx.s;
    const std::string base = BaseName(binaryPath);
    const std::string list = base + ".lst";
    const std::string log = base + ".log";
    std::vector<std::string> entries{base};
    for (auto& e : UnitSwitchBlock(s.settings, base)) entries.push_back(e);

    s.tools.cancelRequest = false;
    s.tools.busy = true;

    if (!s.index.CurrentFilePath.empty()) {
        if (!checkVersion(ctx, base, entries, show)) return;
    }

    show.setText("Programming file " + FileNamePart(binaryPath));
    show.showElapsedLabel(true);
    if (!WriteArgumentList(s.fs, list, entries)) {
        fail(ctx, "Can't create argument list file " + FileNamePart(list));
        return;
    }
    if (s.tools.cancelRequest) {
        s.fs.remove(list);
        closeOnCancel(ctx, show);
        return;
    }
    ElapsedClock clock(ctx.now);
    clock.start();
    ToolRunResult run = RunTool(ctx, kUnitProgram, list, [&] {
        if (auto text = clock.update()) show.setElapsed(*text);
    });
    s.fs.remove(list);
    if (!run.started) {
        show.setText(run.startFailure);
        fail(ctx, "");
        return;
    }
    std::string text;
    const bool logRead = ReadToolLog(s.fs, log, text);
    if (!logRead && run.endFailure.empty()) {
        fail(ctx, "Can't read program return status file " + FileNamePart(log));
        return;
    }
    s.fs.remove(log);
    if (s.tools.cancelRequest) {
        closeOnCancel(ctx, show);
        return;
    }
    if (!run.endFailure.empty()) {
        endedBadly(ctx, show, text, run.endFailure);
        return;
    }
    show.setText(text);
    s.tools.busy = false;
}

} // namespace lt
