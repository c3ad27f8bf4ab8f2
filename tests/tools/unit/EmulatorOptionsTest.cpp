// unit7700's options and the pace of its line.
#include <gtest/gtest.h>

#include "emulator/EmulatorHost.h"
#include "emulator/EmulatorOptions.h"
#include "emulator/LinePacer.h"

namespace {

using namespace lt::emulator;

TEST(EmulatorOptions, DefaultsValuesAndMistakes) {
    EmulatorOptions o;
    std::string error;
    ASSERT_TRUE(parseEmulatorOptions({}, o, error));
    EXPECT_EQ(std::make_tuple(o.type, o.release, o.placeholder, o.units, o.tcpPort),
              std::make_tuple(7780, "4.12, build 7", '^', 1, -1));
    ASSERT_TRUE(parseEmulatorOptions({"--type", "7740", "--version", "1", "--address", "255", "--corrupt", "5",
                                      "--device-file", "d", "--window", "--placeholder", "#"},
                                     o = EmulatorOptions(), error));
    EXPECT_EQ(std::make_tuple(o.type, o.release, o.address, o.corruptPercent, o.files.deviceFile, o.window,
                              o.placeholder),
              std::make_tuple(7740, "3.9, build 2", 255, 5.0, "d", true, '#'));
    ASSERT_TRUE(parseEmulatorOptions({"--address", "250", "--units", "6", "--tcp", "0", "--pace", "--baud", "9600"},
                                     o = EmulatorOptions(), error));
    EXPECT_EQ(std::make_tuple(o.units, o.tcpPort, o.pace, o.baud), std::make_tuple(6, 0, true, 9600));
    // One unit keeps its file names; units sharing a line add their addresses.
    HostFiles files{"dev", "disp", "", "flash"};
    EXPECT_EQ(filesOfUnit(files, 3, 1).flashFile, "flash");
    const auto shared = filesOfUnit(files, 251, 6);
    EXPECT_EQ(shared.displayFile + "|" + shared.serialLog, "disp.251|");

    const std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
        {{"--type", "7760"}, "option --type: \"7760\" is not 7740 or 7780"},
        {{"--address", "256"}, "option --address: \"256\" is not an address 0..255"},
        {{"--address"}, "option --address needs a value"},
        {{"--placeholder", "^^"}, "option --placeholder: \"^^\" is not one visible character"},
        {{"--placeholder", " "}, "option --placeholder: \" \" is not one visible character"},
        {{"--drop", "60", "--corrupt", "50"}, "--drop and --corrupt together exceed 100 percent"},
        {{"--colour", "red"}, "unknown option --colour"},
        {{"--address", "255", "--units", "2"}, "--units 2 from address 255 goes past address 255"},
        {{"--tcp", "65536"}, "option --tcp: \"65536\" is not a TCP port 0..65535"},
        {{"--baud", "10"}, "option --baud: \"10\" is not a baud rate 50..4000000"},
    };
    for (const auto& [args, message] : bad) {
        o = EmulatorOptions();
        EXPECT_FALSE(parseEmulatorOptions(args, o, error));
        EXPECT_EQ(error, message);
    }
}

} // namespace

TEST(LinePacer, BytesTakeTheirTimeAndAnswersFollowATurnaround) {
    using namespace std::chrono;
    LinePacer pacer(10000); // one byte a millisecond
    const auto t0 = steady_clock::time_point{} + hours(1);
    auto at = t0;
    pacer.arrive(std::string(10, 'a'), t0);
    EXPECT_EQ(pacer.nextDue(), t0 + milliseconds(10)); // when the whole write has crossed
    EXPECT_EQ(pacer.received(t0 + microseconds(3500), at), "aaa");
    EXPECT_EQ(at, t0 + milliseconds(3));
    pacer.arrive("bb", t0 + milliseconds(4)); // queued behind the rest of the first write
    EXPECT_EQ(pacer.received(t0 + milliseconds(11), at), "aaaaaaab");
    EXPECT_EQ(pacer.received(t0 + milliseconds(12), at), "b");
    EXPECT_EQ(at, t0 + milliseconds(12));

    // An answer of 4 bytes leaves a turnaround after the request and arrives whole.
    pacer.answer("ANSW", at);
    pacer.answer("NEXT", at); // the line is busy with the first until then
    const auto first = at + LinePacer::kTurnaround + milliseconds(4);
    EXPECT_EQ(pacer.nextDue(), first);
    EXPECT_EQ(pacer.sent(first - microseconds(1)), "");
    EXPECT_EQ(pacer.sent(first), "ANSW");
    EXPECT_EQ(pacer.sent(first + milliseconds(4)), "NEXT");
    EXPECT_EQ(pacer.nextDue(), steady_clock::time_point::max());

    pacer.arrive("lost", t0 + seconds(1));
    pacer.clear();
    EXPECT_EQ(pacer.received(t0 + seconds(2), at), "");
    EXPECT_EQ(LinePacer(19200).byteTime(), nanoseconds(520833));
}
