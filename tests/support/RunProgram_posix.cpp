#include "RunProgram.h"

#include "UnitProcesses.h"

namespace lt::test {

int RunProgram(const ProgramCall& call) {
    std::vector<std::string> args = {call.program};
    args.insert(args.end(), call.arguments.begin(), call.arguments.end());
    return finish(spawnProgram(args, call.outputFile, call.errorFile, call.workingDirectory));
}

} // namespace lt::test
