#include <gtest/gtest.h>

#include "../storage/StorageFixture.h"
#include "settings/ProgramMenu.h"
#include "settings/SettingsFile.h"
#include "storage/PathUtil.h"

using namespace lt;

TEST(SettingsFile, ReadingRules) {
    Settings s;
    auto r = ParseSettings(s, "junk=1\r\n[preferences]\r\n  PORT=3\r\nrate =9600\r\naddress=  12  \r\n"
                              "top=abc\r\nleft=-15\r\nunknown=1\r\ntools_path=/x\r\n\r\ntype=7780\r\n"
                              "[preferences]\nvarchar=~\n");
    EXPECT_TRUE(r.fileFound);
    EXPECT_EQ(s.UnitPort, "3");           // keys are case-insensitive, blanks before them go
    EXPECT_EQ(s.BaudRate, "19200");       // a blank before "=" makes the key unknown
    EXPECT_EQ(s.UnitAddress, "12");       // blanks around the value go
    EXPECT_FALSE(r.windowTop.has_value()); // not a number: skipped
    EXPECT_EQ(r.windowLeft.value(), -15.0f);
    EXPECT_EQ(s.ToolsPath, std::string("/x") + kPathSeparator); // a separator is added
    EXPECT_EQ(s.UnitType, "7740");        // after an empty line the section has ended
    EXPECT_EQ(s.VarChar, "~");            // a second section header starts reading again (LF only)
}

TEST(SettingsFile, ToolsPathWithoutCompilerFallsBackToProgramDir) {
    test::TempDir dir;
    NativeFileSystem fs;
    dir.write("Lumatext7700.INI", "[preferences]\r\ntools_path=" + dir.dir() + "\r\n");
    Settings s;
    ReadSettings(s, fs, dir.file("Lumatext7700.INI"), "/opt/lt/");
    EXPECT_EQ(s.ToolsPath, "/opt/lt/");
    dir.write("lexmill.exe", "");
    ReadSettings(s, fs, dir.file("Lumatext7700.INI"), "/opt/lt/");
    EXPECT_EQ(s.ToolsPath, dir.dir());
}

TEST(ProgramMenu, AddressAnswers) {
    test::StorageFixture f;
    auto& [dir, disk, ui, s] = f;
    EnterAddress(s, std::string("255"));
    for (auto answer : {std::optional<std::string>("256"), {"-1"}, {"abc"}, {""}, {}}) EnterAddress(s, answer);
    EXPECT_EQ(s.settings.UnitAddress, "255");
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"You have entered an illegal address.",
                                                    "You have entered an illegal address.",
                                                    "The address abc is not valid."}));
    EXPECT_EQ(ui.boxes[0].icon, Icon::Information);
    ui.inputs.push_back(std::string("7"));
    AskAddress(s);
    EXPECT_EQ(ui.prompts.back(), "Please enter the address of the 7700 unit. This address must be between 0 and 255.");
    EXPECT_EQ(s.settings.UnitAddress, "7");
}

TEST(ProgramMenu, UnitTypeAndVersionSwitches) {
    test::StorageFixture f;
    auto& [dir, disk, ui, s] = f;
    EXPECT_FALSE(ChooseUnitType(s, "7740") || s.run.HeaderChanged);
    s.run.ScriptEditMode = true;
    s.msg.BlockText = "SUB 0(TASK=0)\r\n\r\nLINE1:\r\n\r\nLINE2:\r\n\r\nEND SUB\r\n";
    EXPECT_TRUE(ChooseUnitType(s, "7780") && s.run.HeaderChanged);
    EXPECT_EQ(s.msg.LineCount, 4);
    EXPECT_EQ(s.msg.BlockText, "SUB 0(TASK=0)\r\n\r\nLINE1:\r\n\r\nLINE2:\r\n\r\nLINE3:\r\n\r\nLINE4:\r\n\r\nEND SUB\r\n");

    s.run.HeaderChanged = false;
    EXPECT_FALSE(ChooseVersion(s, "2") || s.run.HeaderChanged);
    s.index.CurrentFilePath = dir.file("a.b.src");
    dir.write("a.b.bin", "image");
    EXPECT_TRUE(ChooseVersion(s, "1") && s.run.HeaderChanged && !dir.has("a.b.bin"));
}
