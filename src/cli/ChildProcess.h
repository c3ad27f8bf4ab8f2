// A program run by lumatext: started with an argument list (never through a shell), its
// standard output read back through a pipe, its diagnostics discarded, its input empty.
// The implementation is the platform's (ChildProcess_posix.cpp).
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace lt {

class ChildProcess {
public:
    ~ChildProcess(); // a child still running is killed and reaped
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts the program; `environment` adds NAME=VALUE entries to this program's own.
    // Null with `error` set when it cannot be started.
    static std::unique_ptr<ChildProcess> start(const std::string& program, const std::vector<std::string>& arguments,
                                               const std::vector<std::string>& environment, std::string& error);

    // Appends what the child wrote since the last call, without waiting.
    void readOutput(std::string& out);
    // True once the child has ended (its output may still hold unread bytes).
    bool finished();
    // Its exit status once finished; -1 when it ended by a signal.
    int exitCode() const;
    void kill();

    // Waits at most timeoutMs until one of the children writes or ends.
    static void waitAny(const std::vector<ChildProcess*>& children, int timeoutMs);

private:
    struct Impl;
    explicit ChildProcess(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

// The directory of the running program, with its final separator.
std::string ProgramDirectory();

} // namespace lt
