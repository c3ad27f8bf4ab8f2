#include "emulator/FaultInjector.h"

#include <algorithm>

namespace lt::emulator {

FaultInjector::FaultInjector(double dropPercent, double corruptPercent, int burst, uint32_t seed)
    : drop_(std::clamp(dropPercent, 0.0, 100.0) / 100.0),
      corrupt_(std::clamp(corruptPercent, 0.0, 100.0) / 100.0),
      burst_(std::max(1, burst)),
      random_(seed) {}

std::string FaultInjector::apply(std::string_view bytes) {
    if (!active()) return std::string(bytes);
    const double share = std::min(1.0, drop_ + corrupt_);
    // A burst of b bytes starting with probability q per clean byte hits the share
    // s = q b / (1 + q b) of all bytes, so q = s / (b (1 - s)).
    const double start = share >= 1.0 ? 1.0 : share / (burst_ * (1.0 - share));
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> noise(1, 255);
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        if (left_ == 0 && unit(random_) < start) {
            left_ = burst_;
            dropping_ = unit(random_) * share < drop_;
        }
        if (left_ == 0) {
            out.push_back(c);
            continue;
        }
        --left_;
        if (dropping_) {
            ++dropped_;
            continue;
        }
        ++corrupted_;
        out.push_back(static_cast<char>(static_cast<unsigned char>(c) ^ noise(random_)));
    }
    return out;
}

} // namespace lt::emulator
