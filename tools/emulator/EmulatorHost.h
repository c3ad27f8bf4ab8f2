// Puts an emulated unit on a pseudo-terminal: programs open the device path like a serial
// port. The host moves bytes between the line and the unit, lets the unit's time run,
// and keeps the display file, the serial output log and the flash file up to date.
#pragma once

#include <chrono>
#include <string>

#include "emulator/FaultInjector.h"
#include "emulator/Machine.h"
#include "emulator/UnitServer.h"

namespace lt::emulator {

struct HostFiles {
    std::string deviceFile;  // receives the device path
    std::string displayFile; // rewritten on every change of the display
    std::string serialLog;   // what messages send out of the serial port (empty: stdout)
    std::string flashFile;   // keeps the flash between runs
};

class EmulatorHost {
public:
    EmulatorHost(Machine& machine, UnitServer& server, FaultInjector& faults, const HostFiles& files, int unitType);
    ~EmulatorHost();
    EmulatorHost(const EmulatorHost&) = delete;
    EmulatorHost& operator=(const EmulatorHost&) = delete;

    // Creates the pseudo-terminal, loads the flash file. False with `error` set.
    bool open(std::string& error);
    const std::string& devicePath() const { return device_; }
    int lineFd() const { return master_; }

    // Waits at most maxWaitMs for bytes, answers them, lets the unit's time run and
    // updates the files. False when the line failed for good.
    bool pollOnce(int maxWaitMs);

    // The text of the display file for the machine's current state.
    static std::string displayText(const Machine& machine, int unitType);

private:
    void updateFiles();

    Machine& machine_;
    UnitServer& server_;
    FaultInjector& faults_;
    HostFiles files_;
    int unitType_;
    int master_ = -1;
    int slave_ = -1; // kept open so the line stays up between clients
    std::string device_;
    std::chrono::steady_clock::time_point last_;
    std::chrono::steady_clock::time_point lastByte_;
    int carryMs_ = 0;
    uint64_t shownChanges_ = ~0ull;
    bool shownRelay_ = false;
    bool flashDirty_ = false;
};

} // namespace lt::emulator
