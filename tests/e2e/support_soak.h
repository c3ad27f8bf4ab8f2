// The soak test's random user and its reference model. A run is a list of steps made
// from a seed; each step is plain data, so a failing list can be shrunk and printed.
// Every step is real input: keys go to the focused widget, clicks and hovers are mouse
// events at a control, menus open as popups, pastes go through the clipboard, drops are
// drop events, and every dialog that opens is worked with random choices. After every
// step the invariant holds (support_invariant.h), the status bar tells what the rules
// say, and the reference model (the block of every message) matches the work store and
// every file saved or opened.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace lt::soak {

enum class Op {
    Type,        // text: characters typed into the focused widget
    Key,         // value: an editing key (kKeys in the .cpp)
    Shortcut,    // value: a command key (kShortcuts)
    Click,       // value: a control; choice: where on it
    Hover,       // value: a control; the status bar is checked
    Menu,        // value: a top menu opened as a popup; choice: what is done in it
    Paste,       // text: on the clipboard, then Ctrl+V
    Drop,        // text: dropped onto the message line
    MsgNumber,   // value: typed into the message box, then Enter or Tab (choice)
    LineNumber,  // value: typed into the line box
    TaskNumber,  // value: typed into the task box
    HandEdit,    // a statement typed into the script in Script Edit
    New,
    Save,
    SaveAs,      // value: file 0..2
    Open,        // value: file 0..2
};

struct Step {
    Op op = Op::Type;
    int value = 0;
    std::string text;
    unsigned choice = 0;  // seeds the decisions made in dialogs opened by the step
    // What is done in the dialogs the step opens, one entry per dialog in the order they
    // open (random choices when there is none): controls clicked by name, "name=text" typed
    // into a box, then "ok", "cancel" or "escape" (after a refused OK, the next word acts).
    std::vector<std::string> plan;
};

std::string Describe(const Step& step);
// The step of a key, shortcut or control named as Describe names them ("Shift+Left",
// "Alt+B", "cmdRelay"); clicks land near the right end of a box.
Step Named(Op op, const std::string& name, std::vector<std::string> plan = {});
// How many blocks of each message number a script or work file holds.
std::map<long long, int> BlockCounts(const std::string& text);
std::vector<Step> MakeSteps(unsigned seed, int count);

struct Failure {
    size_t step = 0;  // index of the step after which a check failed
    std::string what;
};

struct Stats {
    int performed = 0;
    int fileChecks = 0;
    int dialogs = 0;
    std::map<std::string, int> byOp;
    std::vector<std::string> boxes;  // every message box of the run, in order
    std::string status;              // the status bar at the end
};

// Runs the steps against a fresh window in a fresh directory; the first failed check.
std::optional<Failure> RunSteps(const std::vector<Step>& steps, int lineCount = 4, Stats* stats = nullptr);

// Removes steps while the run still fails the same way, for at most `seconds`.
std::vector<Step> Shrink(std::vector<Step> steps, const Failure& failure, int seconds, int lineCount = 4);

} // namespace lt::soak
