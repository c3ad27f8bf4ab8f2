// The time a technician waits, with the real programs on paced emulators (unit7700
// --pace: bytes take their time on the line at its baud rate, answers come a unit-like
// turnaround after each request):
//   program_time  a full image (no erased block) programmed at 19200 baud by 7700.exe,
//                 against the time its bytes in both directions take on the line
//   fleet         eight units programmed by one `lumatext program` run, against the same
//                 run with one of them alone
#include <cstdlib>
#include <deque>
#include <random>

#include "Benches.h"
#include "UnitProcesses.h"

namespace lt::bench {

namespace {

using test::TempDir;
using test::UnitProcess;

const char* const kFleetScript =
    "#define Display_type (7780)\r\n#include \"CTRLCODE.H\"\r\n#pragma version 2\r\n\r\n"
    "SUB 0(TASK=0)\r\n    CLS\r\n    CALL CURSOR(1,1)\r\n    PRINT\"WELCOME TO HALL 3\";\r\nEND SUB\r\n\r\n"
    "SUB 1(TASK=1)\r\n    CALL CURSOR(2,1)\r\n    PRINT\"SHIFT ENDS 16:00\";\r\nEND SUB\r\n";

// "Line traffic: 33,657 bytes sent, 420 bytes received, ..." -> 34077.
double lineBytes(const std::string& log) {
    size_t at = log.find("Line traffic: ");
    if (at == std::string::npos) return 0;
    std::string digits;
    double total = 0;
    for (size_t i = at + 14; i < log.size() && log[i] != '\r'; ++i) {
        if (std::isdigit(static_cast<unsigned char>(log[i]))) digits += log[i];
        else if (log[i] != ',' && !digits.empty()) {
            total += std::stod(digits);
            digits.clear();
            if (log.compare(i, 16, " bytes received,") == 0) break;
        }
    }
    return total;
}

void programTime(Results& results, const std::string& bin) {
    TempDir home, work;
    UnitProcess unit(bin + "unit7700", home, {"--pace", "--baud", "19200"});
    std::mt19937 random(7700);
    std::string image(32768, '\0');
    for (char& c : image) c = static_cast<char>(random() % 255);
    work.write("full.bin", image);
    // The unit tool takes the pseudo-terminal through COM 1, as the editor makes it.
    work.write("p.lst", work.file("full") + "\r\n/a\r\n0\r\n/b\r\n19200\r\n/c\r\n1\r\n/m\r\n80\r\n/log\r\n" +
                            work.file("full") + "\r\n\r\n");
    ::setenv("LUMATEXT7700_COM1", unit.device().c_str(), 1);
    int code = -1;
    const double seconds = bestSeconds(
        [&] { code = test::finishWithin(test::spawnProgram({bin + "7700.exe", "p", "@" + work.file("p.lst")}), 120); },
        1);
    ::unsetenv("LUMATEXT7700_COM1");
    const std::string log = work.read("full.log");
    const double floor = lineBytes(log) * 10 / 19200;
    const bool ok = code == 0 && floor > 0;
    char note[160];
    std::snprintf(note, sizeof note, "%.2f s for %.0f bytes on the line, whose floor at 19200 baud is %.2f s%s",
                  seconds, lineBytes(log), floor, ok ? "" : "; PROGRAMMING FAILED");
    results.report("program_time", ok ? seconds / floor : 99.0, 1.15, note);
}

void fleet(Results& results, const std::string& bin) {
    // Eight units on their own lines (units sharing a line take turns): four on
    // pseudo-terminals, four behind serial device servers.
    std::deque<TempDir> homes(8);
    std::deque<UnitProcess> units;
    for (size_t i = 0; i < homes.size(); ++i) {
        std::vector<std::string> options = {"--pace"};
        if (i >= 4) options.insert(options.end(), {"--tcp", "0"});
        units.emplace_back(bin + "unit7700", homes[i], options);
    }
    TempDir work;
    work.write("hall.src", kFleetScript);
    std::vector<std::string> all = {bin + "lumatext", "program", work.file("hall.src")};
    for (size_t i = 0; i < units.size(); ++i) {
        ::setenv(("LUMATEXT7700_COM" + std::to_string(i + 1)).c_str(), units[i].device().c_str(), 1);
        all.insert(all.end(), {"--unit", "COM" + std::to_string(i + 1)});
    }
    std::vector<std::string> one(all.begin(), all.begin() + 5);
    int codeOne = -1, codeAll = -1;
    const double alone = bestSeconds([&] { codeOne = test::finishWithin(test::spawnProgram(one), 120); }, 2);
    const double eight = bestSeconds([&] { codeAll = test::finishWithin(test::spawnProgram(all), 120); }, 2);
    for (size_t i = 0; i < units.size(); ++i) ::unsetenv(("LUMATEXT7700_COM" + std::to_string(i + 1)).c_str());
    const bool ok = codeOne == 0 && codeAll == 0;
    char note[160];
    std::snprintf(note, sizeof note, "8 units in %.2f s, one alone in %.2f s (paced at 19200 baud)%s", eight, alone,
                  ok ? "" : "; PROGRAMMING FAILED");
    results.report("fleet", ok ? eight / alone : 99.0, 1.5, note);
}

} // namespace

void FleetBenches(Results& results) {
    const std::string bin = ProgramDirectory();
    programTime(results, bin);
    fleet(results, bin);
}

} // namespace lt::bench
