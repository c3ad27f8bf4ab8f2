#include "FleetRun.h"

#include <cctype>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <optional>

#include "ChildProcess.h"
#include "toolchain/ToolContract.h"
#include "toolchain/VersionCheck.h"

namespace lt {

namespace {

using Clock = std::chrono::steady_clock;

struct Job {
    size_t unit;
    char mode; // 'v', 'p' or 'c'
};

// One line: its jobs one after another.
struct Line {
    std::deque<Job> jobs;
    std::unique_ptr<ChildProcess> child;
    Job running{0, 'v'};
    Clock::time_point started;
    Clock::time_point deadline;
    bool stopped = false; // killed for running past its deadline
    std::string output;   // the child's output not yet taken apart
};

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The line of a failed run that tells why: its last line other than the traffic count.
std::string failureLine(const std::string& log) {
    size_t end = log.size();
    while (end > 0) {
        size_t start = log.rfind('\n', end - 1);
        start = start == std::string::npos ? 0 : start + 1;
        std::string line = log.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == ' ')) line.pop_back();
        if (!line.empty() && line.rfind("Line traffic:", 0) != 0) return line;
        end = start > 0 ? start - 1 : 0;
    }
    return {};
}

// "Line traffic: 3,456 bytes sent, ..." -> "3,456".
std::string bytesSent(const std::string& log) {
    const std::string head = "Line traffic: ";
    const size_t at = log.rfind(head);
    if (at == std::string::npos) return {};
    const size_t end = log.find(' ', at + head.size());
    return log.substr(at + head.size(), end == std::string::npos ? 0 : end - at - head.size());
}

class Fleet {
public:
    Fleet(FileSystem& fs, const FleetOptions& options, const std::vector<UnitTarget>& units,
          const std::function<void(const std::vector<UnitReport>&)>& show)
        : fs_(fs), options_(options), show_(show) {
        std::map<std::string, size_t> lineOf;
        for (size_t i = 0; i < units.size(); ++i) {
            UnitReport report;
            report.unit = units[i];
            report.logPath = UnitFileBase(options.imageBase, units[i]) + ".log";
            WriteTextFile(fs_, report.logPath, ""); // this run's log starts empty
            reports_.push_back(report);
            auto [it, added] = lineOf.emplace(units[i].line, lines_.size());
            if (added) lines_.emplace_back();
            lineIndex_.push_back(it->second);
            lines_[it->second].jobs.push_back({i, 'v'});
        }
    }

    std::vector<UnitReport> run() {
        drain();
        if (options_.callMessage >= 0) {
            for (size_t i = 0; i < reports_.size(); ++i)
                if (reports_[i].ok) lines_[lineIndex_[i]].jobs.push_back({i, 'c'});
            drain();
        }
        show_(reports_);
        return reports_;
    }

private:
    // Runs every queued job to its end.
    void drain() {
        while (true) {
            std::vector<ChildProcess*> running;
            for (Line& line : lines_) {
                while (!line.child && !line.jobs.empty()) start(line);
                if (line.child) running.push_back(line.child.get());
            }
            if (running.empty()) return;
            show_(reports_);
            ChildProcess::waitAny(running, 100);
            for (Line& line : lines_) {
                if (!line.child) continue;
                line.child->readOutput(line.output);
                takeProgress(line);
                if (line.child->finished()) {
                    line.child->readOutput(line.output);
                    takeProgress(line);
                    finish(line);
                } else if (Clock::now() > line.deadline && !line.stopped) {
                    line.stopped = true;
                    line.child->kill();
                }
            }
            show_(reports_);
        }
    }

    void start(Line& line) {
        line.running = line.jobs.front();
        line.jobs.pop_front();
        UnitReport& r = reports_[line.running.unit];
        const std::string base = UnitFileBase(options_.imageBase, r.unit);
        std::vector<std::string> entries;
        if (line.running.mode == 'c') entries.push_back(std::to_string(options_.callMessage));
        else entries.push_back(options_.imageBase);
        for (const std::string& e : {std::string("/a"), std::to_string(r.unit.address), std::string("/b"),
                                     std::to_string(options_.baud), std::string("/c"), r.unit.port, std::string("/m"),
                                     options_.model, std::string("/log"), base + ".run"})
            entries.push_back(e);
        if (line.running.mode == 'v') r.started = Clock::now();
        r.phase = line.running.mode == 'v' ? UnitPhase::Checking
                  : line.running.mode == 'p' ? UnitPhase::Programming
                                             : UnitPhase::CallingUp;
        std::string error;
        if (!WriteArgumentList(fs_, base + ".lst", entries)) {
            fail(r, "cannot write the argument list " + base + ".lst");
            return;
        }
        line.child = ChildProcess::start(options_.unitTool, {std::string(1, line.running.mode), "@" + base + ".lst"},
                                         {"LUMATEXT7700_PROGRESS=1"}, error);
        if (!line.child) {
            fs_.remove(base + ".lst");
            fail(r, "cannot start " + options_.unitTool + ": " + error);
            return;
        }
        line.started = Clock::now();
        line.stopped = false;
        line.output.clear();
        // The tool bounds its own waits; this only catches one that hangs. Programming may
        // take four times the image's time on the line (retries, smaller blocks).
        const int lineSeconds = line.running.mode == 'p' ? 4 * 32768 * 10 / options_.baud : 0;
        line.deadline = line.started + std::chrono::seconds(120 + lineSeconds);
    }

    void takeProgress(Line& line) {
        size_t end;
        while ((end = line.output.find('\n')) != std::string::npos) {
            unsigned long long done = 0, total = 0;
            if (line.running.mode == 'p' &&
                std::sscanf(line.output.c_str(), "progress %llu %llu", &done, &total) == 2) {
                reports_[line.running.unit].done = done;
                reports_[line.running.unit].total = total;
            }
            line.output.erase(0, end + 1);
        }
    }

    void finish(Line& line) {
        UnitReport& r = reports_[line.running.unit];
        const std::string base = UnitFileBase(options_.imageBase, r.unit);
        fs_.remove(base + ".lst");
        std::string log;
        ReadToolLog(fs_, base + ".run.log", log);
        fs_.remove(base + ".run.log");
        appendLog(r, log);
        const int code = line.child->exitCode();
        line.child.reset();
        std::string reason;
        if (line.stopped) reason = "7700.exe did not finish in time and was stopped";
        else if (code != 0) reason = failureLine(log);
        if (code != 0 && reason.empty())
            reason = code < 0 ? "7700.exe ended abnormally" : "7700.exe ended with exit code " + std::to_string(code);
        r.phase = UnitPhase::Done;
        if (line.running.mode == 'p') r.bytesSent = bytesSent(log);
        if (line.running.mode == 'c') {
            if (code == 0) r.result += ", message " + std::to_string(options_.callMessage) + " called up";
            else fail(r, "programmed, but the call-up failed: " + reason);
            return;
        }
        if (code != 0) {
            fail(r, reason);
            return;
        }
        if (line.running.mode == 'v') {
            if (std::string mismatch = firmwareMismatch(log); !mismatch.empty()) {
                appendLog(r, "Not programmed: " + mismatch + ".\r\n");
                fail(r, mismatch);
                return;
            }
            line.jobs.push_front({line.running.unit, 'p'});
            r.phase = UnitPhase::Programming;
            return;
        }
        r.ok = true;
        r.result = "programmed";
        r.seconds = secondsSince(r.started);
    }

    // Empty when the unit's firmware is the one the file is written for. A unit that
    // reports no version is programmed, as the editor does.
    std::string firmwareMismatch(const std::string& log) const {
        std::optional<UnitVersion> unit = ParseUnitVersion(log);
        const std::string& file = options_.fileVersion;
        if (!unit || ((file == "1" || file == "2") && file == unit->version)) return {};
        const std::string head = "the unit is a Version " + unit->version +
                                 " 7700 Series Display (firmware release " + unit->release + "), but " +
                                 options_.fileName;
        if (file.empty()) return head + " names no version (#pragma version)";
        return head + " is written for version " + file;
    }

    void fail(UnitReport& r, const std::string& reason) {
        r.phase = UnitPhase::Done;
        r.ok = false;
        r.result = reason;
        if (r.seconds == 0) r.seconds = secondsSince(r.started);
    }

    void appendLog(const UnitReport& r, const std::string& text) {
        if (text.empty()) return;
        if (auto file = fs_.openWrite(r.logPath, true)) {
            file->write(text);
            file->close();
        }
    }

    FileSystem& fs_;
    const FleetOptions& options_;
    std::function<void(const std::vector<UnitReport>&)> show_;
    std::vector<UnitReport> reports_;
    std::vector<Line> lines_;
    std::vector<size_t> lineIndex_; // the line of each unit
};

} // namespace

std::string UnitFileBase(const std::string& imageBase, const UnitTarget& unit) {
    std::string name = unit.label;
    if (name.compare(0, 6, "tcp://") == 0) name = "tcp-" + name.substr(6);
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-') c = '-';
    return imageBase + "." + name;
}

std::vector<UnitReport> ProgramFleet(FileSystem& fs, const FleetOptions& options, const std::vector<UnitTarget>& units,
                                     const std::function<void(const std::vector<UnitReport>&)>& show) {
    return Fleet(fs, options, units, show).run();
}

} // namespace lt
