// The time bytes take on a serial line, for unit7700 --pace. At B baud a byte (start bit,
// eight data bits, stop bit) takes 10/B seconds. Bytes the tool writes reach the unit one
// after another at that rate; the unit answers a turnaround after a request's last byte,
// and an answer is handed to the tool whole once its last byte has crossed the line (the
// tool sees the same total time as from a unit; it never sees a half answer stall).
// Time is passed in, so the pacing can be checked without waiting.
#pragma once

#include <chrono>
#include <deque>
#include <string>
#include <string_view>

namespace lt::emulator {

class LinePacer {
public:
    using Clock = std::chrono::steady_clock;

    // The turnaround a unit takes from the end of a request to the start of its answer.
    static constexpr std::chrono::milliseconds kTurnaround{5};

    explicit LinePacer(int baud, Clock::duration turnaround = kTurnaround);

    // Bytes the tool wrote at `now`: they follow any still on the way.
    void arrive(std::string_view bytes, Clock::time_point now);
    // The bytes that have reached the unit by `now`; `lastAt` receives when the last of
    // them did (unchanged when none did).
    std::string received(Clock::time_point now, Clock::time_point& lastAt);
    // An answer to a request whose last byte reached the unit at `requestEnd`.
    void answer(std::string bytes, Clock::time_point requestEnd);
    // The answers whose last byte has reached the tool by `now`.
    std::string sent(Clock::time_point now);
    // When the next of those is due; Clock::time_point::max() when nothing is on the way.
    Clock::time_point nextDue() const;
    // A new client: what was on the line for the old one is gone.
    void clear();

    Clock::duration byteTime() const { return byteTime_; }

private:
    struct Inbound {
        std::string bytes;
        Clock::time_point firstDue; // when bytes[0] has crossed the line
    };
    struct Outbound {
        std::string bytes;
        Clock::time_point due; // when its last byte has crossed the line
    };

    Clock::duration byteTime_;
    Clock::duration turnaround_;
    std::deque<Inbound> inbound_;
    std::deque<Outbound> outbound_;
    Clock::time_point inboundFree_{};  // when the tool's side of the line is free again
    Clock::time_point outboundFree_{}; // when the unit's side is
};

} // namespace lt::emulator
