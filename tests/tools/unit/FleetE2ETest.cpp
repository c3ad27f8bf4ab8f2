// lumatext program with eight emulated units: on pseudo-terminals and on TCP (127.0.0.1),
// two sharing one line, one of the wrong type, one with other firmware, one killed in the
// middle of its programming. The good units end with the image in flash; the others are
// reported with their reasons, and none of them stops the rest.
#include <deque>

#include "UnitE2E.h"

namespace {

using namespace lt::test;

const char* const kFleetScript =
    "#define Display_type (7780)\r\n#include \"CTRLCODE.H\"\r\n#pragma version 2\r\n\r\n"
    "SUB 0(TASK=0)    // CRC value = 1\r\n"
    "    CLS\r\n"
    "    CALL CURSOR(1,1)\r\n"
    "    PRINT\"FLEET\";\r\n"
    "END SUB\r\n";

// The summary row of a unit: the line of the output that starts with its label.
std::string row(const std::string& output, const std::string& label) {
    size_t at = output.find("\n" + label + " ");
    return at == std::string::npos ? std::string() : output.substr(at + 1, output.find('\n', at + 1) - at - 1);
}

TEST_F(UnitE2E, ProgramsEightUnitsAndReportsTheOnesThatFailed) {
    dir.write("fleet.src", kFleetScript);
    std::deque<TempDir> homes(7);
    std::deque<Emulator> units;
    const std::vector<std::vector<std::string>> options = {
        {},                                          // COM1:0
        {"--units", "2", "--address", "4"},          // COM2:4 and COM2:5 on one line
        {"--tcp", "0"},                              // named as tcp://...:0
        {"--tcp", "0", "--address", "7"},            // COM4:7, COM4 set to tcp://...
        {"--type", "7740"},                          // COM5:0, the wrong type
        {"--version", "1"},                          // COM6:0, other firmware
        {"--tcp", "0", "--pace"},                    // killed while it is programmed
    };
    for (size_t i = 0; i < options.size(); ++i) {
        std::vector<std::string> o = options[i];
        o.insert(o.end(), {"--flash-file", homes[i].file("flash")});
        units.emplace_back(homes[i], o, false);
        ASSERT_FALSE(units.back().device().empty()) << i;
    }
    for (size_t com : {1, 2, 4, 5, 6})
        ::setenv(("LUMATEXT7700_COM" + std::to_string(com)).c_str(), units[com - 1].device().c_str(), 1);
    const std::string direct = units[2].device() + ":0", killed = units[6].device() + ":0";
    dir.write("units.txt", "# the hall\r\nCOM2:4\r\n  COM2:5\r\n\r\n" + direct + "\r\nCOM4:7\r\n");

    pid_t run = spawnProgram({binDir() + "lumatext", "program", dir.file("fleet.src"), "--unit", "COM1", "--units",
                              dir.file("units.txt"), "--unit", "com5:0", "--unit", "COM6", "--unit", killed, "--call",
                              "0"},
                             dir.file("out.txt"));
    // Its progress lines (no terminal: plain lines) tell when the paced unit is a quarter done.
    for (int i = 0; i < 2000 && dir.read("out.txt").find(killed + ": programming 25%") == std::string::npos; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    units[6].stop(SIGKILL);
    EXPECT_EQ(finishWithin(run, 120), 3);
    EXPECT_EQ(units[0].displayWhen("FLEET").substr(0, 5), "FLEET");
    for (Emulator& unit : units) unit.stop(SIGTERM); // keeps each flash file
    const std::string out = dir.read("out.txt");

    const std::string image = dir.read("fleet.bin");
    ASSERT_EQ(image.size(), 32768u) << out;
    for (const std::string& flash : {homes[0].file("flash"), homes[1].file("flash.4"), homes[1].file("flash.5"),
                                     homes[2].file("flash"), homes[3].file("flash")})
        EXPECT_EQ(TempDir::readFile(flash), image) << flash << "\n" << out;
    EXPECT_FALSE(homes[4].has("flash") || homes[5].has("flash"));
    EXPECT_NE(TempDir::readFile(homes[6].file("flash")), image);

    for (const std::string label : {"COM1:0", "COM2:4", "COM2:5", direct.c_str(), "COM4:7"}) {
        EXPECT_TRUE(contains(row(out, label), "  programmed, message 0 called up  ")) << label << "\n" << out;
        const std::string log = TempDir::readFile(row(out, label).substr(row(out, label).rfind(' ') + 1));
        EXPECT_TRUE(contains(log, "Flash programmed and verified"));
        EXPECT_TRUE(contains(log, "Message 0 called up."));
    }
    EXPECT_TRUE(contains(row(out, "COM5:0"), "FAILED: Wrong unit type: the unit at address 0 is a 7740 display, "
                                             "but the settings name a 7780."));
    EXPECT_TRUE(contains(row(out, "COM6:0"), "FAILED: the unit is a Version 1 7700 Series Display (firmware "
                                             "release 3.9), but fleet.src is written for version 2"));
    EXPECT_TRUE(contains(dir.read("fleet.COM6-0.log"), "Not programmed: the unit is a Version 1"));
    EXPECT_TRUE(contains(row(out, killed), "FAILED: The connection to the unit was lost: " + units[6].device() +
                                           " closed the connection"));
    EXPECT_TRUE(contains(out, "\n5 of 8 units succeeded; 3 failed.\n"));
    EXPECT_FALSE(dir.has("fleet.COM1-0.lst") || dir.has("fleet.COM1-0.run.log")); // only the logs stay
}

} // namespace
