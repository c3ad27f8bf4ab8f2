// Helpers of the end-to-end tests: the emulator as a child process and 7700.exe run the
// way the editor runs it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#include "../ToolRun.h"
#include "UnitProcesses.h"

namespace lt::test {

// The emulator program of this build as a child process; unless `com3` is false, COM3
// leads to it (LUMATEXT7700_COM3), as a technician would set the port.
class Emulator : public UnitProcess {
public:
    Emulator(const TempDir& dir, std::vector<std::string> options, bool com3 = true)
        : UnitProcess(binDir() + "unit7700", dir, std::move(options)) {
        if (com3) ::setenv("LUMATEXT7700_COM3", device().c_str(), 1);
    }
};

// Starts 7700.exe the way the editor does: the leading entries, then the unit switch block
// with the log <dir>/<name>.log (the list is <name>.lst).
inline pid_t startUnitTool(const TempDir& dir, const std::string& mode, std::vector<std::string> entries,
                           const std::string& address = "0", const std::string& model = "80",
                           const std::string& name = "u") {
    entries.insert(entries.end(), {"/a", address, "/b", "38400", "/c", "3", "/m", model, "/log", dir.file(name)});
    dir.write(name + ".lst", listText(entries));
    std::vector<std::string> args = {binDir() + "7700.exe"};
    if (!mode.empty()) args.push_back(mode);
    args.push_back("@" + dir.file(name + ".lst"));
    return spawnProgram(args);
}

inline int unitTool(const TempDir& dir, const std::string& mode, std::vector<std::string> entries,
                    const std::string& address = "0", const std::string& model = "80") {
    return finish(startUnitTool(dir, mode, std::move(entries), address, model));
}

class UnitE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("LUMATEXT7700_TIMEOUT_MS", "100", 1);
        ::setenv("LUMATEXT7700_ATTEMPTS", "4", 1);
    }
    std::string log() const { return dir.read("u.log"); }
    // Compiles <dir>/<name>.src with the real compiler and assembler into <dir>/<name>.bin.
    void compileFile(const std::string& name) {
        const std::string base = dir.file(name);
        ASSERT_EQ(runTool(dir, "lexmill.exe", "c.lst",
                          {base + ".src", base, "/error", base, "/include", binDir(), "/log", base}), 0)
            << dir.read(name + ".err");
        ASSERT_EQ(runTool(dir, "binmill.exe", "c.lst", {base, base, "/error", base, "/log", base}), 0)
            << dir.read(name + ".err");
        ASSERT_FALSE(dir.has(name + ".err"));
    }
    void compile(const std::string& body) {
        dir.write("msg.src",
                  "#define Display_type (7780)\r\n#include \"CTRLCODE.H\"\r\n#pragma version 2\r\n\r\n" + body);
        compileFile("msg");
    }
    TempDir dir;
};

} // namespace lt::test
