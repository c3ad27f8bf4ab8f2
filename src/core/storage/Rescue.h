// The last resort of the Quick Edit conversion routines: an unexpected error offers to
// save every message into a rescue script file, then the program ends.
#pragma once

#include <functional>
#include <string>

#include "Session.h"

namespace lt {

struct RescueSteps {
    // Turns the Quick Edit record into BlockText before the save (Quick Edit only).
    std::function<void()> buildBlock;
    // Reads BlockText back into the record after the save (Quick Edit only).
    std::function<void()> readBlock;
};

std::string RescueFilePath(const Session& s);

// Asks "Unexpected Error in module ..."; on Yes saves into the rescue file. Always asks
// the program to end. Returns true when the rescue file was written.
bool ReportUnexpectedError(Session& s, const std::string& module, const RescueSteps& steps = {});

} // namespace lt
