// One emulated unit on the line: its machine, its side of the protocol at its address,
// and the files that show it (display, serial output, flash).
#pragma once

#include <chrono>
#include <string>

#include "emulator/Machine.h"
#include "emulator/UnitServer.h"
#include "protocol/Commands.h"

namespace lt::emulator {

struct UnitFiles {
    std::string displayFile; // rewritten on every change of the display
    std::string serialLog;   // what messages send out of the serial port (empty: stdout)
    std::string flashFile;   // keeps the flash between runs
};

class EmulatedUnit {
public:
    EmulatedUnit(const protocol::UnitInfo& info, int address, char placeholder, const UnitFiles& files);
    ~EmulatedUnit();
    EmulatedUnit(const EmulatedUnit&) = delete;
    EmulatedUnit& operator=(const EmulatedUnit&) = delete;

    // Loads the flash file when there is one. False with `error` set when it is no image.
    bool loadFlash(std::string& error);

    Machine& machine() { return machine_; }
    UnitServer& server() { return server_; }
    int address() const { return address_; }
    int type() const { return type_; }

    // Keeps the files up to date; the flash file is written once the line has been quiet
    // for `quietMs` (not after every block).
    void updateFiles(int quietMs);

private:
    Machine machine_;
    UnitServer server_;
    int address_;
    int type_;
    UnitFiles files_;
    uint64_t shownChanges_ = ~0ull;
    bool shownRelay_ = false;
    bool flashDirty_ = false;
};

} // namespace lt::emulator
