// A session set to compile demo.src in a temporary directory through `Runner`, for the
// result window and flash window tests.
#pragma once

#include <filesystem>
#include <string>

#include "FakeUserPort.h"
#include "Session.h"
#include "TempDir.h"
#include "toolchain/ToolContext.h"

namespace lt::test {

template <class Runner>
struct ToolEnv {
    TempDir tmp;
    PosixFileSystem fs;
    FakeUserPort ui;
    Session session{fs, ui};
    Runner runner;
    ToolContext ctx{session, runner};

    // Tools come from `toolsPath`, or from an empty "tools" directory when that is empty.
    explicit ToolEnv(const std::string& toolsPath = {}) {
        std::filesystem::create_directories(tmp.file("prog"));
        std::filesystem::create_directories(tmp.file("tools"));
        session.run.ProgramDir = tmp.dir() + "prog/";
        session.settings.ToolsPath = toolsPath.empty() ? tmp.dir() + "tools/" : toolsPath;
        session.index.CurrentFilePath = tmp.file("demo.src");
        session.tools.compileMode = true;
        ctx.hooks.askSaveChanges = [] { return false; };
        tmp.write("demo.src", "#pragma version 2\r\n");
    }
};

} // namespace lt::test
