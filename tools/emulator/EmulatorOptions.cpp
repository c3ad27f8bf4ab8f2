#include "emulator/EmulatorOptions.h"

#include <cstdlib>

namespace lt::emulator {

const char* const kEmulatorUsage =
    "usage: unit7700 [options]\n"
    "  --type 7740|7780        display type (default 7780)\n"
    "  --version 1|2           firmware version (default 2)\n"
    "  --release TEXT          release text it reports (default \"4.12, build 7\" for\n"
    "                          version 2, \"3.9, build 2\" for version 1)\n"
    "  --address N             unit address 0..255 (default 0)\n"
    "  --units N               N units on one line at consecutive addresses from\n"
    "                          --address on, as on an RS-485 bus (default 1)\n"
    "  --tcp PORT              listen on 127.0.0.1:PORT (raw TCP, one client at a time)\n"
    "                          instead of a pseudo-terminal; 0 picks a free port\n"
    "  --pace                  take and send bytes at the line's baud rate and answer\n"
    "                          5 ms after a request, as a unit does\n"
    "  --baud N                the line's baud rate for --pace (default 19200)\n"
    "  --placeholder C         character shown in a variable field until the call-up\n"
    "                          string sets the variable (default ^, as in the editor)\n"
    "  --drop PERCENT          drop this share of the bytes on the line\n"
    "  --corrupt PERCENT       corrupt this share of the bytes on the line\n"
    "  --burst N               bytes hit by one noise burst (default 16)\n"
    "  --seed N                seed of the noise (default 7700)\n"
    "  --device-file PATH      write the line's name (device path or tcp://...) into PATH\n"
    "  --display-file PATH     keep the display's text in PATH\n"
    "  --serial-log PATH       append the unit's serial output to PATH (default stdout)\n"
    "  --flash-file PATH       keep the flash memory in PATH between runs\n"
    "  --window                show the display as an LED panel\n"
    "  --snapshot PATH         with --window: keep a PNG picture of the panel in PATH\n"
    "with --units N above 1, the display, serial and flash files of each unit are the\n"
    "PATH given followed by \".\" and its address; the window shows the first unit\n";

namespace {

bool wholeNumber(const std::string& text, long low, long high, long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return *end == '\0' && value >= low && value <= high;
}

bool percent(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return *end == '\0' && value >= 0 && value <= 100;
}

} // namespace

std::string defaultRelease(int version) { return version >= 2 ? "4.12, build 7" : "3.9, build 2"; }

bool parseEmulatorOptions(const std::vector<std::string>& args, EmulatorOptions& options, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--window" || name == "--pace") {
            (name == "--window" ? options.window : options.pace) = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = "option " + name + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        long n = 0;
        auto bad = [&](const char* expected) {
            error = "option " + name + ": \"" + value + "\" is not " + expected;
            return false;
        };
        if (name == "--type") {
            if (value != "7740" && value != "7780") return bad("7740 or 7780");
            options.type = std::atoi(value.c_str());
        } else if (name == "--version") {
            if (!wholeNumber(value, 1, 2, n)) return bad("1 or 2");
            options.version = static_cast<int>(n);
        } else if (name == "--release") {
            options.release = value;
        } else if (name == "--address") {
            if (!wholeNumber(value, 0, 255, n)) return bad("an address 0..255");
            options.address = static_cast<int>(n);
        } else if (name == "--units") {
            if (!wholeNumber(value, 1, 256, n)) return bad("a number of units 1..256");
            options.units = static_cast<int>(n);
        } else if (name == "--tcp") {
            if (!wholeNumber(value, 0, 65535, n)) return bad("a TCP port 0..65535");
            options.tcpPort = static_cast<int>(n);
        } else if (name == "--baud") {
            if (!wholeNumber(value, 50, 4000000, n)) return bad("a baud rate 50..4000000");
            options.baud = static_cast<int>(n);
        } else if (name == "--placeholder") {
            if (value.size() != 1 || value[0] < '!' || value[0] > '~') return bad("one visible character");
            options.placeholder = value[0];
        } else if (name == "--drop") {
            if (!percent(value, options.dropPercent)) return bad("a percentage 0..100");
        } else if (name == "--corrupt") {
            if (!percent(value, options.corruptPercent)) return bad("a percentage 0..100");
        } else if (name == "--burst") {
            if (!wholeNumber(value, 1, 4096, n)) return bad("a burst length 1..4096");
            options.burst = static_cast<int>(n);
        } else if (name == "--seed") {
            if (!wholeNumber(value, 0, 2147483647L, n)) return bad("a whole number");
            options.seed = static_cast<unsigned>(n);
        } else if (name == "--device-file") {
            options.files.deviceFile = value;
        } else if (name == "--display-file") {
            options.files.displayFile = value;
        } else if (name == "--serial-log") {
            options.files.serialLog = value;
        } else if (name == "--snapshot") {
            options.snapshot = value;
        } else if (name == "--flash-file") {
            options.files.flashFile = value;
        } else {
            error = "unknown option " + name;
            return false;
        }
    }
    if (options.dropPercent + options.corruptPercent > 100) {
        error = "--drop and --corrupt together exceed 100 percent";
        return false;
    }
    if (options.address + options.units - 1 > 255) {
        error = "--units " + std::to_string(options.units) + " from address " + std::to_string(options.address) +
                " goes past address 255";
        return false;
    }
    if (options.release.empty()) options.release = defaultRelease(options.version);
    return true;
}

} // namespace lt::emulator
