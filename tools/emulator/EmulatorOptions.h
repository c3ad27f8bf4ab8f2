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
    int address = 0;
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
