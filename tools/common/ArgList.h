// The argument-list file the editor hands a tool as "@<path>": one entry per line (CR LF
// or LF), usually followed by one empty line. Entries are positional values and switches
// ("/error", "/include", "/log") each followed by its value.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace lt::tools {

struct ArgList {
    std::vector<std::string> positional;
    std::map<std::string, std::string> switches; // lower-case switch name without "/" -> value
    std::string problem;                         // empty when the list was understood

    bool has(const std::string& name) const { return switches.count(name) != 0; }
    std::string value(const std::string& name) const;
};

// The entries of a list text: lines without their line ends; empty lines are skipped.
std::vector<std::string> listEntries(const std::string& text);

// Sorts entries into positional values and the known switches (an entry that is "/" and a
// known name, in any letter case); a switch without its value sets `problem`.
ArgList parseArgList(const std::vector<std::string>& entries, const std::vector<std::string>& knownSwitches);

// The list path named by the command line: the argument "@path" (or a plain path).
// Empty when the command line names none.
std::string listPathFromCommandLine(int argc, char* argv[]);

} // namespace lt::tools
