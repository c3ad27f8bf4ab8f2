// The line to a unit over a serial port (Qt SerialPort): a COM port, or the
// pseudo-terminal of the unit emulator.
#pragma once

#include <QSerialPort>
#include <memory>

#include "protocol/Link.h"
#include "unit/UnitTool.h"

namespace lt::unit {

class SerialLink : public protocol::Link {
public:
    // Opens the port; null with a log line in `error` and the exit code in `code`.
    static std::unique_ptr<protocol::Link> open(const PortRequest& port, std::string& error, int& code);

    bool write(std::string_view bytes) override;
    bool read(std::string& out, int timeoutMs) override;
    std::string lostReason() const override { return lost_; }

private:
    bool broken();

    QSerialPort port_;
    std::string device_;
    std::string lost_;
};

} // namespace lt::unit
