// The tool's client against the emulated unit's server over a direct line: retries on a
// noisy line and the failures it names.
#include <gtest/gtest.h>

#include <functional>

#include "../ToolRun.h"
#include "emulator/DirectLink.h"
#include "emulator/Machine.h"
#include "emulator/UnitServer.h"
#include "protocol/Frame.h"
#include "protocol/UnitClient.h"

namespace {

using namespace lt::protocol;
using namespace lt::emulator;
using lt::test::randomImage;

struct Bench {
    Machine machine{4, 2};
    UnitServer server{machine, UnitInfo{7780, 2, 4, kFlashSize, "4.12, build 7"}, 5};
    FaultInjector faults;
    DirectLink link{server, faults};
    explicit Bench(double corrupt = 0, double drop = 0) : faults(drop, corrupt, 16, 42) {}
    UnitClient client(int address = 5, int attempts = 10) {
        return UnitClient(link, ClientOptions{address, 4000000, 2, attempts});
    }
};

TEST(Client, FailuresAreNamed) {
    Bench quiet, garbled(100), cut; // garbled: every byte damaged, replies cannot even be recognised
    UnitClient nobody = quiet.client(6, 3), damaged = garbled.client(5, 3), lost = cut.client();
    UnitInfo info;
    EXPECT_FALSE(nobody.identify(info));
    EXPECT_EQ(nobody.failureText(), "No answer from address 6 after 3 attempts. Check the cable, the COM port, "
                                    "the baud rate and the unit's address.");
    EXPECT_FALSE(damaged.erase());
    EXPECT_EQ(damaged.failure(), Failure::NoAnswer);
    cut.link.cut();
    EXPECT_FALSE(lost.reboot());
    EXPECT_EQ(lost.failureText(), "The connection to the unit was lost: the line was cut.");
}

// A line that alters every request on its way to the unit.
class TamperingLink : public Link {
public:
    TamperingLink(UnitServer& server, std::function<std::string(std::string_view)> alter)
        : server_(server), alter_(std::move(alter)) {}
    bool write(std::string_view bytes) override {
        answers_ += server_.receive(alter_(bytes));
        return true;
    }
    bool read(std::string& out, int) override {
        out += answers_;
        answers_.clear();
        return true;
    }
    std::string lostReason() const override { return {}; }

private:
    UnitServer& server_;
    std::function<std::string(std::string_view)> alter_;
    std::string answers_;
};

TEST(Client, DamageOnEveryAttemptIsAChecksumError) {
    // The payload of every request is damaged: the unit sees sound headers and reports
    // the damage each time.
    Bench b;
    TamperingLink link(b.server, [](std::string_view bytes) {
        std::string damaged(bytes);
        damaged[damaged.size() - 1] ^= 0x55; // the CRC-32 no longer matches
        return damaged;
    });
    UnitClient client(link, ClientOptions{5, 19200, 2, 3});
    EXPECT_FALSE(client.callUp(1, ""));
    EXPECT_EQ(client.failureText(), "Checksum error: the data to or from the unit at address 5 arrived damaged on every "
                                    "one of 3 attempts. Check the cable and lower the baud rate.");
    EXPECT_EQ(b.server.damagedFrames(), 3);
}

// A unit that answers damaged replies and then freezes: the run ended on missing answers,
// and that is what is reported, for a single request and in the middle of programming.
TEST(Client, UnitThatFreezesAfterDamageIsReportedAsNotAnswering) {
    for (bool programming : {false, true}) {
        SCOPED_TRACE(programming);
        Bench b;
        int requests = 0;
        const int firstBad = programming ? 6 : 1; // programming: the erase and some blocks go through
        TamperingLink link(b.server, [&](std::string_view bytes) {
            ++requests;
            std::string frame(bytes);
            if (requests < firstBad) return frame;
            if (requests < firstBad + 2) {
                frame.back() ^= 0x55;
                return frame;
            }
            return std::string(); // frozen: nothing reaches the unit any more
        });
        UnitClient client(link, ClientOptions{5, 4000000, 2, 4});
        EXPECT_FALSE(programming ? client.program(randomImage(3, 20000)) : client.callUp(1, ""));
        EXPECT_EQ(client.failureText().substr(0, 37), "No answer from address 5 after 4 atte");
    }
}

TEST(Client, FlashThatDoesNotVerifyIsReportedAfterThreePasses) {
    // A unit whose flash keeps a wrong bit: every write lands with one byte changed, in a
    // frame that is itself sound.
    Bench b;
    FrameParser parser;
    TamperingLink link(b.server, [&parser](std::string_view bytes) {
        parser.feed(bytes);
        std::string frames;
        Frame frame;
        while (parser.next(frame) == FrameParser::Event::Good) {
            if (frame.command == kWrite && frame.payload.size() > 2) frame.payload[2] ^= 0x01;
            frames += encodeFrame(frame.address, frame.command, frame.sequence, frame.payload);
        }
        return frames;
    });
    UnitClient client(link, ClientOptions{5, 19200, 2, 3});
    EXPECT_FALSE(client.program(randomImage(3, 20000)));
    EXPECT_EQ(client.failureText(), "Checksum error: the flash memory of the unit at address 5 did not match the image "
                                    "after 3 programming passes.");
}

TEST(Client, NoisyLineStillProgramsThroughRetries) {
    for (double corrupt : {5.0, 0.0}) {
        Bench b(corrupt, corrupt / 2);
        UnitClient client = b.client(5, 40);
        const std::string image = randomImage(2, 20000);
        ASSERT_TRUE(client.program(image)) << client.failureText();
        EXPECT_EQ(b.machine.flash(), image);
        EXPECT_TRUE(corrupt == 0 || (client.retries() > 0 && b.faults.corrupted() > 0)) << client.retries();
    }
}

} // namespace
