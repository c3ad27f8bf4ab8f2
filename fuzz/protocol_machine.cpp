// Any message code the unit accepts must run without crashing or hanging, whatever it
// prints, wherever it moves the cursor and however it loops.
#include <cstddef>
#include <cstdint>
#include <string>

#include "emulator/Machine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const int rows = (data[0] & 1) ? 4 : 2;
    lt::emulator::Machine machine(rows, 2);
    std::string code(reinterpret_cast<const char*>(data) + 1, size - 1);
    // Let the code end properly more often than raw bytes would.
    if (code.empty() || code.back() != '\0') code.push_back('\0');
    if (machine.runCode(1, data[0] % 4, code) != 0) return 0;
    for (int step = 0; step < 30; ++step) machine.advance(100); // three seconds of unit time
    machine.takeSerialOutput();
    return 0;
}
