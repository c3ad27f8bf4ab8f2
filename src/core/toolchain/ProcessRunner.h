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
    // The program did not end by itself: it crashed, or it was ended through stop().
    bool crashed = false;
    bool stopped = false;
    // True when the program ran and ended by itself with exit code 0.
    bool succeeded() const { return started && !crashed && !stopped && exitCode == 0; }
};

class ProcessRunner {
public:
    virtual ~ProcessRunner() = default;
    // Starts program with the argument list (never through a shell) and waits for it in
    // 100 ms slices. After each slice in which the program has not ended, the runner lets
    // the window process its events (when keepResponsive is set) and calls tick.
    // A program that cannot be started ends the wait at once with started == false.
    // Without keepResponsive the windows only repaint; a program that then runs for a
    // while is shown as awaited, with a way for the person to end it.
    virtual ProcessResult run(const std::string& program, const std::vector<std::string>& arguments,
                              const std::function<void()>& tick, bool keepResponsive = true) = 0;
    // Ends the program run() waits for: asked to end at once, forced to a short while
    // later when it does not. For the events run() lets through; nothing when none runs.
    virtual void stop() {}
    // The program run() waits for; empty when none.
    virtual std::string running() const { return {}; }
};

// What a tool's end tells when it is not a success: ended on request, crashed, or a
// non-zero exit code. Empty for a success.
std::string ToolEndText(const std::string& program, const ProcessResult& result);

} // namespace lt
