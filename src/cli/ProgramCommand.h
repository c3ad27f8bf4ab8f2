// lumatext program FILE.src --unit PORT[:ADDRESS] ... [--units FILE] [--baud N] [--call N]:
// compiles the script file once and programs every unit named (FleetRun).
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "Session.h"
#include "UnitList.h"

namespace lt {

struct ProgramRequest {
    std::string file;
    std::vector<UnitTarget> units;
    int baud = 19200;
    int callMessage = -1;
};

// The arguments after "program". False with `error` set when the file or every unit is
// missing, a value is wrong or a unit is named twice.
bool ParseProgramRequest(const std::vector<std::string>& args, FileSystem& fs, const EnvironmentLookup& env,
                         ProgramRequest& request, std::string& error);

// Compiles the scanned script file with lexmill.exe and binmill.exe (found beside this
// program) and programs the units. Exit status: 0 every unit programmed, 1 the file did
// not compile, 3 at least one unit failed.
int ProgramUnits(Session& s, const ProgramRequest& request, std::ostream& out, std::ostream& err);

} // namespace lt
