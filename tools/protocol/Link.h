// The byte line between the tool and a unit: a serial port in 7700.exe, a direct
// connection to an emulated unit in tests and benchmarks.
#pragma once

#include <string>
#include <string_view>

namespace lt::protocol {

class Link {
public:
    virtual ~Link() = default;
    // Sends the bytes. False when the line is gone.
    virtual bool write(std::string_view bytes) = 0;
    // Waits at most timeoutMs for bytes and appends those that arrived (possibly none).
    // False when the line is gone.
    virtual bool read(std::string& out, int timeoutMs) = 0;
    // Why the line is gone, for the log.
    virtual std::string lostReason() const = 0;
};

} // namespace lt::protocol
