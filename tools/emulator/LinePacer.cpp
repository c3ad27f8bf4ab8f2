#include "emulator/LinePacer.h"

#include <algorithm>

namespace lt::emulator {

LinePacer::LinePacer(int baud, Clock::duration turnaround)
    : byteTime_(std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(10'000'000'000LL) /
                                                            std::max(50, baud))),
      turnaround_(turnaround) {}

void LinePacer::arrive(std::string_view bytes, Clock::time_point now) {
    if (bytes.empty()) return;
    const Clock::time_point first = std::max(now, inboundFree_) + byteTime_;
    inbound_.push_back({std::string(bytes), first});
    inboundFree_ = first + byteTime_ * static_cast<long>(bytes.size() - 1);
}

std::string LinePacer::received(Clock::time_point now, Clock::time_point& lastAt) {
    std::string out;
    while (!inbound_.empty()) {
        Inbound& front = inbound_.front();
        if (front.firstDue > now) break;
        const size_t crossed =
            std::min(front.bytes.size(), static_cast<size_t>((now - front.firstDue) / byteTime_) + 1);
        out.append(front.bytes, 0, crossed);
        lastAt = front.firstDue + byteTime_ * static_cast<long>(crossed - 1);
        if (crossed < front.bytes.size()) {
            front.bytes.erase(0, crossed);
            front.firstDue = lastAt + byteTime_;
            break;
        }
        inbound_.pop_front();
    }
    return out;
}

void LinePacer::answer(std::string bytes, Clock::time_point requestEnd) {
    if (bytes.empty()) return;
    const Clock::time_point start = std::max(requestEnd + turnaround_, outboundFree_);
    outboundFree_ = start + byteTime_ * static_cast<long>(bytes.size());
    outbound_.push_back({std::move(bytes), outboundFree_});
}

std::string LinePacer::sent(Clock::time_point now) {
    std::string out;
    while (!outbound_.empty() && outbound_.front().due <= now) {
        out += outbound_.front().bytes;
        outbound_.pop_front();
    }
    return out;
}

LinePacer::Clock::time_point LinePacer::nextDue() const {
    Clock::time_point next = Clock::time_point::max();
    // A request is handed on when the last byte written with it has crossed: waking for
    // every byte would only cost time.
    if (!inbound_.empty()) {
        const Inbound& front = inbound_.front();
        next = front.firstDue + byteTime_ * static_cast<long>(front.bytes.size() - 1);
    }
    if (!outbound_.empty()) next = std::min(next, outbound_.front().due);
    return next;
}

void LinePacer::clear() {
    inbound_.clear();
    outbound_.clear();
    inboundFree_ = outboundFree_ = Clock::time_point{};
}

} // namespace lt::emulator
