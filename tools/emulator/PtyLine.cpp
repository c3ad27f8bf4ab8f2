// The line as a pseudo-terminal: its slave side is the device a tool opens.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "emulator/HostLine.h"

namespace lt::emulator {

namespace {

class PtyLine : public HostLine {
public:
    ~PtyLine() override {
        if (slave_ >= 0) ::close(slave_);
        if (master_ >= 0) ::close(master_);
    }

    bool open(std::string& error) override {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
            error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
            return false;
        }
        const char* path = ::ptsname(master_);
        if (!path) {
            error = std::string("cannot name the pseudo-terminal: ") + std::strerror(errno);
            return false;
        }
        device_ = path;
        // Kept open so the line stays up between clients.
        slave_ = ::open(path, O_RDWR | O_NOCTTY);
        if (slave_ < 0) {
            error = "cannot open " + device_ + ": " + std::strerror(errno);
            return false;
        }
        // Raw line: no echo, no translation of line ends, until a client sets its own modes.
        termios modes{};
        if (::tcgetattr(slave_, &modes) == 0) {
            ::cfmakeraw(&modes);
            ::tcsetattr(slave_, TCSANOW, &modes);
        }
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
        return true;
    }

    std::string name() const override { return device_; }
    std::vector<int> waitFds() const override { return {master_}; }

    bool read(std::string& bytes, bool&) override {
        char buffer[4096];
        while (true) {
            ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n > 0) {
                bytes.append(buffer, static_cast<size_t>(n));
                continue;
            }
            return n == 0 || errno == EAGAIN || errno == EINTR || errno == EIO;
        }
    }

    void write(std::string_view bytes) override {
        size_t written = 0;
        while (written < bytes.size()) {
            ssize_t w = ::write(master_, bytes.data() + written, bytes.size() - written);
            if (w > 0) {
                written += static_cast<size_t>(w);
                continue;
            }
            if (w < 0 && errno == EAGAIN) {
                pollfd out{master_, POLLOUT, 0};
                if (::poll(&out, 1, 1000) <= 0) return; // nobody reads: the answer is lost, as on a line
                continue;
            }
            return;
        }
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string device_;
};

} // namespace

std::unique_ptr<HostLine> makePtyLine() { return std::make_unique<PtyLine>(); }

} // namespace lt::emulator
