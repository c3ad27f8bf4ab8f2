// Runs the external tools with QProcess: started with an argument list (no shell) and
// polled every 100 ms while the windows keep processing their events.
#pragma once

#include "toolchain/ProcessRunner.h"

namespace lt {

class QtProcessRunner : public ProcessRunner {
public:
    ProcessResult run(const std::string& program, const std::vector<std::string>& arguments,
                      const std::function<void()>& tick, bool keepResponsive = true) override;
};

} // namespace lt
