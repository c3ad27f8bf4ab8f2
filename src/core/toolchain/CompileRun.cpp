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

// A tool ended without success and without an error file: the reason goes below the logs
// in the result window, or into a box.
bool endedBadly(ToolContext& ctx, ResultSink* show, const std::string& reason) {
    if (show) {
        std::string text = show->text();
        if (!text.empty() && text.back() != '\n') text += "\r\n";
        show->setText(text + reason);
        return fail(ctx, "");
    }
    return fail(ctx, reason);
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
    ToolRunResult lexmill = RunTool(ctx, kLexmill, list, tick, keepResponsive);
    if (!lexmill.started) {
        s.fs.remove(list);
        if (show) show->setText(lexmill.startFailure);
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
    const bool logRead = ReadToolLog(s.fs, log, text);
    if (!logRead && lexmill.endFailure.empty()) {
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
    // A compiler that did not end well and left no error file has told nothing that can
    // be trusted: the run ends here, saying why.
    if (!lexmill.endFailure.empty()) {
        s.fs.remove(list);
        return endedBadly(ctx, show, lexmill.endFailure);
    }

    if (!WriteArgumentList(s.fs, list, {base, base, "/error", base, "/log", base}))
        return fail(ctx, "Can't create argument list file " + FileNamePart(list));
    ToolRunResult binmill = RunTool(ctx, kBinmill, list, tick, keepResponsive);
    s.fs.remove(list);
    if (!binmill.started) {
        if (show) show->setText(show->text() + binmill.startFailure);
        return fail(ctx, "");
    }

    std::string assembly;
    bool logReadAgain = ReadToolLog(s.fs, log, assembly);
    if (!logReadAgain && binmill.endFailure.empty())
        return fail(ctx, "Can't read assembly return status file " + FileNamePart(log));
    s.fs.remove(log);
    if (s.settings.KeepEscFile != "yes") s.fs.remove(base + ".esc");

    if (state.cancelRequest) {
        state.busy = false;
        if (show) show->closeWindow();
        return true;
    }
    if (show) show->setText(show->text() + assembly);
    if (!binmill.endFailure.empty() && !s.fs.exists(err)) return endedBadly(ctx, show, binmill.endFailure);

    state.busy = false;
    if (!s.fs.exists(err)) return false;
    if (!show) s.ui.messageBox(Box("Errors encountered during assembling."));
    return true;
}

} // namespace lt
