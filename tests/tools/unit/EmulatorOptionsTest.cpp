// unit7700's options and its line noise.
#include <gtest/gtest.h>

#include "emulator/EmulatorOptions.h"
#include "emulator/FaultInjector.h"

namespace {

using namespace lt::emulator;

TEST(EmulatorOptions, DefaultsValuesAndMistakes) {
    EmulatorOptions o;
    std::string error;
    ASSERT_TRUE(parseEmulatorOptions({}, o, error));
    EXPECT_EQ(o.type, 7780);
    EXPECT_EQ(o.release, "4.12, build 7");
    EXPECT_EQ(o.placeholder, '^');
    ASSERT_TRUE(parseEmulatorOptions({"--type", "7740", "--version", "1", "--address", "255", "--corrupt", "5",
                                      "--device-file", "d", "--window", "--placeholder", "#"},
                                     o = EmulatorOptions(), error));
    EXPECT_EQ(o.type, 7740);
    EXPECT_EQ(o.release, "3.9, build 2");
    EXPECT_EQ(o.address, 255);
    EXPECT_DOUBLE_EQ(o.corruptPercent, 5);
    EXPECT_EQ(o.files.deviceFile, "d");
    EXPECT_TRUE(o.window);
    EXPECT_EQ(o.placeholder, '#');

    const std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
        {{"--type", "7760"}, "option --type: \"7760\" is not 7740 or 7780"},
        {{"--address", "256"}, "option --address: \"256\" is not an address 0..255"},
        {{"--address"}, "option --address needs a value"},
        {{"--placeholder", "^^"}, "option --placeholder: \"^^\" is not one visible character"},
        {{"--placeholder", " "}, "option --placeholder: \" \" is not one visible character"},
        {{"--drop", "60", "--corrupt", "50"}, "--drop and --corrupt together exceed 100 percent"},
        {{"--colour", "red"}, "unknown option --colour"},
    };
    for (const auto& [args, message] : bad) {
        o = EmulatorOptions();
        EXPECT_FALSE(parseEmulatorOptions(args, o, error));
        EXPECT_EQ(error, message);
    }
}

TEST(FaultInjector, HitsTheShareAskedFor) {
    const std::string clean(200000, 'A');
    FaultInjector corrupt(0, 5, 16, 1);
    std::string out = corrupt.apply(clean);
    ASSERT_EQ(out.size(), clean.size());
    size_t changed = 0;
    for (char c : out) changed += c != 'A';
    EXPECT_NEAR(static_cast<double>(changed) / static_cast<double>(clean.size()), 0.05, 0.01);

    FaultInjector drop(10, 0, 4, 2);
    out = drop.apply(clean);
    EXPECT_NEAR(1.0 - static_cast<double>(out.size()) / static_cast<double>(clean.size()), 0.10, 0.015);
    EXPECT_EQ(out.find_first_not_of('A'), std::string::npos);

    FaultInjector none(0, 0, 16, 3);
    EXPECT_EQ(none.apply(clean), clean);
}

} // namespace
