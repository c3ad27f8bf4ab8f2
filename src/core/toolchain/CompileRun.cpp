#include "toolchain/CompileRun.h"

#include "storage/PathUtil.h"
#include "toolchain/ToolContract.h"
#include "toolchain/ToolRun.h"

namespace lt {

namespace {

// Ends the run as a failure: the message, the busy flag cleared, true returned.
bool fail(ToolContext& ctx, const std::string& text) {
    if (!text.empty()) ctx.s.ui.messageBox(Box(text));
    ctx.s.tools.busy = false;
    return true;
}

} // namespace

bool CompileRun(ToolContext& ctx, const std::string& sourcePath, const std::string& outputName,
                ResultSink* show) {
    Session& s = ctx.s;
    ToolRunState& state = s.tools;
    const std::string base = BaseName(outputName);
    const std::string list = base + ".lst";
    const std::string log = base + ".log";
    const std::string err = base + ".err";

    state.busy = true;
    state.cancelRequest = false;
    ElapsedClock clock(ctx.now);
    if (show) {
        show->setText("Compiling file " + FileNamePart(sourcePath));
        clock.start();
    }
    auto tick = [&] {
        if (!show) return;
        if (auto text = clock.update()) show->setElapsed(*text);
    };

    if (!WriteArgumentList(s.fs, list, {sourcePath, base, "/error", base, "/include", s.settings.ToolsPath,
                                        "/log", base}))
        return fail(ctx, "Can't create argument list file " + FileNamePart(list));
    // Without a result window nothing can cancel the run: the windows only repaint.
    const bool keepResponsive = show != nullptr;
    std::string startFailure;
    if (!RunTool(ctx, kLexmill, list, tick, keepResponsive, &startFailure)) {
        s.fs.remove(list);
        if (show) show->setText(startFailure);
        return fail(ctx, "");
    }
    if (state.cancelRequest) {
        s.fs.remove(list);
        s.fs.remove(log);
        state.busy = false;
        if (show) show->closeWindow();
        return true;
    }

    std::string text;
    if (!ReadToolLog(s.fs, log, text)) {
        s.fs.remove(list);
        return fail(ctx, "Can't read compile return status file " + FileNamePart(log));
    }
    if (show) show->setText(text);
    s.fs.remove(log);
    if (s.fs.exists(err)) {
        if (!show)
            s.ui.messageBox(Box("Syntax errors encountered during processing Send Message command. Review file " +
                                base + ".err"));
        s.fs.remove(list);
        state.busy = false;
        return true;
    }

    if (!WriteArgumentList(s.fs, list, {base, base, "/error", base, "/log", base}))
        return fail(ctx, "Can't create argument list file " + FileNamePart(list));
    bool started = RunTool(ctx, kBinmill, list, tick, keepResponsive, &startFailure);
    s.fs.remove(list);
    if (!started) {
        if (show) show->setText(show->text() + startFailure);
        return fail(ctx, "");
    }

    std::string assembly;
    bool logRead = ReadToolLog(s.fs, log, assembly);
    if (!logRead) return fail(ctx, "Can't read assembly return status file " + FileNamePart(log));
    s.fs.remove(log);
    if (s.settings.KeepEscFile != "yes") s.fs.remove(base + ".esc");

    if (state.cancelRequest) {
        state.busy = false;
        if (show) show->closeWindow();
        return true;
    }
    if (show) show->setText(show->text() + assembly);

    state.busy = false;
    if (!s.fs.exists(err)) return false;
    if (!show) s.ui.messageBox(Box("Errors encountered during assembling."));
    return true;
}

} // namespace lt
