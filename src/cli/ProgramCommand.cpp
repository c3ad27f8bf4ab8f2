#include "ProgramCommand.h"

#include <algorithm>
#include <set>

#include "ChildProcess.h"
#include "FleetRun.h"
#include "ProgressView.h"
#include "Terminal.h"
#include "storage/PathUtil.h"
#include "toolchain/CompileRun.h"
#include "toolchain/ResultSink.h"
#include "toolchain/ToolContext.h"
#include "toolchain/VersionCheck.h"

namespace lt {

namespace {

constexpr int kCompileFailed = 1;
constexpr int kUnitFailed = 3;

bool wholeNumber(const std::string& text, long low, long high, long& value) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](unsigned char c) { return c >= '0' && c <= '9'; }))
        return false;
    value = std::stol(text);
    return value >= low && value <= high;
}

// The compilers run as child processes; their output is not wanted, their logs are.
class CliProcessRunner : public ProcessRunner {
public:
    ProcessResult run(const std::string& program, const std::vector<std::string>& arguments,
                      const std::function<void()>& tick, bool) override {
        std::string error, ignored;
        auto child = ChildProcess::start(program, arguments, {}, error);
        if (!child) return ProcessResult{false, 0, error};
        while (!child->finished()) {
            ChildProcess::waitAny({child.get()}, 100);
            child->readOutput(ignored);
            ignored.clear();
            tick();
        }
        return ProcessResult{true, child->exitCode(), {}};
    }
};

// Keeps what the compile run would show in the result window.
class TextSink : public ResultSink {
public:
    void setText(const std::string& text) override { text_ = text; }
    std::string text() const override { return text_; }
    void setElapsed(const std::string&) override {}
    void showElapsedLabel(bool) override {}
    void showElapsedValue(bool) override {}
    void setProgramButton(const std::string&, bool) override {}
    std::optional<ErrorLink> showTextFile(const std::string&, const std::string&,
                                          const std::vector<ErrorLink>&) override {
        return std::nullopt;
    }
    void closeWindow() override {}

private:
    std::string text_;
};

std::string plural(size_t n, const std::string& word) { return std::to_string(n) + " " + word + (n == 1 ? "" : "s"); }

} // namespace

bool ParseProgramRequest(const std::vector<std::string>& args, FileSystem& fs, const EnvironmentLookup& env,
                         ProgramRequest& request, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0) {
            if (!request.file.empty()) {
                error = "program takes one script file, not also \"" + a + "\"";
                return false;
            }
            request.file = a;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = "option " + a + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        long n = 0;
        if (a == "--unit") {
            UnitTarget unit;
            if (!ParseUnit(value, env, unit, error)) return false;
            request.units.push_back(unit);
        } else if (a == "--units") {
            if (!ReadUnitsFile(fs, value, env, request.units, error)) return false;
        } else if (a == "--baud") {
            if (!wholeNumber(value, 50, 4000000, n)) {
                error = "the baud rate \"" + value + "\" is not valid (50 to 4000000)";
                return false;
            }
            request.baud = static_cast<int>(n);
        } else if (a == "--call") {
            if (!wholeNumber(value, 0, 1023, n)) {
                error = "\"" + value + "\" is not a message number (0 to 1023)";
                return false;
            }
            request.callMessage = static_cast<int>(n);
        } else {
            error = "unknown option " + a;
            return false;
        }
    }
    if (request.file.empty()) error = "program needs the script file";
    else if (request.units.empty()) error = "program needs at least one --unit or a --units file";
    std::set<std::pair<std::string, int>> seen;
    for (const UnitTarget& unit : request.units)
        if (error.empty() && !seen.insert({unit.line, unit.address}).second)
            error = "unit " + unit.label + " is named twice (or two names lead to the same line and address)";
    return error.empty();
}

int ProgramUnits(Session& s, const ProgramRequest& request, std::ostream& out, std::ostream& err) {
    const std::string& path = request.file;
    s.settings.ToolsPath = ProgramDirectory();
    CliProcessRunner runner;
    ToolContext ctx(s, runner);
    TextSink compileLog;
    const std::string base = BaseName(path);
    if (CompileRun(ctx, path, path, &compileLog)) {
        err << "lumatext: " << FileNamePart(path) << " did not compile; nothing was programmed.\n" << compileLog.text();
        if (s.fs.exists(base + ".err")) err << "The errors are kept in " << base << ".err.\n";
        return kCompileFailed;
    }
    out << "Compiled " << FileNamePart(path) << " into " << base << ".bin.\n";

    FleetOptions options;
    options.unitTool = s.settings.ToolsPath + "7700.exe";
    options.imageBase = base;
    options.fileName = FileNamePart(path);
    options.fileVersion = ReadPragmaVersion(s.fs, path).value_or("");
    options.model = s.settings.UnitType == "7780" ? "80" : "40";
    options.baud = request.baud;
    options.callMessage = request.callMessage;
    std::set<std::string> lines;
    for (const UnitTarget& unit : request.units) lines.insert(unit.line);
    out << "Programming " << plural(request.units.size(), "unit") << " (" << s.settings.UnitType << ") on "
        << plural(lines.size(), "line") << " at " << request.baud << " baud.\n"
        << std::flush;

    ProgressView view(out, OutputIsTerminal(), TerminalColumns());
    std::vector<UnitReport> reports =
        ProgramFleet(s.fs, options, request.units, [&](const std::vector<UnitReport>& r) { view.show(r); });
    const size_t good = static_cast<size_t>(
        std::count_if(reports.begin(), reports.end(), [](const UnitReport& r) { return r.ok; }));
    out << "\n" << SummaryTable(reports) << "\n";
    if (good == reports.size()) {
        out << (good == 1 ? "The unit was programmed.\n" : "All " + std::to_string(good) + " units were programmed.\n");
        return 0;
    }
    out << good << " of " << reports.size() << " units succeeded; " << reports.size() - good << " failed.\n";
    return kUnitFailed;
}

} // namespace lt
