// The soak test's random user and its reference model. A run is a list of steps made
// from a seed; each step is plain data, so a failing list can be shrunk and printed.
// The steps drive the real main window; the reference model follows along and the run
// checks the window, the work file and the saved files against it.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace lt::soak {

enum class Op { Type, Backspace, Relay, Font, ClearScreen, Line, Task, MsgScroll, MsgNumber,
                Delete, New, Save, SaveAs, Open, Recent };

struct Step {
    Op op = Op::Type;
    int value = 0;      // line, task, message number, direction, file or recent entry
    std::string text;   // typed characters
};

std::string Describe(const Step& step);
std::vector<Step> MakeSteps(unsigned seed, int count);
// How many blocks of each message number a script or work file holds.
std::map<long long, int> BlockCounts(const std::string& text);

// What the person has put into one message.
struct RefMessage {
    std::array<std::string, 5> text;  // plain text of lines 1..4
    std::array<std::string, 5> font;  // "", ENGLISH, KATAKANA, SLAVIC, CYRILLIC
    std::string relay;                // "", "ON", "OFF"
    bool clear = false;
    int task = 0;

    bool blank() const;
    // Equal keys mean equal blocks; a blank message counts as nothing, whatever its task.
    std::string key() const;
};

using Messages = std::map<int, RefMessage>;  // only messages that are not blank

struct Failure {
    size_t step = 0;      // index of the step after which a check failed
    std::string what;
};

// What a run did: steps that changed something, file checks, and each kind of step.
struct Stats {
    int performed = 0;
    int fileChecks = 0;
    std::map<std::string, int> byOp;
};

// Runs the steps against a fresh window in a fresh directory; the first failed check.
std::optional<Failure> RunSteps(const std::vector<Step>& steps, int lineCount = 4, Stats* stats = nullptr);

// Removes steps while the run still fails the same way (delta debugging), within a
// budget of runs.
std::vector<Step> Shrink(std::vector<Step> steps, const Failure& failure, int budget, int lineCount = 4);

} // namespace lt::soak
