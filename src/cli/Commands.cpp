#include "Commands.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "ConsoleUserPort.h"
#include "ProgramCommand.h"
#include "Session.h"
#include "common/NumberText.h"
#include "quickedit/Generate.h"
#include "quickedit/Read.h"
#include "quickedit/RichText.h"
#include "quickedit/Simulation.h"
#include "storage/PathUtil.h"
#include "storage/SaveFile.h"
#include "storage/ScriptFile.h"
#include "storage/WorkStore.h"

namespace lt {

const char* const kLumatextUsage =
    "usage: lumatext list FILE.src           one line per message: number, task, quick or\n"
    "                                        script-only, and the text of its lines\n"
    "       lumatext show FILE.src N         the display rows of message N when it starts\n"
    "       lumatext regen FILE.src OUT.src  read and generate every Quick Edit message again\n"
    "                                        and save the whole file as OUT.src\n"
    "       lumatext program FILE.src --unit PORT[:ADDRESS] ... [--units LIST] [--baud N] [--call N]\n"
    "                                        compile the file once and program every unit:\n"
    "                                        PORT is COM<n> or tcp://HOST:PORT (a serial device\n"
    "                                        server), ADDRESS the unit address (default 0);\n"
    "                                        LIST holds one unit a line; units on one port take\n"
    "                                        turns, ports run side by side; --baud defaults to\n"
    "                                        19200; --call N calls message N up afterwards.\n"
    "                                        Exit 3 when a unit failed, 1 when the file did not\n"
    "                                        compile\n";

namespace {

enum Exit { kOk = 0, kFileError = 1, kUsage = 2 };

struct Cli {
    FileSystem& fs;
    std::ostream& out;
    std::ostream& err;
    ConsoleUserPort ui;
    Session s;
    Cli(FileSystem& f, std::ostream& o, std::ostream& e) : fs(f), out(o), err(e), ui(e), s(f, ui) {
        std::error_code ec;
        std::string temp = std::filesystem::temp_directory_path(ec).u8string();
        s.run.ProgramDir = WithTrailingSeparator(temp.empty() ? std::string(".") : temp);
    }
};

int fail(Cli& c, const std::string& message) {
    c.err << "lumatext: " << message << "\n";
    return kFileError;
}

// True when the file starts with the unit-type line every script file begins with.
bool hasUnitHeader(Cli& c, const std::string& path) {
    auto file = c.fs.openRead(path);
    if (!file) return false;
    char buffer[256];
    int64_t n = file->read(buffer, sizeof buffer);
    if (n <= 0) return false;
    std::string head(buffer, static_cast<size_t>(n));
    return head.substr(0, head.find('\n')).find("Display_type") != std::string::npos;
}

// Opens and indexes a script file; 0 when it is ready.
int open(Cli& c, const std::string& path) {
    int error = 0;
    if (c.fs.isDirectory(path)) return fail(c, "cannot open " + path + ": is a directory");
    auto probe = c.fs.openRead(path, &error);
    if (!probe) return fail(c, "cannot open " + path + ": " + std::strerror(error ? error : ENOENT));
    probe.reset();
    c.ui.setQuiet(true); // the scan's own notices are reported below in one line
    ScanResult scan = ScanScriptFile(c.s, path);
    c.ui.setQuiet(false);
    switch (scan.outcome) {
    case ScanOutcome::CannotOpen: return fail(c, "cannot open " + path);
    case ScanOutcome::ForeignRetry:
    case ScanOutcome::ForeignStop: return fail(c, path + " is not a Lumatext 7700 script file");
    case ScanOutcome::Scanned: break;
    }
    if (scan.blockCount == 0 && !hasUnitHeader(c, path)) return fail(c, path + " is not a Lumatext 7700 script file");
    c.s.index.CurrentFilePath = path;
    return kOk;
}

// Fetches message n and reads it into the record.
void load(Cli& c, int n) {
    c.s.msg.CurrentMessage = n;
    WorkStore(c.s).LoadMessage(n);
    ReadFields(c.s);
}

std::string lineTexts(const QuickMessage& m) {
    std::string joined;
    for (int i = 1; i <= m.LineCount; ++i) {
        if (i > 1) joined += " | ";
        std::string plain = GetText(m.LineRtf[i]);
        for (size_t k = 0; k < plain.size(); ++k) {
            if (plain.compare(k, 2, "\r\n") == 0) {
                joined += " / ";
                ++k;
            } else if (plain[k] == '\n' || plain[k] == '\r') {
                joined += " / ";
            } else {
                joined.push_back(plain[k]);
            }
        }
    }
    return joined;
}

int list(Cli& c, const std::string& path) {
    if (int rc = open(c, path)) return rc;
    for (int n = 0; n < kMessageCount; ++n) {
        if (c.s.index.MessageState[n] == 0) continue;
        load(c, n);
        const QuickMessage& m = c.s.msg;
        c.out << n << "\t" << m.MessageTask[n] << "\t" << (m.ScriptOnly ? "script-only" : "quick") << "\t"
              << (m.ScriptOnly ? std::string() : lineTexts(m)) << "\n";
    }
    return kOk;
}

std::string exactly20(std::string text) {
    text.resize(20, ' ');
    return text;
}

int show(Cli& c, const std::string& path, const std::string& number) {
    if (!IsNumeric(number) || Val(number) < 0 || Val(number) >= kMessageCount ||
        Val(number) != static_cast<double>(ValInt(number))) {
        c.err << "lumatext: message number must be 0 to 1023, not \"" << number << "\"\n" << kLumatextUsage;
        return kUsage;
    }
    if (int rc = open(c, path)) return rc;
    const int n = static_cast<int>(ValInt(number));
    load(c, n);
    if (c.s.msg.ScriptOnly) c.err << "lumatext: message " << n << " was edited by hand (Script Edit only)\n";
    SimulationModel sim;
    sim.UpdateSimulation(c.s);
    // The first frame of a scrolling or repeating line.
    if (sim.timer1Enabled()) sim.Timer1Tick(c.s);
    const int first = c.s.msg.LineCount == 2 ? 2 : 1;
    for (int r = first; r < first + c.s.msg.LineCount; ++r) c.out << exactly20(sim.row(r)) << "\n";
    return kOk;
}

int regen(Cli& c, const std::string& path, const std::string& target) {
    if (int rc = open(c, path)) return rc;
    WorkStore store(c.s);
    int quick = 0, scriptOnly = 0, last = -1;
    for (int n = 0; n < kMessageCount; ++n) {
        if (c.s.index.MessageState[n] == 0) continue;
        load(c, n);
        if (c.s.msg.ScriptOnly) {
            ++scriptOnly;
        } else {
            ++quick;
            SubMake(c.s);
            if (c.s.msg.BlockText.empty()) {
                // An empty message has no block and is left out of the file.
                c.s.index.MessageState[n] = 0;
                continue;
            }
        }
        if (c.ui.ended()) return fail(c, "stopped by an unexpected error in message " + std::to_string(n));
        if (!store.StoreMessage(n)) return fail(c, "cannot write the work file beside " + path);
        if (c.s.index.MessageState[n] != 0) last = n;
    }
    // The message in memory is saved from memory: make it the last one that has a block.
    if (last >= 0 && c.s.msg.CurrentMessage != last) {
        c.s.msg.CurrentMessage = last;
        store.LoadMessage(last);
    }
    c.s.run.HeaderChanged = true; // write even when nothing changed
    c.ui.setQuiet(true); // the save's notices speak of menus; one line below says it all
    const bool saved = SaveFile(c.s, path, target);
    c.ui.setQuiet(false);
    if (!saved) return fail(c, "cannot write " + target);
    c.out << "regenerated " << quick << " Quick Edit message" << (quick == 1 ? "" : "s") << ", copied " << scriptOnly
          << " script-only message" << (scriptOnly == 1 ? "" : "s") << " into " << target << "\n";
    return kOk;
}

int program(Cli& c, const std::vector<std::string>& args) {
    auto env = [](const std::string& name) {
        const char* value = std::getenv(name.c_str());
        return std::string(value ? value : "");
    };
    ProgramRequest request;
    std::string error;
    if (!ParseProgramRequest(std::vector<std::string>(args.begin() + 1, args.end()), c.fs, env, request, error)) {
        c.err << "lumatext: " << error << "\n" << kLumatextUsage;
        return kUsage;
    }
    if (int rc = open(c, request.file)) return rc;
    return ProgramUnits(c.s, request, c.out, c.err);
}

} // namespace

int RunLumatext(const std::vector<std::string>& args, FileSystem& fs, std::ostream& out, std::ostream& err) {
    const std::string command = args.empty() ? std::string() : args[0];
    if (command == "-h" || command == "--help" || command == "help") {
        out << kLumatextUsage;
        return kOk;
    }
    Cli c(fs, out, err);
    if (command == "list" && args.size() == 2) return list(c, args[1]);
    if (command == "show" && args.size() == 3) return show(c, args[1], args[2]);
    if (command == "regen" && args.size() == 3) return regen(c, args[1], args[2]);
    if (command == "program") return program(c, args);
    if (command.empty()) err << kLumatextUsage;
    else if (command != "list" && command != "show" && command != "regen")
        err << "lumatext: unknown command \"" << command << "\"\n" << kLumatextUsage;
    else
        err << "lumatext: wrong number of arguments for " << command << "\n" << kLumatextUsage;
    return kUsage;
}

} // namespace lt
