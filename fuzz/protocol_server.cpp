// Whatever arrives on the line, the emulated unit must neither crash nor hang: frames
// are parsed, answered and the messages they start run for a while.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "emulator/Machine.h"
#include "emulator/UnitServer.h"
#include "protocol/Frame.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lt;
    emulator::Machine machine(4, 2);
    emulator::UnitServer server(machine, protocol::UnitInfo{7780, 2, 4, protocol::kFlashSize, "4.12, build 7"}, 0);
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The input arrives in pieces, as from a serial port, and also framed whole so that
    // the commands behind the framing are reached.
    for (size_t at = 0; at < bytes.size(); at += 61) server.receive(bytes.substr(at, 61));
    if (size > 2) {
        std::string_view payload = bytes.substr(2, protocol::kMaxPayload);
        server.receive(protocol::encodeFrame(0, data[0], data[1], payload));
        server.receive(protocol::encodeFrame(0, 'X', 1, bytes.substr(0, 9)));
    }
    machine.advance(2000);
    return 0;
}
