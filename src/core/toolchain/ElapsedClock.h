// The elapsed-time display of tool runs: whole seconds since the start, rounded, as
// two-digit minutes ":" two-digit seconds, reported only when the seconds change.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace lt {

// Seconds on a steady clock; tests pass their own.
using SecondsSource = std::function<double()>;
SecondsSource SteadySeconds();

// "mm:ss" of a number of seconds, rounded to whole seconds.
std::string ElapsedText(double seconds);

class ElapsedClock {
public:
    explicit ElapsedClock(SecondsSource now) : now_(std::move(now)) {}
    void start();
    bool running() const { return running_; }
    // The new text when the shown value changed since the last call; nullopt otherwise.
    std::optional<std::string> update();

private:
    SecondsSource now_;
    double start_ = 0;
    std::string shown_;
    bool running_ = false;
};

} // namespace lt
