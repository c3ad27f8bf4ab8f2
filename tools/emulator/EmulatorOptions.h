// Command-line options of unit7700.
#pragma once

#include <string>
#include <vector>

#include "emulator/EmulatorHost.h"

namespace lt::emulator {

struct EmulatorOptions {
    int type = 7780;
    int version = 2;
    std::string release; // empty: the default release of the version
    int address = 0;  // of the first unit
    int units = 1;    // units at consecutive addresses on the one line
    int tcpPort = -1; // listen on 127.0.0.1:tcpPort instead of a pseudo-terminal (0: any free port)
    bool pace = false; // bytes take their time on the line at `baud`
    int baud = 19200;
    char placeholder = '^'; // shown in the fields of variables not set yet
    double dropPercent = 0;
    double corruptPercent = 0;
    int burst = 16;
    unsigned seed = 7700;
    bool window = false;
    std::string snapshot; // --window: PNG of the panel, rewritten on every change
    HostFiles files;
};

extern const char* const kEmulatorUsage;

// False with `error` set when an option is unknown, lacks its value or has a bad one.
bool parseEmulatorOptions(const std::vector<std::string>& args, EmulatorOptions& options, std::string& error);

// The release text a unit of that firmware version reports by default.
std::string defaultRelease(int version);

} // namespace lt::emulator
