// The line as a TCP port on 127.0.0.1, as a serial device server offers a unit in raw TCP
// mode: the bytes of the connection are the bytes of the line. One client at a time; a
// client that connects while another is served is closed at once, as device servers do.
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "emulator/HostLine.h"

namespace lt::emulator {

namespace {

class TcpLine : public HostLine {
public:
    explicit TcpLine(int port) : port_(port) {}
    ~TcpLine() override {
        if (client_ >= 0) ::close(client_);
        if (listen_ >= 0) ::close(listen_);
    }

    bool open(std::string& error) override {
        listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (listen_ < 0) return failed(error, "cannot make a socket");
        int on = 1;
        ::setsockopt(listen_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port_));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK); // this machine only
        if (::bind(listen_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            return failed(error, "cannot listen on 127.0.0.1:" + std::to_string(port_));
        if (::listen(listen_, 8) != 0) return failed(error, "cannot listen on 127.0.0.1:" + std::to_string(port_));
        socklen_t size = sizeof address;
        if (::getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &size) == 0) port_ = ntohs(address.sin_port);
        return true;
    }

    std::string name() const override { return "tcp://127.0.0.1:" + std::to_string(port_); }

    std::vector<int> waitFds() const override {
        if (client_ >= 0) return {listen_, client_};
        return {listen_};
    }

    bool read(std::string& bytes, bool& newClient) override {
        // The client first: one that has left makes room for the next before it is turned away.
        if (client_ >= 0) {
            char buffer[4096];
            while (true) {
                ssize_t n = ::recv(client_, buffer, sizeof buffer, 0);
                if (n > 0) {
                    bytes.append(buffer, static_cast<size_t>(n));
                    continue;
                }
                if (n < 0 && (errno == EAGAIN || errno == EINTR)) break;
                ::close(client_); // the client left (or its connection broke)
                client_ = -1;
                newClient = true;
                break;
            }
        }
        while (true) {
            int fd = ::accept4(listen_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (fd < 0) return errno == EAGAIN || errno == EINTR || errno == ECONNABORTED;
            if (client_ >= 0) {
                ::close(fd); // busy
                continue;
            }
            int on = 1;
            ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on); // answers leave at once
            client_ = fd;
            newClient = true;
        }
    }

    void write(std::string_view bytes) override {
        size_t written = 0;
        while (client_ >= 0 && written < bytes.size()) {
            ssize_t w = ::send(client_, bytes.data() + written, bytes.size() - written, MSG_NOSIGNAL);
            if (w > 0) {
                written += static_cast<size_t>(w);
                continue;
            }
            if (w < 0 && errno == EAGAIN) {
                pollfd out{client_, POLLOUT, 0};
                if (::poll(&out, 1, 1000) <= 0) return; // the client does not read: the answer is lost
                continue;
            }
            return; // the connection broke; the next read notices
        }
    }

private:
    bool failed(std::string& error, const std::string& what) {
        error = what + ": " + std::strerror(errno);
        return false;
    }

    int port_;
    int listen_ = -1;
    int client_ = -1;
};

} // namespace

std::unique_ptr<HostLine> makeTcpLine(int port) { return std::make_unique<TcpLine>(port); }

} // namespace lt::emulator
