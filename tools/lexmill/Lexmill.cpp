#include "lexmill/Lexmill.h"

#include "common/ArgList.h"
#include "common/ToolFiles.h"
#include "lexmill/Compiler.h"

namespace lt::lexmill {

namespace {

struct Run {
    std::string source;
    std::string base;
    std::string errorBase;
    std::string logBase;
    std::string includeDir;
};

std::string displayText(const CompileResult& r) {
    const int type = r.program.displayType;
    return (type == 0 ? std::string("not stated (4 lines)") : std::to_string(type) + (type == 7740 ? " (2 lines)" : " (4 lines)")) +
           ", firmware version " + std::to_string(r.program.version);
}

// A problem with the call itself (list, files): reported in the error file and the log
// under the tool's name, since there is no source line to point at.
int failCall(const Run& run, const std::string& problem) {
    const std::string line = "LEXMILL: " + problem + "\r\n";
    if (!run.errorBase.empty()) tools::writeFileAtomically(run.errorBase + ".err", line);
    if (!run.logBase.empty())
        tools::writeFileAtomically(run.logBase + ".log", std::string("lexmill.exe ") + kLexmillVersion +
                                                             " - Lumatext 7700 script compiler\r\n" + line);
    if (!run.base.empty()) tools::removeFile(run.base + ".esc");
    return kExitBadCall;
}

} // namespace

int runLexmill(const std::string& listPath) {
    Run run;
    std::string listText;
    if (listPath.empty()) return kExitBadCall;
    if (!tools::readWholeFile(listPath, listText)) {
        // Without a list the only names we know are the list's own.
        run.errorBase = run.logBase = tools::baseName(listPath);
        return failCall(run, "cannot read the argument list " + tools::fileNamePart(listPath));
    }
    tools::ArgList args = tools::parseArgList(tools::listEntries(listText), {"error", "include", "log"});
    run.logBase = args.value("log");
    if (!args.positional.empty()) {
        run.source = args.positional[0];
        run.base = args.positional.size() > 1 ? args.positional[1] : tools::baseName(run.source);
    }
    run.errorBase = args.has("error") ? args.value("error") : run.base;
    run.includeDir = args.value("include");
    if (run.errorBase.empty()) run.errorBase = tools::baseName(listPath);
    if (!args.problem.empty()) return failCall(run, args.problem);
    if (args.positional.empty()) return failCall(run, "the argument list names no source file");
    if (args.positional.size() > 2)
        return failCall(run, "the argument list holds an unknown entry \"" + args.positional[2] + "\"");

    std::string sourceText;
    if (!tools::readWholeFile(run.source, sourceText))
        return failCall(run, "cannot open source file " + tools::fileNamePart(run.source));

    CompileOptions options;
    options.includeDir = run.includeDir;
    CompileResult result = compileSource(sourceText, run.source, options);
    const Diagnostics& diagnostics = result.diagnostics;

    const std::string escapePath = run.base + ".esc";
    const std::string errorPath = run.errorBase + ".err";
    bool written = false;
    if (diagnostics.errorCount() == 0) {
        written = tools::writeFileAtomically(escapePath, tools::writeEscapeFile(result.program));
        if (written) {
            tools::removeFile(errorPath); // the editor reads any error file as a failed run
        } else {
            tools::writeFileAtomically(errorPath, "LEXMILL: cannot write escape file " +
                                                      tools::fileNamePart(escapePath) + "\r\n");
        }
    } else {
        tools::writeFileAtomically(errorPath, diagnostics.errorFileText());
        tools::removeFile(escapePath); // a stale escape file must not be assembled
    }

    if (!run.logBase.empty()) {
        std::string log = std::string("lexmill.exe ") + kLexmillVersion + " - Lumatext 7700 script compiler\r\n";
        log += "Source file: " + run.source + "\r\n";
        log += "Display type: " + displayText(result) + "\r\n";
        log += "Messages compiled: " + std::to_string(result.program.messages.size()) + "\r\n";
        log += "Code bytes: " + std::to_string(result.codeBytes) + "\r\n";
        log += "Errors: " + std::to_string(diagnostics.errorCount()) +
               ", warnings: " + std::to_string(diagnostics.warningCount()) + "\r\n";
        log += diagnostics.errorFileText();
        log += diagnostics.warningText();
        if (written) log += "Escape file: " + tools::fileNamePart(escapePath) + "\r\n";
        else if (diagnostics.errorCount() == 0) log += "LEXMILL: cannot write escape file " + tools::fileNamePart(escapePath) + "\r\n";
        tools::writeFileAtomically(run.logBase + ".log", log);
    }
    if (diagnostics.errorCount() != 0) return kExitSourceErrors;
    return written ? kExitOk : kExitBadCall;
}

} // namespace lt::lexmill
