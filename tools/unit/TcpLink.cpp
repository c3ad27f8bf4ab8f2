#include "unit/TcpLink.h"

#include "unit/SerialLink.h"

namespace lt::unit {

std::unique_ptr<protocol::Link> TcpLink::open(const PortRequest& port, std::string& error, int& code) {
    const std::string& name = port.label;
    std::string host;
    int number = 0;
    code = kExitPort;
    if (!parseNetworkPort(port.device, host, number)) {
        error = "Cannot use " + name + ": a network port is written tcp://HOST:PORT.";
        return nullptr;
    }
    auto link = std::make_unique<TcpLink>();
    QTcpSocket& s = link->socket_;
    link->name_ = name;
    s.connectToHost(QString::fromStdString(host), static_cast<quint16>(number));
    if (!s.waitForConnected(port.connectTimeoutMs)) {
        code = kExitUnreachable;
        switch (s.error()) {
        case QAbstractSocket::ConnectionRefusedError:
            code = kExitConnectionRefused;
            error = "Connection refused: nothing accepts connections at " + name +
                    ". Check that the serial device server is on and serves the unit's line in raw TCP mode on "
                    "that port.";
            break;
        case QAbstractSocket::HostNotFoundError:
            error = "Unknown host: " + name + " names a host that cannot be found. Check the device server's "
                    "name or give its IP address.";
            break;
        case QAbstractSocket::SocketTimeoutError:
            error = "No connection: " + name + " did not answer within " + std::to_string(port.connectTimeoutMs) +
                    " ms. Check that the device server is on, plugged in and reachable from this computer.";
            break;
        default:
            error = "Cannot reach " + name + ": " + s.errorString().toStdString() + ".";
            break;
        }
        return nullptr;
    }
    // Frames are small and answered one at a time: send each at once.
    s.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    code = kExitOk;
    return link;
}

bool TcpLink::broken() {
    if (socket_.state() == QAbstractSocket::ConnectedState) return false;
    if (socket_.error() == QAbstractSocket::RemoteHostClosedError)
        lost_ = heard_ ? name_ + " closed the connection: the serial device server or its network went away"
                       : name_ + " closed the connection before the unit answered: the serial device server may "
                                 "be serving another program";
    else
        lost_ = "the network connection to " + name_ + " broke (the network reports: " +
                socket_.errorString().toStdString() + ")";
    return true;
}

bool TcpLink::write(std::string_view bytes) {
    if (broken()) return false;
    if (socket_.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        broken();
        if (lost_.empty()) lost_ = name_ + ": the connection does not take the bytes";
        return false;
    }
    while (socket_.bytesToWrite() > 0)
        if (!socket_.waitForBytesWritten(5000)) {
            if (!broken()) lost_ = name_ + ": the connection does not send";
            return false;
        }
    return true;
}

bool TcpLink::read(std::string& out, int timeoutMs) {
    if (socket_.bytesAvailable() == 0) {
        if (broken()) return false;
        socket_.waitForReadyRead(timeoutMs > 0 ? timeoutMs : 1);
    }
    QByteArray bytes = socket_.readAll();
    heard_ = heard_ || !bytes.isEmpty();
    out.append(bytes.constData(), static_cast<size_t>(bytes.size()));
    // What came before the far end closed still counts; the close shows on the next read.
    return !bytes.isEmpty() || !broken();
}

std::unique_ptr<protocol::Link> openLine(const PortRequest& port, std::string& error, int& code) {
    if (isNetworkPort(port.device)) return TcpLink::open(port, error, code);
    return SerialLink::open(port, error, code);
}

} // namespace lt::unit
