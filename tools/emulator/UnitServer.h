// The unit's side of the 7700 protocol: takes the bytes that arrive on the line and
// returns the bytes of its answers. It answers only frames sent to its own address.
#pragma once

#include <string>
#include <string_view>

#include "emulator/Machine.h"
#include "protocol/Commands.h"
#include "protocol/Frame.h"

namespace lt::emulator {

class UnitServer {
public:
    UnitServer(Machine& machine, const protocol::UnitInfo& info, int address);

    // Bytes from the line in, answer bytes out.
    std::string receive(std::string_view bytes);
    // The line has been quiet for a while: a partial frame will never be completed.
    void lineQuiet() { parser_.clear(); }
    bool pendingInput() const { return parser_.pending() != 0; }

    // Counters for the log and tests.
    int framesAnswered() const { return answered_; }
    int damagedFrames() const { return damaged_; }
    bool flashChanged() { bool changed = flashChanged_; flashChanged_ = false; return changed; }

private:
    std::string handle(const protocol::Frame& frame, uint8_t& status);

    Machine& machine_;
    protocol::UnitInfo info_;
    int address_;
    protocol::FrameParser parser_;
    std::string buffer_; // message code loaded by 'L'
    int answered_ = 0;
    int damaged_ = 0;
    bool flashChanged_ = false;
};

} // namespace lt::emulator
