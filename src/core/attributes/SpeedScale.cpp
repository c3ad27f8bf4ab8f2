#include "attributes/SpeedScale.h"

#include "common/NumberText.h"

namespace lt {

namespace {

struct SpeedRow {
    const char* name;
    const char* rateCode;
    int continuousInterval;
    const char* blockCode;
    int blockInterval;
};

constexpr SpeedRow kRows[7] = {
    {"SLOWEST", "100", 1000, "50", 5000}, {"SLOWER", "70", 700, "30", 3000},
    {"SLOW", "40", 400, "20", 2000},      {"NORMAL", "25", 250, "10", 1000},
    {"FAST", "18", 150, "6", 600},        {"FASTER", "8", 100, "3", 300},
    {"FASTEST", "1", 40, "1", 100},
};

const SpeedRow& row(int position) {
    if (position < kSlowestPosition || position > kFastestPosition) position = kNormalPosition;
    return kRows[position - 1];
}

} // namespace

std::string SpeedName(int position) { return row(position).name; }
std::string RateCode(int position) { return row(position).rateCode; }
int ContinuousInterval(int position) { return row(position).continuousInterval; }
std::string BlockCode(int position) { return row(position).blockCode; }
int BlockInterval(int position) { return row(position).blockInterval; }

int RatePosition(double rate) {
    if (rate >= 1 && rate < 5) return 7;
    if (rate >= 5 && rate < 13) return 6;
    if (rate >= 13 && rate < 20) return 5;
    if (rate >= 20 && rate < 30) return 4;
    if (rate >= 30 && rate < 50) return 3;
    if (rate >= 50 && rate < 80) return 2;
    if (rate >= 80 && rate < 255) return 1;
    return kNormalPosition;
}

int BlockPosition(long long code) {
    if (code == 1) return 7;
    if (code >= 2 && code <= 4) return 6;
    if (code >= 5 && code <= 8) return 5;
    if (code >= 9 && code <= 14) return 4;
    if (code >= 15 && code <= 24) return 3;
    if (code >= 25 && code <= 39) return 2;
    if (code >= 40 && code <= 254) return 1;
    return kNormalPosition;
}

std::string BeforeComma(const std::string& argument) {
    size_t comma = argument.find(',');
    return comma == std::string::npos ? argument : argument.substr(0, comma);
}

std::string AfterComma(const std::string& argument) {
    size_t comma = argument.find(',');
    return comma == std::string::npos ? std::string() : Trim(argument.substr(comma + 1));
}

} // namespace lt
