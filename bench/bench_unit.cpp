// The unit protocol's cost on the line: bytes sent and received for programming a full
// flash image, against the image's own 32,768 bytes.
#include <random>

#include "Benches.h"
#include "emulator/DirectLink.h"
#include "emulator/Machine.h"
#include "emulator/UnitServer.h"
#include "protocol/UnitClient.h"

namespace lt::bench {

void UnitBenches(Results& results) {
    using namespace lt::protocol;
    // No erased block to skip: every byte of the image has to cross the line.
    std::mt19937 random(7700);
    std::string image(kFlashSize, '\0');
    for (char& c : image) c = static_cast<char>(random() % 255);

    emulator::Machine machine(4, 2);
    emulator::UnitServer server(machine, UnitInfo{7780, 2, 4, kFlashSize, "4.12, build 7"}, 0);
    emulator::FaultInjector clean(0, 0, 1, 1);
    emulator::DirectLink link(server, clean);
    UnitClient client(link, ClientOptions{0, 19200, 500, 10});
    UnitInfo info;
    bool ok = client.identify(info) && client.program(image) && machine.flash() == image;
    double ratio = static_cast<double>(client.bytesSent() + client.bytesReceived()) / static_cast<double>(kFlashSize);
    results.report("program_overhead", ok ? ratio : 99.0, 1.10,
                   std::to_string(client.bytesSent()) + " bytes sent, " + std::to_string(client.bytesReceived()) +
                       " received for 32768 image bytes" + (ok ? "" : "; PROGRAMMING FAILED"));
}

} // namespace lt::bench
