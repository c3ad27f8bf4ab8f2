// Line noise for the emulator's fault mode: a share of the bytes is dropped or corrupted.
// Noise on a serial line comes in bursts, so faults hit runs of `burst` bytes; the share
// of bytes hit stays the one asked for.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace lt::emulator {

class FaultInjector {
public:
    // Shares in percent (0..100 together); burst >= 1.
    FaultInjector(double dropPercent, double corruptPercent, int burst, uint32_t seed);

    bool active() const { return drop_ + corrupt_ > 0; }
    std::string apply(std::string_view bytes);

    uint64_t dropped() const { return dropped_; }
    uint64_t corrupted() const { return corrupted_; }

private:
    double drop_;
    double corrupt_;
    int burst_;
    std::mt19937 random_;
    int left_ = 0;        // bytes left in the current burst
    bool dropping_ = false;
    uint64_t dropped_ = 0;
    uint64_t corrupted_ = 0;
};

} // namespace lt::emulator
