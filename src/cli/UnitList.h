// The units of `lumatext program`: PORT[:ADDRESS] where PORT is COM<n> (the unit tool
// resolves it: $LUMATEXT7700_COM<n>, else the n-th serial device) or tcp://HOST:PORT (a
// serial device server in raw TCP mode), and ADDRESS the unit's address 0..255 (default 0).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "storage/FileSystem.h"

namespace lt {

struct UnitTarget {
    std::string port;  // as the unit tool's "/c" entry takes it: "COM3" or "tcp://host:4001"
    int address = 0;
    std::string label; // how the user wrote it, normalised: "COM3:0", "tcp://host:4001:2"
    std::string line;  // units with the same line share one cable (or RS-485 bus)
};

using EnvironmentLookup = std::function<std::string(const std::string& name)>;

// False with `error` set when the text names no unit.
bool ParseUnit(const std::string& text, const EnvironmentLookup& env, UnitTarget& unit, std::string& error);

// A units file: one unit per line; "#" starts a comment, blank lines are skipped.
bool ReadUnitsFile(FileSystem& fs, const std::string& path, const EnvironmentLookup& env,
                   std::vector<UnitTarget>& units, std::string& error);

} // namespace lt
