#include "toolchain/SyntaxCheck.h"

#include <cctype>

#include "common/NumberText.h"
#include "toolchain/ToolContract.h"
#include "toolchain/ToolRun.h"

namespace lt {

namespace {

// The first number in the line-number text ("12", "(12)", "line 12").
int firstNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && !std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    long long n = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        n = n * 10 + (text[i] - '0');
        if (n > 1000000000) break;
    }
    return static_cast<int>(n);
}

} // namespace

std::vector<SyntaxError> ParseErrorFile(const std::string& text) {
    std::vector<SyntaxError> errors;
    const std::string upper = ToUpper(text);
    const std::string marker = "SUB.SRC";
    size_t lineStart = 0;
    while (lineStart < text.size()) {
        size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string::npos) lineEnd = text.size();
        size_t contentEnd = lineEnd;
        if (contentEnd > lineStart && text[contentEnd - 1] == '\r') --contentEnd;
        size_t at = upper.find(marker, lineStart);
        if (at != std::string::npos && at + marker.size() <= contentEnd) {
            std::string rest = text.substr(at + marker.size(), contentEnd - at - marker.size());
            SyntaxError e;
            size_t colon = rest.find(':');
            if (colon != std::string::npos) {
                e.lineText = Trim(rest.substr(0, colon));
                e.message = rest.substr(colon + 1);
                int line = firstNumber(e.lineText) - kSyntaxHeaderLines;
                e.scriptLine = firstNumber(e.lineText) > 0 ? (line < 1 ? 1 : line) : 0;
            }
            errors.push_back(std::move(e));
        }
        lineStart = lineEnd + 1;
    }
    return errors;
}

void SyntaxCheck(ToolContext& ctx, const std::string& scriptText, int messageNumber) {
    Session& s = ctx.s;
    if (!s.run.ScriptEditMode || scriptText.empty()) return;
    const std::string dir = s.run.WriteDir();
    const std::string source = dir + "sub.src";
    const std::string list = dir + "sub.lst";
    const std::string err = dir + "sub.err";
    s.ui.setBusy(true);
    struct Restore {
        UserPort& ui;
        ~Restore() { ui.setBusy(false); }
    } restore{s.ui};

    if (!WriteTextFile(s.fs, source, "#include \"CTRLCODE.H\"\r\n\r\n" + scriptText + "\r\n")) {
        s.ui.messageBox(Box("Can't create output sorce file (sub.src)", Buttons::Ok, Icon::Exclamation));
        return;
    }
    if (!WriteArgumentList(s.fs, list, {source, "/error", dir + "sub", "/include", s.settings.ToolsPath})) {
        s.fs.remove(source);
        s.ui.messageBox(Box("Can't create list file (sub.lst)"));
        return;
    }
    // The main window has no modal window in front during the check: it takes no input
    // until the compiler has ended, so no other command can start meanwhile.
    ToolRunResult run = RunTool(ctx, kLexmill, list, {}, false);
    s.fs.remove(list);
    s.fs.remove(source);
    if (!run.started) return;
    // A compiler that was ended or crashed has checked nothing; an error file it leaves
    // may be an old one.
    if (run.interrupted || (!run.endFailure.empty() && !s.fs.exists(err))) {
        s.ui.messageBox(Box(run.endFailure, Buttons::Ok, Icon::Exclamation));
        return;
    }

    ToolRunState& state = s.tools;
    if (!s.fs.exists(err)) {
        state.errors.clear();
        state.errorCursor = 0;
        s.fs.remove(dir + "sub.esc");
        s.ui.messageBox(Box("No syntax errors found in message " + std::to_string(messageNumber)));
        return;
    }
    std::string text;
    if (!ReadWholeFile(s.fs, err, text)) {
        s.ui.messageBox(Box("Can't open error file (sub.err)."));
        return;
    }
    state.errors = ParseErrorFile(text);
    state.errorCursor = 0;
    if (!state.errors.empty())
        s.ui.messageBox(Box("Errors encountered. Press Ctrl-Plus (forward) or Ctrl-Minus (backward) to scroll "
                            "through the errors line by line."));
    else if (!run.endFailure.empty())
        // The compiler could not check the script at all (its error file says why).
        s.ui.messageBox(Box(FailedRunText(text, run.endFailure), Buttons::Ok, Icon::Exclamation));
}

} // namespace lt
