#include "unit/SerialLink.h"

#include <QFileInfo>

namespace lt::unit {

std::unique_ptr<protocol::Link> SerialLink::open(const PortRequest& port, std::string& error, int& code) {
    const std::string& name = port.label;
    code = kExitPort;
    if (!QFileInfo::exists(QString::fromStdString(port.device))) {
        error = "No such port: " + name + " does not exist.";
        return nullptr;
    }
    auto link = std::make_unique<SerialLink>();
    QSerialPort& p = link->port_;
    link->device_ = port.device;
    p.setPortName(QString::fromStdString(port.device));
    if (!p.open(QIODevice::ReadWrite)) {
        switch (p.error()) {
        case QSerialPort::DeviceNotFoundError: error = "No such port: " + name + " does not exist."; break;
        case QSerialPort::PermissionError:
            error = "Port busy: " + name + " is in use by another program or may not be opened by this user.";
            break;
        default: error = "Cannot open " + name + ": " + p.errorString().toStdString() + "."; break;
        }
        return nullptr;
    }
    if (!p.setBaudRate(port.baud) || !p.setDataBits(QSerialPort::Data8) || !p.setParity(QSerialPort::NoParity) ||
        !p.setStopBits(QSerialPort::OneStop) || !p.setFlowControl(QSerialPort::NoFlowControl)) {
        error = "Cannot set " + name + " to " + std::to_string(port.baud) + " baud, 8 data bits, no parity: " +
                p.errorString().toStdString() + ".";
        return nullptr;
    }
    p.clear();
    code = kExitOk;
    return link;
}

bool SerialLink::broken() {
    QSerialPort::SerialPortError e = port_.error();
    if (e == QSerialPort::NoError || e == QSerialPort::TimeoutError) {
        port_.clearError();
        return false;
    }
    lost_ = device_ + " stopped working, the unit or the line is disconnected (the port reports: " +
            port_.errorString().toStdString() + ")";
    return true;
}

bool SerialLink::write(std::string_view bytes) {
    if (port_.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
    {
        if (!broken()) lost_ = device_ + ": the port does not take the bytes";
        return false;
    }
    // Ten bits a byte at the slowest rate, plus a second: a port that takes longer is stuck.
    const int limit = 1000 + static_cast<int>(bytes.size() * 10 * 1000 / 50);
    while (port_.bytesToWrite() > 0)
        if (!port_.waitForBytesWritten(limit)) {
            if (broken()) return false;
            lost_ = device_ + ": the port does not send";
            return false;
        }
    return !broken();
}

bool SerialLink::read(std::string& out, int timeoutMs) {
    if (port_.bytesAvailable() == 0) {
        port_.waitForReadyRead(timeoutMs > 0 ? timeoutMs : 1);
        if (broken()) return false;
    }
    QByteArray bytes = port_.readAll();
    out.append(bytes.constData(), static_cast<size_t>(bytes.size()));
    return !broken();
}

} // namespace lt::unit
