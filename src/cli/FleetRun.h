// Programs many units from one image through the unit tool "7700.exe": every unit is
// identified ("v": its type, and its firmware against the file's "#pragma version"), then
// programmed ("p"), and at the end, when asked, given a message to call up ("c"). Units
// on one line (one cable or RS-485 bus) take their turns; lines run side by side. A unit
// that fails never stops the others. Each unit keeps one log of all its runs.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "UnitList.h"
#include "storage/FileSystem.h"

namespace lt {

struct FleetOptions {
    std::string unitTool;    // path of 7700.exe
    std::string imageBase;   // the image is <imageBase>.bin
    std::string fileName;    // the script file's name, for the firmware message
    std::string fileVersion; // its "#pragma version" (empty: it names none)
    std::string model;       // "/m": 80 for a 7780, 40 for a 7740
    int baud = 19200;
    int callMessage = -1;    // called up on every programmed unit afterwards; -1: none
};

enum class UnitPhase { Waiting, Checking, Programming, CallingUp, Done };

struct UnitReport {
    UnitTarget unit;
    UnitPhase phase = UnitPhase::Waiting;
    size_t done = 0;  // programming progress: bytes that crossed the line of `total`
    size_t total = 0;
    bool ok = false;
    std::string result; // "programmed", or why the unit was not
    std::string bytesSent; // as the unit tool's log counts them: "5,218"
    double seconds = 0; // identifying and programming
    std::string logPath;
    std::chrono::steady_clock::time_point started;
};

// Runs the units and returns their reports; `show` sees them after every change (and at
// most every 100 ms while nothing changes).
std::vector<UnitReport> ProgramFleet(FileSystem& fs, const FleetOptions& options, const std::vector<UnitTarget>& units,
                                     const std::function<void(const std::vector<UnitReport>&)>& show);

// <imageBase>.<unit>: the base name of one unit's files ("Demo.COM3-0", "Demo.tcp-host-4001-2").
std::string UnitFileBase(const std::string& imageBase, const UnitTarget& unit);

} // namespace lt
