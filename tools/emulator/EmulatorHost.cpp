#include "emulator/EmulatorHost.h"

#include <cerrno>
#include <poll.h>

#include "common/ToolFiles.h"

namespace lt::emulator {

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kQuietMs = 100; // a partial frame older than this is dropped

int msBetween(Clock::time_point from, Clock::time_point to) {
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count());
}

std::string withAddress(const std::string& path, int address, int units) {
    if (path.empty() || units <= 1) return path;
    return path + "." + std::to_string(address);
}

} // namespace

UnitFiles filesOfUnit(const HostFiles& files, int address, int units) {
    return UnitFiles{withAddress(files.displayFile, address, units), withAddress(files.serialLog, address, units),
                     withAddress(files.flashFile, address, units)};
}

EmulatorHost::EmulatorHost(std::unique_ptr<HostLine> line, std::vector<std::unique_ptr<EmulatedUnit>> units,
                           FaultInjector& faults, const std::string& deviceFile, int paceBaud)
    : line_(std::move(line)), units_(std::move(units)), faults_(faults), deviceFile_(deviceFile) {
    if (paceBaud > 0) pacer_.emplace(paceBaud);
}

EmulatorHost::~EmulatorHost() {
    units_.clear(); // each keeps its flash file
    line_.reset();
    if (!deviceFile_.empty()) tools::removeFile(deviceFile_);
}

bool EmulatorHost::open(std::string& error) {
    if (!line_->open(error)) return false;
    for (auto& unit : units_)
        if (!unit->loadFlash(error)) return false;
    if (!deviceFile_.empty() && !tools::writeFileAtomically(deviceFile_, line_->name() + "\n")) {
        error = "cannot write the device file " + deviceFile_;
        return false;
    }
    last_ = lastByte_ = Clock::now();
    for (auto& unit : units_) unit->updateFiles(0);
    return true;
}

int EmulatorHost::idleMs(int maxMs) const {
    if (!pacer_) return maxMs;
    const Clock::time_point next = pacer_->nextDue();
    if (next == Clock::time_point::max()) return maxMs;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(next - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, maxMs));
}

void EmulatorHost::toUnits(const std::string& bytes, Clock::time_point at) {
    lastByte_ = at;
    // Every unit on the line hears every byte; only the addressed one answers.
    const std::string heard = faults_.apply(bytes);
    std::string answers;
    for (auto& unit : units_) answers += unit->server().receive(heard);
    if (answers.empty()) return;
    answers = faults_.apply(answers);
    if (pacer_) pacer_->answer(std::move(answers), at);
    else line_->write(answers);
}

bool EmulatorHost::pollOnce(int maxWaitMs) {
    std::vector<pollfd> fds;
    for (int fd : line_->waitFds()) fds.push_back({fd, POLLIN, 0});
    int ready = ::poll(fds.data(), fds.size(), maxWaitMs < 0 ? 0 : maxWaitMs);
    if (ready < 0 && errno != EINTR) return false;
    std::string bytes;
    bool newClient = false;
    if (ready > 0 && !line_->read(bytes, newClient)) return false;
    Clock::time_point now = Clock::now();
    if (newClient) {
        for (auto& unit : units_) unit->server().lineQuiet();
        if (pacer_) pacer_->clear();
    }
    if (pacer_) {
        pacer_->arrive(bytes, now);
        Clock::time_point at = lastByte_;
        std::string crossed = pacer_->received(now, at);
        if (!crossed.empty()) toUnits(crossed, at);
        std::string answers = pacer_->sent(now);
        if (!answers.empty()) line_->write(answers);
    } else if (!bytes.empty()) {
        toUnits(bytes, now);
    }

    const int quietMs = msBetween(lastByte_, now);
    carryMs_ += msBetween(last_, now);
    last_ = now;
    const int ticks = carryMs_ / kTickMs;
    carryMs_ -= ticks * kTickMs;
    for (auto& unit : units_) {
        if (unit->server().pendingInput() && quietMs > kQuietMs) unit->server().lineQuiet();
        if (ticks > 0) unit->machine().advance(ticks * kTickMs);
        unit->updateFiles(quietMs);
    }
    return true;
}

} // namespace lt::emulator
