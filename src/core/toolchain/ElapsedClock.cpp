#include "toolchain/ElapsedClock.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace lt {

SecondsSource SteadySeconds() {
    return [] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    };
}

std::string ElapsedText(double seconds) {
    long long whole = seconds <= 0 ? 0 : std::llround(seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld", whole / 60, whole % 60);
    return text;
}

void ElapsedClock::start() {
    start_ = now_();
    shown_.clear();
    running_ = true;
}

std::optional<std::string> ElapsedClock::update() {
    if (!running_) return std::nullopt;
    std::string text = ElapsedText(now_() - start_);
    if (text == shown_) return std::nullopt;
    shown_ = text;
    return text;
}

} // namespace lt
