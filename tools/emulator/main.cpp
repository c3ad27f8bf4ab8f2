// unit7700: an emulated 7700 unit on a pseudo-terminal. Prints the device path on its
// first output line; 7700.exe opens that path as its COM port (LUMATEXT7700_COM<n>).
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
    Machine machine(rows, options.version);
    machine.setPlaceholder(options.placeholder);
    lt::protocol::UnitInfo info{options.type, options.version, rows,
                                static_cast<uint32_t>(lt::protocol::kFlashSize), options.release};
    UnitServer server(machine, info, options.address);
    FaultInjector faults(options.dropPercent, options.corruptPercent, options.burst, options.seed);
    EmulatorHost host(machine, server, faults, options.files, options.type);
    if (!host.open(error)) {
        std::fprintf(stderr, "unit7700: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", host.devicePath().c_str());
    std::fflush(stdout);
    std::fprintf(stderr, "unit7700: %d unit, firmware version %d (release %s), address %d on %s\n", options.type,
                 options.version, options.release.c_str(), options.address, host.devicePath().c_str());

    if (options.window) return runLedWindow(argc, argv, host, machine, options.type, options.snapshot);

    // SIGINT and SIGTERM end the loop cleanly (the device file is removed on the way out).
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    sigprocmask(SIG_BLOCK, &stop, nullptr);
    int stopSignals = signalfd(-1, &stop, SFD_NONBLOCK | SFD_CLOEXEC);
    while (true) {
        pollfd fds[2] = {{host.lineFd(), POLLIN, 0}, {stopSignals, POLLIN, 0}};
        ::poll(fds, 2, kTickMs);
        if (fds[1].revents & POLLIN) break;
        if (!host.pollOnce(0)) {
            std::fprintf(stderr, "unit7700: the line failed\n");
            return 1;
        }
    }
    if (stopSignals >= 0) ::close(stopSignals);
    return 0;
}
