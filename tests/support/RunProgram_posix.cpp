#include "RunProgram.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lt::test {

int RunProgram(const ProgramCall& call) {
    std::vector<std::string> args = {call.program};
    args.insert(args.end(), call.arguments.begin(), call.arguments.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        auto redirect = [](const std::string& file, int fd) {
            if (file.empty()) return true;
            int f = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            return f >= 0 && ::dup2(f, fd) >= 0 && ::close(f) == 0;
        };
        if ((!call.workingDirectory.empty() && ::chdir(call.workingDirectory.c_str()) != 0) ||
            !redirect(call.outputFile, 1) || !redirect(call.errorFile, 2))
            ::_exit(127);
        ::execv(call.program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

} // namespace lt::test
