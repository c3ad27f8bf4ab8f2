// Runs the external tools with QProcess: started with an argument list (no shell) and
// polled every 100 ms while the windows keep processing their events.
#pragma once

#include <QElapsedTimer>

#include "toolchain/ProcessRunner.h"

class QProcess;

namespace lt {

class QtProcessRunner : public ProcessRunner {
public:
    ProcessResult run(const std::string& program, const std::vector<std::string>& arguments,
                      const std::function<void()>& tick, bool keepResponsive = true) override;
    void stop() override;
    std::string running() const override { return program_; }

    // How long a program runs before a window that takes no input shows that it waits
    // (with "&End Program"), and how long a program asked to end gets before it is forced.
    void setGraces(int waitMs, int killMs) {
        waitGraceMs_ = waitMs;
        killGraceMs_ = killMs;
    }

private:
    QProcess* process_ = nullptr;
    std::string program_;
    bool stopRequested_ = false;
    QElapsedTimer stopClock_;
    int waitGraceMs_ = 1500;
    int killGraceMs_ = 3000;
};

} // namespace lt
