// The emulator's end of the line: a pseudo-terminal that programs open like a serial
// port, or a TCP port on 127.0.0.1 that programs connect to as to a serial device server
// in raw TCP mode (one client at a time).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lt::emulator {

class HostLine {
public:
    virtual ~HostLine() = default;
    // False with `error` set when the line cannot be made.
    virtual bool open(std::string& error) = 0;
    // What a tool opens: the pseudo-terminal's path, or tcp://127.0.0.1:PORT.
    virtual std::string name() const = 0;
    // Descriptors whose readiness means there is something to read.
    virtual std::vector<int> waitFds() const = 0;
    // Appends what arrived, without waiting. `newClient` is set when a conversation ended
    // or began (anything half received belongs to no one). False when the line failed.
    virtual bool read(std::string& bytes, bool& newClient) = 0;
    // Sends the bytes; they are lost when nobody reads them, as on a line.
    virtual void write(std::string_view bytes) = 0;
};

std::unique_ptr<HostLine> makePtyLine();
// port 0: a free port chosen by the system (name() tells which).
std::unique_ptr<HostLine> makeTcpLine(int port);

} // namespace lt::emulator
