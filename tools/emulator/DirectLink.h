// A line straight into an emulated unit, without a pseudo-terminal: each write is
// answered at once. Tests and benchmarks use it to run the tool's protocol against the
// unit's, with the same fault mode the emulator program offers.
#pragma once

#include "emulator/FaultInjector.h"
#include "emulator/UnitServer.h"
#include "protocol/Link.h"

namespace lt::emulator {

class DirectLink : public protocol::Link {
public:
    DirectLink(UnitServer& server, FaultInjector& faults) : server_(server), faults_(faults) {}

    bool write(std::string_view bytes) override {
        if (cut_) return false;
        pending_ += faults_.apply(server_.receive(faults_.apply(bytes)));
        return true;
    }
    bool read(std::string& out, int) override {
        if (cut_) return false;
        out += pending_;
        pending_.clear();
        // Nothing more will come until the next write: a waiting reader sees a quiet line.
        server_.lineQuiet();
        return true;
    }
    std::string lostReason() const override { return "the line was cut"; }
    void cut() { cut_ = true; }

private:
    UnitServer& server_;
    FaultInjector& faults_;
    std::string pending_;
    bool cut_ = false;
};

} // namespace lt::emulator
