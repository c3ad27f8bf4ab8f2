// End to end, no mocks: scripts compiled by the real lexmill.exe and binmill.exe,
// programmed into the real emulator (unit7700 on a pseudo-terminal) by the real
// 7700.exe, called up, read back and checked on the emulator's display file.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include "UnitE2E.h"

namespace {

using namespace lt::test;

const char* const kScript =
    "SUB 5(TASK=0)    // CRC value = 1\r\n    CLS\r\n    CALL RELAY(ON)\r\n"
    "LINE1:\r\n    CALL CURSOR(1,1)\r\n    PRINT\"       \";\r\n    PRINT\"HELLO\";\r\n"
    "    CALL ERASE_TO_EOL(CURRENT,CURRENT)\r\n"
    "LINE2:\r\n    CALL CURSOR(2,1)\r\n    PRINT\"TEMP \";\r\n    PRINT VAR(3, 4);\r\n"
    "    CALL BLINK(50,ON)\r\n    PRINT\"!\";\r\n    CALL BLINK(-1)\r\n    CALL ERASE_TO_EOL(CURRENT,CURRENT)\r\n"
    "END SUB\r\n"
    "SUB 6(TASK=1)    // CRC value = 2\r\n    CALL OUTPUT_DEVICE(SERIAL)\r\n    PRINT\"SENT OUT\";\r\n"
    "    CALL OUTPUT_DEVICE(DISPLAY)\r\n    CALL CURSOR(4,1)\r\n    PRINT\"SIX\";\r\nEND SUB\r\n";
const std::string kBlankRow = std::string(20, ' ') + "\n";

TEST_F(UnitE2E, ProgramCallUpSendReadBackAndReboot) {
    compile(kScript);
    Emulator unit(dir, {});
    ASSERT_EQ(unitTool(dir, "p", {dir.file("msg")}), 0) << log();
    EXPECT_TRUE(contains(log(), "Flash programmed and verified: 32,768 bytes"));

    ASSERT_EQ(unitTool(dir, "c", {"5", ",,42"}), 0) << log();
    EXPECT_TRUE(contains(log(), "Message 5 called up with the variable string \",,42\"."));
    std::string shown = unit.displayWhen("       HELLO        \nTEMP   42!          \n");
    EXPECT_EQ(shown, "       HELLO        \nTEMP   42!          \n                    \n                    \n--\n"
                     "unit 7780\nrelay ON\nblink 2          *          \n");

    // "12" alone reaches the tool as an empty entry and the number.
    ASSERT_EQ(unitTool(dir, "c", {"", "6"}), 0) << log();
    unit.displayWhen("       HELLO        \nTEMP   42!          \n                    \nSIX");
    EXPECT_EQ(dir.read("serial"), "SENT OUT\r\n");

    ASSERT_EQ(unitTool(dir, "r", {dir.file("back")}), 0) << log();
    EXPECT_EQ(dir.read("back.bin"), dir.read("msg.bin"));

    ASSERT_EQ(unitTool(dir, "e", {}), 0) << log();
    EXPECT_EQ(unitTool(dir, "c", {"5"}), 7);
    EXPECT_TRUE(contains(log(), "The unit at address 0 refused the command: the flash memory holds no valid image."));
    ASSERT_EQ(unitTool(dir, "m", {dir.file("msg.bin"), "5"}), 0) << log();
    EXPECT_TRUE(contains(log(), "Message 5 ("));

    ASSERT_EQ(unitTool(dir, "", {"b"}), 0) << log();
    const std::string rebooted = kBlankRow + kBlankRow + kBlankRow + kBlankRow + "--\nunit 7780\nrelay OFF\n";
    EXPECT_EQ(unit.displayWhen(rebooted), rebooted);
}

TEST_F(UnitE2E, FlashFileKeepsTheProgrammingAcrossRuns) {
    compile(kScript);
    {
        Emulator unit(dir, {"--flash-file", dir.file("flash")});
        ASSERT_EQ(unitTool(dir, "p", {dir.file("msg")}), 0) << log();
    }
    EXPECT_EQ(dir.read("flash"), dir.read("msg.bin"));
    Emulator again(dir, {"--flash-file", dir.file("flash")});
    ASSERT_EQ(unitTool(dir, "c", {"6"}), 0) << log();
    const std::string want = kBlankRow + kBlankRow + kBlankRow + "SIX" + std::string(17, ' ') + "\n";
    EXPECT_EQ(again.displayWhen(want).substr(0, want.size()), want);
    again.stop(SIGTERM);
    EXPECT_FALSE(dir.has("device")); // removed on the way out
    dir.write("flash", "short");
    Emulator broken(dir, {"--flash-file", dir.file("flash")});
    EXPECT_EQ(broken.device(), "");
}

TEST_F(UnitE2E, NoisyLineStillProgramsAndReadsBack) {
    ::setenv("LUMATEXT7700_ATTEMPTS", "30", 1);
    ::setenv("LUMATEXT7700_TIMEOUT_MS", "50", 1);
    const std::string image = randomImage(5, 6000);
    dir.write("noise.bin", image);
    Emulator unit(dir, {"--corrupt", "5", "--burst", "48", "--seed", "11"});
    ASSERT_EQ(unitTool(dir, "p", {dir.file("noise")}), 0) << log();
    EXPECT_TRUE(contains(log(), "Note: noise.bin holds no message directory"));
    EXPECT_TRUE(contains(log(), " repeated requests."));
    EXPECT_EQ(log().find(" 0 repeated requests."), std::string::npos) << log(); // the noise did hit
    ASSERT_EQ(unitTool(dir, "r", {dir.file("back")}), 0) << log();
    EXPECT_EQ(dir.read("back.bin"), image);
    EXPECT_TRUE(contains(log(), "!!! The flash is corrupted.  You will have to reprogram it from scratch. !!!"));
}

TEST_F(UnitE2E, FailuresGiveClearLogLinesAndExitCodes) {
    Emulator unit(dir, {"--type", "7740"});
    EXPECT_EQ(unitTool(dir, "v", {}), 4);
    EXPECT_TRUE(contains(log(), "\r\nVersion 4.12, build 7\r\n"));
    EXPECT_TRUE(contains(log(), "Wrong unit type: the unit at address 0 is a 7740 display, but the settings name "
                                "a 7780."));

    EXPECT_EQ(unitTool(dir, "e", {}, "9", "40"), 3);
    EXPECT_TRUE(contains(log(), "No answer from address 9 after 4 attempts."));

    dir.write("short.bin", std::string(100, 'x'));
    EXPECT_EQ(unitTool(dir, "p", {dir.file("short")}, "0", "40"), 6);
    EXPECT_TRUE(contains(log(), "The binary image " + dir.file("short.bin") +
                                " holds 100 bytes; a 7700 image holds exactly 32,768 bytes."));

    ::setenv("LUMATEXT7700_COM3", dir.file("no-such-port").c_str(), 1);
    EXPECT_EQ(unitTool(dir, "v", {}), 2);
    EXPECT_EQ(log(), "No such port: COM3 (" + dir.file("no-such-port") + ") does not exist.\r\n");

    EXPECT_EQ(unitTool(dir, "c", {"5"}, "300"), 1);
    EXPECT_EQ(log(), "The unit address \"300\" is not valid (0 to 255).\r\n");
}

TEST_F(UnitE2E, PortBusyAndUnitGoneMidTransfer) {
    dir.write("big.bin", std::string(32768, '\x5A'));
    // A lossy line keeps the transfer going long enough to pull the plug in the middle.
    Emulator unit(dir, {"--drop", "5", "--burst", "4"});
    ::setenv("LUMATEXT7700_ATTEMPTS", "20", 1);
    pid_t tool = startUnitTool(dir, "p", {dir.file("big")});
    for (int i = 0; i < 500 && log().find("Programming 32,768 bytes...") == std::string::npos; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    // A second run meanwhile finds the port taken.
    EXPECT_EQ(finish(startUnitTool(dir, "v", {}, "0", "80", "b")), 2);
    EXPECT_EQ(dir.read("b.log"), "Port busy: COM3 (" + unit.device() +
                                     ") is in use by another program or may not be opened by this user.\r\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    unit.stop(SIGKILL);
    int code = finish(tool);
    EXPECT_TRUE(code == 3 || code == 8) << code << "\n" << log();
    EXPECT_TRUE(contains(log(), "The connection to the unit was lost: ") ||
                contains(log(), "No answer from address 0 after")) << log();
}

// A socket on 127.0.0.1: listening (with its port in `port`) or connected to `port`.
int loopbackSocket(int& port, bool listening, int backlog = 0) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<uint16_t>(listening ? 0 : port));
    if (!listening) return ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 ? fd : -1;
    socklen_t size = sizeof a;
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::listen(fd, backlog);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &size);
    port = ntohs(a.sin_port);
    return fd;
}

TEST_F(UnitE2E, SerialDeviceServerOverTcpWithTwoUnitsOnItsLine) {
    compile(kScript);
    // COM3 is the network port, as a technician would set it.
    Emulator unit(dir, {"--tcp", "0", "--units", "2", "--address", "4", "--flash-file", dir.file("flash")});
    ASSERT_EQ(unit.device().rfind("tcp://127.0.0.1:", 0), 0u) << unit.device();
    const std::string port = "COM3 (" + unit.device() + ")";
    ASSERT_EQ(unitTool(dir, "p", {dir.file("msg")}, "5"), 0) << log();
    EXPECT_EQ(log().substr(0, log().find('\n') + 1), port + " at 38400 baud, unit address 5.\r\n");
    ASSERT_EQ(unitTool(dir, "c", {"5", ",,42"}, "5"), 0) << log();
    EXPECT_EQ(unitTool(dir, "c", {"5"}, "4"), 7) << log(); // its neighbour on the line holds no image
    EXPECT_EQ(unitTool(dir, "v", {}, "6"), 3) << log();    // and nobody answers at address 6

    // Another program holds the connection: the device server turns the tool away.
    int portNumber = std::stoi(unit.device().substr(unit.device().rfind(':') + 1));
    int other = loopbackSocket(portNumber, false);
    ASSERT_GE(other, 0);
    EXPECT_EQ(unitTool(dir, "v", {}, "5"), 8);
    EXPECT_TRUE(contains(log(), "The connection to the unit was lost: " + port +
                                " closed the connection before the unit answered: the serial device server may be "
                                "serving another program."));
    ::close(other);

    unit.stop(SIGTERM);
    EXPECT_EQ(dir.read("flash.5"), dir.read("msg.bin"));
    EXPECT_FALSE(dir.has("flash.4"));
    EXPECT_EQ(unitTool(dir, "v", {}, "5"), 10);
    EXPECT_EQ(log(), "Connection refused: nothing accepts connections at " + port +
                         ". Check that the serial device server is on and serves the unit's line in raw TCP mode "
                         "on that port.\r\n");

    // A server whose queue is full lets the connection attempt go unanswered.
    int full = loopbackSocket(portNumber, true);
    int first = loopbackSocket(portNumber, false);
    ::setenv("LUMATEXT7700_COM3", ("tcp://127.0.0.1:" + std::to_string(portNumber)).c_str(), 1);
    ::setenv("LUMATEXT7700_CONNECT_MS", "300", 1);
    EXPECT_EQ(unitTool(dir, "v", {}), 11);
    ::unsetenv("LUMATEXT7700_CONNECT_MS");
    EXPECT_EQ(log(), "No connection: COM3 (tcp://127.0.0.1:" + std::to_string(portNumber) +
                         ") did not answer within 300 ms. Check that the device server is on, plugged in and "
                         "reachable from this computer.\r\n");
    ::close(first);
    ::close(full);
}

} // namespace
