// Starting an external program and waiting for it. The core only knows this interface;
// the editor implements it with QProcess and tests with a scripted runner.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lt {

struct ProcessResult {
    bool started = false;
    int exitCode = 0;
    // Why the program could not be started or did not end normally; empty otherwise.
    std::string errorText;
};

class ProcessRunner {
public:
    virtual ~ProcessRunner() = default;
    // Starts program with the argument list (never through a shell) and waits for it in
    // 100 ms slices. After each slice in which the program has not ended, the runner lets
    // the window process its events (when keepResponsive is set) and calls tick.
    // A program that cannot be started ends the wait at once with started == false.
    virtual ProcessResult run(const std::string& program, const std::vector<std::string>& arguments,
                              const std::function<void()>& tick, bool keepResponsive = true) = 0;
};

} // namespace lt
