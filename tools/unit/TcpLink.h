// The line to a unit behind a serial device server in raw TCP mode (Qt Network): the
// bytes of the connection are the bytes of the unit's serial line.
#pragma once

#include <QTcpSocket>
#include <memory>

#include "protocol/Link.h"
#include "unit/UnitTool.h"

namespace lt::unit {

class TcpLink : public protocol::Link {
public:
    // Connects within port.connectTimeoutMs; null with a log line in `error` and the exit
    // code in `code` (refused, unknown host, no connection in time).
    static std::unique_ptr<protocol::Link> open(const PortRequest& port, std::string& error, int& code);

    bool write(std::string_view bytes) override;
    bool read(std::string& out, int timeoutMs) override;
    std::string lostReason() const override { return lost_; }

private:
    bool broken();

    QTcpSocket socket_;
    std::string name_;
    std::string lost_;
    bool heard_ = false; // the far end has sent something
};

// Opens what the port names: a network port (tcp://...) or a serial device.
std::unique_ptr<protocol::Link> openLine(const PortRequest& port, std::string& error, int& code);

} // namespace lt::unit
