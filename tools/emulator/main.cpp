// unit7700: emulated 7700 units on a pseudo-terminal or a TCP port of 127.0.0.1. Prints
// the line's name (device path or tcp://127.0.0.1:PORT) on its first output line; 7700.exe
// opens it as its COM port (LUMATEXT7700_COM<n>).
#include <csignal>
#include <cstdio>
#include <string>
#include <sys/signalfd.h>
#include <poll.h>
#include <unistd.h>

#include "emulator/EmulatorHost.h"
#include "emulator/EmulatorOptions.h"
#include "emulator/LedWindow.h"
#include "protocol/Commands.h"

using namespace lt::emulator;

int main(int argc, char* argv[]) {
    std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& a : args)
        if (a == "--help" || a == "-h") {
            std::fputs(kEmulatorUsage, stdout);
            return 0;
        }
    EmulatorOptions options;
    std::string error;
    if (!parseEmulatorOptions(args, options, error)) {
        std::fprintf(stderr, "unit7700: %s\n%s", error.c_str(), kEmulatorUsage);
        return 2;
    }
    const int rows = options.type == 7740 ? 2 : 4;
    const lt::protocol::UnitInfo info{options.type, options.version, rows,
                                      static_cast<uint32_t>(lt::protocol::kFlashSize), options.release};
    std::vector<std::unique_ptr<EmulatedUnit>> units;
    for (int i = 0; i < options.units; ++i) {
        const int address = options.address + i;
        units.push_back(std::make_unique<EmulatedUnit>(info, address, options.placeholder,
                                                       filesOfUnit(options.files, address, options.units)));
    }
    FaultInjector faults(options.dropPercent, options.corruptPercent, options.burst, options.seed);
    EmulatorHost host(options.tcpPort >= 0 ? makeTcpLine(options.tcpPort) : makePtyLine(), std::move(units), faults,
                      options.files.deviceFile, options.pace ? options.baud : 0);
    if (!host.open(error)) {
        std::fprintf(stderr, "unit7700: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", host.devicePath().c_str());
    std::fflush(stdout);
    const std::string addresses = options.units == 1 ? "address " + std::to_string(options.address)
                                                     : std::to_string(options.units) + " units at addresses " +
                                                           std::to_string(options.address) + ".." +
                                                           std::to_string(options.address + options.units - 1);
    std::fprintf(stderr, "unit7700: %d unit, firmware version %d (release %s), %s on %s%s\n", options.type,
                 options.version, options.release.c_str(), addresses.c_str(), host.devicePath().c_str(),
                 options.pace ? (", paced at " + std::to_string(options.baud) + " baud").c_str() : "");

    if (options.window)
        return runLedWindow(argc, argv, host, host.unit(0).machine(), options.type, options.snapshot);

    // SIGINT and SIGTERM end the loop cleanly (the device file is removed on the way out).
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    sigprocmask(SIG_BLOCK, &stop, nullptr);
    int stopSignals = signalfd(-1, &stop, SFD_NONBLOCK | SFD_CLOEXEC);
    while (true) {
        std::vector<pollfd> fds = {{stopSignals, POLLIN, 0}};
        for (int fd : host.waitFds()) fds.push_back({fd, POLLIN, 0});
        ::poll(fds.data(), fds.size(), host.idleMs(kTickMs));
        if (fds[0].revents & POLLIN) break;
        if (!host.pollOnce(0)) {
            std::fprintf(stderr, "unit7700: the line failed\n");
            return 1;
        }
    }
    if (stopSignals >= 0) ::close(stopSignals);
    return 0;
}
