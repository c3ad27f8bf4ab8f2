// Helpers of the end-to-end tests: the emulator as a child process and 7700.exe run the
// way the editor runs it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#include "../ToolRun.h"
#include "UnitProcesses.h"

namespace lt::test {

// The emulator program of this build as a child process.
class Emulator : public UnitProcess {
public:
    Emulator(const TempDir& dir, std::vector<std::string> options)
        : UnitProcess(binDir() + "unit7700", dir, std::move(options)) {}
};

inline pid_t startUnitTool(const TempDir& dir, const std::string& mode, const std::vector<std::string>& entries,
                    const std::string& list = "u.lst") {
    dir.write(list, listText(entries));
    std::vector<std::string> args = {binDir() + "7700.exe"};
    if (!mode.empty()) args.push_back(mode);
    args.push_back("@" + dir.file(list));
    return spawnProgram(args);
}

// Runs 7700.exe the way the editor does: the leading entries, then the unit switch block.
inline int unitTool(const TempDir& dir, const std::string& mode, std::vector<std::string> entries,
             const std::string& address = "0", const std::string& model = "80") {
    for (const std::string& e : {std::string("/a"), address, std::string("/b"), std::string("38400"),
                                 std::string("/c"), std::string("3"), std::string("/m"), model,
                                 std::string("/log"), dir.file("u")})
        entries.push_back(e);
    return finish(startUnitTool(dir, mode, entries));
}

class UnitE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("LUMATEXT7700_TIMEOUT_MS", "100", 1);
        ::setenv("LUMATEXT7700_ATTEMPTS", "4", 1);
    }
    void point(const Emulator& unit) { ::setenv("LUMATEXT7700_COM3", unit.device().c_str(), 1); }
    std::string log() const { return dir.read("u.log"); }
    // Compiles a script with the real compiler and assembler into <dir>/msg.bin.
    void compile(const std::string& body) {
        dir.write("msg.src", "#define Display_type (7780)\r\n#include \"CTRLCODE.H\"\r\n#pragma version 2\r\n\r\n" + body);
        const std::string base = dir.file("msg");
        ASSERT_EQ(runTool(dir, "lexmill.exe", "c.lst",
                          {dir.file("msg.src"), base, "/error", base, "/include", binDir(), "/log", base}), 0);
        ASSERT_EQ(runTool(dir, "binmill.exe", "c.lst", {base, base, "/error", base, "/log", base}), 0);
        ASSERT_FALSE(dir.has("msg.err"));
    }
    TempDir dir;
};

} // namespace lt::test
