// A process runner for tests: records every call with the bytes of its argument-list
// file at the moment the tool ran, ticks a scripted number of times and lets each call
// write the tool's output files.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "RunProgram.h"
#include "TempDir.h"
#include "toolchain/ProcessRunner.h"

namespace lt::test {

struct ToolCall {
    std::string program;
    std::vector<std::string> arguments;
    std::string listText;  // the argument-list file named by the "@" argument
    bool keepResponsive = true;
};

class ScriptedRunner : public ProcessRunner {
public:
    using Action = std::function<ProcessResult(const ToolCall&)>;
    std::vector<ToolCall> calls;
    std::deque<Action> actions;  // one per call; a call without one just succeeds
    int ticksPerRun = 0;
    std::function<void(int)> onTick;  // called before the runner's own tick, with its number

    ProcessResult run(const std::string& program, const std::vector<std::string>& arguments,
                      const std::function<void()>& tick, bool keepResponsive) override {
        ToolCall call{program, arguments, {}, keepResponsive};
        if (!arguments.empty() && arguments.back().rfind("@", 0) == 0)
            call.listText = readFile(arguments.back().substr(1));
        calls.push_back(call);
        Action action = actions.empty() ? Action() : std::move(actions.front());
        if (!actions.empty()) actions.pop_front();
        for (int i = 0; i < ticksPerRun; ++i) {
            if (onTick) onTick(i);
            tick();
        }
        return action ? action(call) : ProcessResult{true, 0, {}};
    }

    static std::string readFile(const std::string& path) { return TempDir::readFile(path); }
    static void writeFile(const std::string& path, const std::string& content) { TempDir::writeFile(path, content); }
};

} // namespace lt::test
