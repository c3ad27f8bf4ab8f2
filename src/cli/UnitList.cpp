#include "UnitList.h"

#include <algorithm>
#include <cctype>

#include "platform/ComPort.h"
#include "storage/LineReader.h"

namespace lt {

namespace {

bool number(const std::string& text, long low, long high, long& value) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; }))
        return false;
    value = std::stol(text);
    return value >= low && value <= high;
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool startsWithNoCase(const std::string& text, const std::string& head) {
    return lower(text.substr(0, head.size())) == head;
}

std::vector<std::string> splitAtColons(const std::string& text) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == ':') parts.emplace_back();
        else parts.back().push_back(c);
    }
    return parts;
}

} // namespace

bool ParseUnit(const std::string& text, const EnvironmentLookup& env, UnitTarget& unit, std::string& error) {
    error = "\"" + text + "\" names no unit (COM<n>[:ADDRESS] or tcp://HOST:PORT[:ADDRESS], ADDRESS 0 to 255)";
    const bool network = startsWithNoCase(text, "tcp://");
    std::string host;
    std::vector<std::string> parts; // COM<n> or PORT, then the address when given
    if (network) {
        std::string rest = text.substr(6);
        if (!rest.empty() && rest[0] == '[') { // [IPv6 address]
            const size_t close = rest.find(']');
            if (close == std::string::npos || close < 2 || rest.compare(close + 1, 1, ":") != 0) return false;
            host = rest.substr(0, close + 1);
            rest = rest.substr(close + 2);
        } else {
            host = rest.substr(0, rest.find(':'));
            rest = host.size() < rest.size() ? rest.substr(host.size() + 1) : std::string();
            if (host.empty() || host.find_first_of("[]/ ") != std::string::npos) return false;
        }
        parts = splitAtColons(rest);
    } else {
        parts = splitAtColons(text);
    }
    long address = 0, value = 0;
    if (parts.size() > 2 || (parts.size() == 2 && !number(parts[1], 0, 255, address))) return false;
    unit.address = static_cast<int>(address);
    if (network) {
        if (!number(parts[0], 1, 65535, value)) return false;
        unit.port = "tcp://" + host + ":" + std::to_string(value);
        unit.line = lower(unit.port);
    } else {
        if (!startsWithNoCase(parts[0], "com") || !number(parts[0].substr(3), 1, 99, value)) return false;
        unit.port = "COM" + std::to_string(value);
        // The unit tool's own rule: the device named by $LUMATEXT7700_COM<n>, else the
        // n-th serial device. Two COM names for one device are one line.
        std::string device = env("LUMATEXT7700_COM" + std::to_string(value));
        if (device.empty()) device = platform::ComPortDevice(static_cast<int>(value));
        unit.line = startsWithNoCase(device, "tcp://") ? lower(device) : device;
    }
    unit.label = unit.port + ":" + std::to_string(unit.address);
    error.clear();
    return true;
}

bool ReadUnitsFile(FileSystem& fs, const std::string& path, const EnvironmentLookup& env,
                   std::vector<UnitTarget>& units, std::string& error) {
    auto file = fs.openRead(path);
    if (!file) {
        error = "cannot open the units file " + path;
        return false;
    }
    LineReader reader(*file);
    std::string line;
    int number = 0;
    while (reader.next(line)) {
        ++number;
        line = line.substr(0, line.find('#')); // a comment runs to the end of its line
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos) continue;
        const std::string text = line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
        UnitTarget unit;
        if (!ParseUnit(text, env, unit, error)) {
            error = path + " line " + std::to_string(number) + ": " + error;
            return false;
        }
        units.push_back(unit);
    }
    if (reader.failed()) {
        error = "cannot read the units file " + path;
        return false;
    }
    return true;
}

} // namespace lt
