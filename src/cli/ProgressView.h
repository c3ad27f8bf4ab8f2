// What `lumatext program` shows while it runs: on a terminal one progress bar per unit,
// redrawn in place; elsewhere (a log, a pipe) plain lines when a unit starts a step,
// passes a quarter of its programming or ends. Then the summary table.
#pragma once

#include <chrono>
#include <ostream>
#include <string>
#include <vector>

#include "FleetRun.h"

namespace lt {

class ProgressView {
public:
    ProgressView(std::ostream& out, bool terminal, int columns);
    void show(const std::vector<UnitReport>& reports);

private:
    std::string bar(const UnitReport& r, size_t labelWidth) const;
    void plainLines(const std::vector<UnitReport>& reports);

    std::ostream& out_;
    bool terminal_;
    int columns_;
    size_t drawn_ = 0;  // bar lines on the screen
    std::string shown_; // what they show
    std::chrono::steady_clock::time_point lastDraw_{};
    std::vector<std::string> lastState_; // per unit, the plain line last written
};

// The table after the run: unit, result, bytes sent, seconds, log file.
std::string SummaryTable(const std::vector<UnitReport>& reports);

} // namespace lt
