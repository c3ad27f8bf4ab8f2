// Shared set-up of the toolchain tests: a session over a temporary program directory,
// a scripted person, a scripted runner, a clock the test moves and a result window fake.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "FakeUserPort.h"
#include "ScriptedRunner.h"
#include "Session.h"
#include "TempDir.h"
#include "storage/NativeFileSystem.h"
#include "toolchain/ResultSink.h"
#include "toolchain/ToolContext.h"

namespace lt::test {

class FakeResultSink : public ResultSink {
public:
    std::string shown, buttonCaption, fileTitle, fileText;
    std::vector<std::string> elapsed;
    bool labelVisible = true, valueVisible = true, buttonVisible = false;
    int closed = 0;

    void setText(const std::string& t) override { shown = t; }
    std::string text() const override { return shown; }
    void setElapsed(const std::string& v) override { elapsed.push_back(v); }
    void showElapsedLabel(bool v) override { labelVisible = v; }
    void showElapsedValue(bool v) override { valueVisible = v; }
    void setProgramButton(const std::string& c, bool v) override { buttonCaption = c, buttonVisible = v; }
    std::vector<ErrorLink> fileLinks;
    std::optional<ErrorLink> activate; // the link the person activates in the viewer
    std::optional<ErrorLink> showTextFile(const std::string& title, const std::string& t,
                                          const std::vector<ErrorLink>& links) override {
        fileTitle = title, fileText = t, fileLinks = links;
        return activate;
    }
    void closeWindow() override { ++closed; }
};

class ToolFixture : public ::testing::Test {
protected:
    ToolFixture() : session(fs, ui), ctx(session, runner) {
        for (auto d : {"prog", "tools", "work"}) std::filesystem::create_directories(tmp.file(d));
        session.run.ProgramDir = prog();
        session.settings.ToolsPath = tools();
        ctx.now = [this] { return seconds; };
        runner.onTick = [this](int) { seconds += 0.1; };
    }
    std::string prog() const { return tmp.dir() + "prog/"; }
    std::string tools() const { return tmp.dir() + "tools/"; }
    std::string work() const { return tmp.dir() + "work/"; }
    static bool exists(const std::string& p) { return std::filesystem::exists(p); }
    static void put(const std::string& p, const std::string& c) { ScriptedRunner::writeFile(p, c); }
    static std::string get(const std::string& p) { return ScriptedRunner::readFile(p); }
    // Forgets the person's boxes and the tool calls of the step before.
    void again() {
        ui.clear();
        runner.calls.clear();
    }
    // A tool run that writes its log (and any other files) and ends with exit code `code`.
    static ScriptedRunner::Action writes(std::vector<std::pair<std::string, std::string>> files, int code = 0) {
        return [files, code](const ToolCall&) {
            for (const auto& f : files) ScriptedRunner::writeFile(f.first, f.second);
            return ProcessResult{true, code, {}};
        };
    }

    TempDir tmp;
    NativeFileSystem fs;
    FakeUserPort ui;
    Session session;
    ScriptedRunner runner;
    ToolContext ctx;
    FakeResultSink sink;
    double seconds = 100.0;
};

} // namespace lt::test
