// Puts emulated units on a line that programs open like a serial port: a pseudo-terminal
// or a TCP port on 127.0.0.1. Several units on one line answer at their own addresses,
// as on an RS-485 bus. The host moves bytes between the line and the units (at the baud
// rate when paced), lets the units' time run and keeps their files up to date.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "emulator/EmulatedUnit.h"
#include "emulator/FaultInjector.h"
#include "emulator/HostLine.h"
#include "emulator/LinePacer.h"

namespace lt::emulator {

struct HostFiles {
    std::string deviceFile;  // receives the line's name (device path or tcp://...)
    std::string displayFile; // rewritten on every change of the display
    std::string serialLog;   // what messages send out of the serial port (empty: stdout)
    std::string flashFile;   // keeps the flash between runs
};

// The files of the unit at `address` when `units` units share the line: the names as
// given for one unit, with "." and the address appended for more.
UnitFiles filesOfUnit(const HostFiles& files, int address, int units);

class EmulatorHost {
public:
    // `paceBaud` 0: bytes pass at once; otherwise at that rate (LinePacer).
    EmulatorHost(std::unique_ptr<HostLine> line, std::vector<std::unique_ptr<EmulatedUnit>> units,
                 FaultInjector& faults, const std::string& deviceFile, int paceBaud);
    ~EmulatorHost();
    EmulatorHost(const EmulatorHost&) = delete;
    EmulatorHost& operator=(const EmulatorHost&) = delete;

    // Opens the line, loads the flash files, writes the device file. False with `error` set.
    bool open(std::string& error);
    std::string devicePath() const { return line_->name(); }
    std::vector<int> waitFds() const { return line_->waitFds(); }
    // How long the caller may sleep before the host has something to do (at most maxMs).
    int idleMs(int maxMs) const;

    EmulatedUnit& unit(size_t i) { return *units_[i]; }
    size_t unitCount() const { return units_.size(); }

    // Waits at most maxWaitMs for bytes, answers them, lets the units' time run and
    // updates the files. False when the line failed for good.
    bool pollOnce(int maxWaitMs);

private:
    void toUnits(const std::string& bytes, std::chrono::steady_clock::time_point at);

    std::unique_ptr<HostLine> line_;
    std::vector<std::unique_ptr<EmulatedUnit>> units_;
    FaultInjector& faults_;
    std::string deviceFile_;
    std::optional<LinePacer> pacer_;
    std::chrono::steady_clock::time_point last_;
    std::chrono::steady_clock::time_point lastByte_;
    int carryMs_ = 0;
};

} // namespace lt::emulator
