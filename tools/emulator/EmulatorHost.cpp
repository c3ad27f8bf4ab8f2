#include "emulator/EmulatorHost.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "common/ToolFiles.h"

namespace lt::emulator {

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kQuietMs = 100; // a partial frame older than this is dropped

// The display file changes many times a second while a message scrolls: it is replaced
// by a rename (readers never see half a file) but not flushed to disk each time.
void replaceFile(const std::string& path, const std::string& text) {
    const std::string temp = path + ".tmp";
    FILE* out = std::fopen(temp.c_str(), "wb");
    if (!out) return;
    bool ok = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    ok = std::fclose(out) == 0 && ok;
    if (ok) std::rename(temp.c_str(), path.c_str());
    else std::remove(temp.c_str());
}

} // namespace

EmulatorHost::EmulatorHost(Machine& machine, UnitServer& server, FaultInjector& faults, const HostFiles& files,
                           int unitType)
    : machine_(machine), server_(server), faults_(faults), files_(files), unitType_(unitType) {}

EmulatorHost::~EmulatorHost() {
    // Programming that ended just before the emulator was stopped is kept too.
    if ((server_.flashChanged() || flashDirty_) && !files_.flashFile.empty())
        tools::writeFileAtomically(files_.flashFile, machine_.flash());
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
    if (!files_.deviceFile.empty()) tools::removeFile(files_.deviceFile);
}

bool EmulatorHost::open(std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    const char* name = ::ptsname(master_);
    if (!name) {
        error = std::string("cannot name the pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    device_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY);
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
    if (!files_.flashFile.empty() && tools::fileExists(files_.flashFile)) {
        std::string image;
        if (!tools::readWholeFile(files_.flashFile, image) || !machine_.setFlash(image)) {
            error = "the flash file " + files_.flashFile + " is not a 32,768-byte image";
            return false;
        }
    }
    if (!files_.deviceFile.empty() && !tools::writeFileAtomically(files_.deviceFile, device_ + "\n")) {
        error = "cannot write the device file " + files_.deviceFile;
        return false;
    }
    last_ = lastByte_ = Clock::now();
    updateFiles();
    return true;
}

bool EmulatorHost::pollOnce(int maxWaitMs) {
    pollfd fd{master_, POLLIN, 0};
    int ready = ::poll(&fd, 1, maxWaitMs < 0 ? 0 : maxWaitMs);
    if (ready < 0 && errno != EINTR) return false;
    if (ready > 0 && (fd.revents & POLLIN)) {
        char bytes[4096];
        ssize_t n = ::read(master_, bytes, sizeof bytes);
        if (n > 0) {
            lastByte_ = Clock::now();
            std::string answer = server_.receive(faults_.apply(std::string_view(bytes, static_cast<size_t>(n))));
            answer = faults_.apply(answer);
            size_t written = 0;
            while (written < answer.size()) {
                ssize_t w = ::write(master_, answer.data() + written, answer.size() - written);
                if (w > 0) {
                    written += static_cast<size_t>(w);
                    continue;
                }
                if (w < 0 && errno == EAGAIN) {
                    pollfd out{master_, POLLOUT, 0};
                    if (::poll(&out, 1, 1000) <= 0) break; // nobody reads: the answer is lost, as on a line
                    continue;
                }
                break;
            }
        }
    }
    auto now = Clock::now();
    if (server_.pendingInput() &&
        std::chrono::duration_cast<std::chrono::milliseconds>(now - lastByte_).count() > kQuietMs)
        server_.lineQuiet();
    carryMs_ += static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(now - last_).count());
    last_ = now;
    if (carryMs_ >= kTickMs) {
        int ticks = carryMs_ / kTickMs;
        machine_.advance(ticks * kTickMs);
        carryMs_ -= ticks * kTickMs;
    }
    flashDirty_ = server_.flashChanged() || flashDirty_;
    updateFiles();
    return true;
}

std::string EmulatorHost::displayText(const Machine& machine, int unitType) {
    const Display& d = machine.display();
    std::string text;
    for (int row = 1; row <= d.rows(); ++row) text += d.rowText(row) + "\n";
    text += "--\n";
    text += "unit " + std::to_string(unitType) + "\n";
    text += std::string("relay ") + (machine.relay() ? "ON" : "OFF") + "\n";
    for (int row = 1; row <= d.rows(); ++row) {
        std::string mask = d.blinkMask(row);
        if (mask.find('*') != std::string::npos) text += "blink " + std::to_string(row) + " " + mask + "\n";
    }
    return text;
}

void EmulatorHost::updateFiles() {
    std::string serial = machine_.takeSerialOutput();
    if (!serial.empty()) {
        if (files_.serialLog.empty()) {
            std::fwrite(serial.data(), 1, serial.size(), stdout);
            std::fflush(stdout);
        } else if (FILE* log = std::fopen(files_.serialLog.c_str(), "ab")) {
            std::fwrite(serial.data(), 1, serial.size(), log);
            std::fclose(log);
        }
    }
    if (!files_.displayFile.empty() &&
        (machine_.display().changes() != shownChanges_ || machine_.relay() != shownRelay_)) {
        shownChanges_ = machine_.display().changes();
        shownRelay_ = machine_.relay();
        replaceFile(files_.displayFile, displayText(machine_, unitType_));
    }
    // The flash file is written once the line is quiet, not after every block.
    if (flashDirty_ && !files_.flashFile.empty() &&
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - lastByte_).count() > kQuietMs) {
        tools::writeFileAtomically(files_.flashFile, machine_.flash());
        flashDirty_ = false;
    }
}

} // namespace lt::emulator
