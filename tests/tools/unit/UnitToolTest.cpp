// 7700.exe's command logic over a direct line to an emulated unit: argument lists,
// COM port names, the log texts and exit codes.
#include <gtest/gtest.h>

#include "../ToolRun.h"
#include "common/FlashImage.h"
#include "emulator/DirectLink.h"
#include "unit/UnitTool.h"

namespace {

using namespace lt;
using lt::test::contains;
using lt::test::TempDir;

struct ToolBench {
    emulator::Machine machine{4, 2};
    emulator::UnitServer server{machine, protocol::UnitInfo{7780, 2, 4, protocol::kFlashSize, "4.12, build 7"}, 0};
    emulator::FaultInjector clean{0, 0, 1, 1};
    TempDir dir;
    unit::PortRequest opened;
    std::vector<std::pair<size_t, size_t>> progress;

    int run(const std::string& mode, const std::string& list) {
        dir.write("t.lst", list);
        auto opener = [this](const unit::PortRequest& port, std::string&, int&) -> std::unique_ptr<protocol::Link> {
            opened = port;
            return std::make_unique<emulator::DirectLink>(server, clean);
        };
        auto env = [](const std::string& name) { return name == "LUMATEXT7700_COM2" ? std::string("/dev/x") : ""; };
        return unit::runUnitTool(mode, dir.file("t.lst"), opener, env, {},
                                 [this](size_t done, size_t total) { progress.emplace_back(done, total); });
    }
    std::string block(const std::string& com = "2", const std::string& model = "80") const {
        return "/a\n0\n/b\n19200\n/c\n" + com + "\n/m\n" + model + "\n/log\n" + dir.file("t") + "\n\n";
    }
    std::string log() const { return dir.read("t.log"); }
};

TEST(UnitTool, VersionRebootAndPortNames) {
    ToolBench b;
    ASSERT_EQ(b.run("v", "x\n" + b.block()), 0); // LF line ends are fine too
    EXPECT_EQ(b.log(), "COM2 (/dev/x) at 19200 baud, unit address 0.\r\nUnit 7780, firmware generation 2:\r\n"
                       "Version 4.12, build 7\r\n");
    EXPECT_EQ(b.opened.baud, 19200);

    ASSERT_EQ(b.run("", "b\r\n" + b.block("COM1")), 0);
    EXPECT_EQ(b.opened.device, "/dev/ttyS0");
    EXPECT_TRUE(contains(b.log(), "Unit rebooted.\r\n"));

    EXPECT_EQ(b.run("", b.block()), 1);
    EXPECT_EQ(b.log(), "No command given: the mode letter is missing and the list does not start with \"b\".\r\n");
    EXPECT_EQ(b.run("x", b.block()), 1);
    EXPECT_EQ(b.log(), "Unknown command \"x\" (use c, e, m, p, r or v).\r\n");
    EXPECT_EQ(b.run("v", b.block("2", "60")), 1);
    EXPECT_EQ(b.log(), "The unit model \"60\" is not valid (/m 40 for a 7740, /m 80 for a 7780).\r\n");
    EXPECT_EQ(b.run("v", b.block("five")), 1);
    EXPECT_EQ(b.log(), "The COM port \"five\" is not valid (1 to 99).\r\n");
    // A serial device server named in the list itself.
    ASSERT_EQ(b.run("v", b.block("TCP://[::1]:4001")), 0);
    EXPECT_EQ(b.opened.device, "TCP://[::1]:4001");
    EXPECT_EQ(b.log().substr(0, 47), "TCP://[::1]:4001 at 19200 baud, unit address 0.");
    for (const char* bad : {"tcp://host", "tcp://:4001", "tcp://host:0", "tcp://a b:1", "tcp://[::1:4001"}) {
        EXPECT_EQ(b.run("v", b.block(bad)), 1) << bad;
        EXPECT_EQ(b.log(), "The network port \"" + std::string(bad) +
                               "\" is not valid (tcp://HOST:PORT, PORT 1 to 65535).\r\n");
    }
    EXPECT_EQ(b.run("v", "/a\n0\n/log\n" + b.dir.file("t") + "\n/b\n"), 1);
    EXPECT_EQ(b.log(), "The argument list is not complete: switch \"/b\" has no value in the argument list.\r\n");
}

TEST(UnitTool, CallUpAndSendMessageEntries) {
    ToolBench b;
    tools::EscapeProgram program;
    program.displayType = 7740;
    program.messages.push_back({4, 2, test::Code().text("HI").op(tools::Op::End).w.take()});
    std::string image, problem;
    ASSERT_TRUE(tools::buildFlashImage(program, image, problem)) << problem;
    b.dir.write("img.bin", image);

    EXPECT_EQ(b.run("c", "x\n" + b.block()), 1);
    EXPECT_TRUE(contains(b.log(), "\"x\" is not a message number (0 to 1023).\r\n"));
    EXPECT_EQ(b.run("c", b.block()), 1);
    EXPECT_TRUE(contains(b.log(), "No message number given for the call up.\r\n"));

    // The image was compiled for a 7740; the unit is a 7780.
    EXPECT_EQ(b.run("m", b.dir.file("img.bin") + "\n4\n" + b.block()), 4);
    EXPECT_TRUE(contains(b.log(), "Wrong unit type: the unit at address 0 is a 7780 display, but the image was "
                                  "compiled for a 7740.\r\n"));
    program.displayType = 0;
    ASSERT_TRUE(tools::buildFlashImage(program, image, problem));
    b.dir.write("img.bin", image);
    EXPECT_EQ(b.run("m", b.dir.file("img.bin") + "\n9\n" + b.block()), 6);
    EXPECT_TRUE(contains(b.log(), "Message 9 is not in " + b.dir.file("img.bin") + ".\r\n"));
    ASSERT_EQ(b.run("m", b.dir.file("img.bin") + "\n4\n" + b.block()), 0);
    b.machine.advance(10);
    EXPECT_EQ(b.machine.runningMessage(2), -1);
    EXPECT_EQ(b.machine.display().rowText(1), "HI                  ");
}

} // namespace
