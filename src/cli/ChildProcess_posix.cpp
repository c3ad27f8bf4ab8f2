// ChildProcess on POSIX systems: posix_spawn, a pipe for the output, waitpid and poll.
#include "ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace lt {

struct ChildProcess::Impl {
    pid_t pid = 0;
    int output = -1; // read end of the child's standard output
    bool ended = false;
    int status = -1;
};

ChildProcess::ChildProcess(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

ChildProcess::~ChildProcess() {
    if (!impl_->ended) {
        ::kill(impl_->pid, SIGKILL);
        ::waitpid(impl_->pid, nullptr, 0);
    }
    if (impl_->output >= 0) ::close(impl_->output);
}

std::unique_ptr<ChildProcess> ChildProcess::start(const std::string& program, const std::vector<std::string>& arguments,
                                                  const std::vector<std::string>& environment, std::string& error) {
    std::vector<std::string> args = {program};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    // This program's environment, with the given entries added or replacing their names.
    std::vector<std::string> env = environment;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('=') + 1);
        if (std::none_of(environment.begin(), environment.end(), [&](const std::string& own) {
                return own.compare(0, name.size(), name) == 0;
            }))
            env.push_back(entry);
    }
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);

    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        error = std::string("no pipe: ") + std::strerror(errno);
        return nullptr;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    auto impl = std::make_unique<Impl>();
    const int failed = ::posix_spawn(&impl->pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (failed != 0) {
        ::close(pipeEnds[0]);
        error = std::strerror(failed);
        return nullptr;
    }
    ::fcntl(pipeEnds[0], F_SETFL, ::fcntl(pipeEnds[0], F_GETFL) | O_NONBLOCK);
    impl->output = pipeEnds[0];
    return std::unique_ptr<ChildProcess>(new ChildProcess(std::move(impl)));
}

void ChildProcess::readOutput(std::string& out) {
    char buffer[4096];
    while (impl_->output >= 0) {
        ssize_t n = ::read(impl_->output, buffer, sizeof buffer);
        if (n > 0) {
            out.append(buffer, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
        ::close(impl_->output); // the child closed its output: it is ending
        impl_->output = -1;
    }
}

bool ChildProcess::finished() {
    if (impl_->ended) return true;
    int status = 0;
    if (::waitpid(impl_->pid, &status, WNOHANG) != impl_->pid) return false;
    impl_->ended = true;
    impl_->status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return true;
}

int ChildProcess::exitCode() const { return impl_->status; }

void ChildProcess::kill() {
    if (!impl_->ended) ::kill(impl_->pid, SIGKILL);
}

void ChildProcess::waitAny(const std::vector<ChildProcess*>& children, int timeoutMs) {
    std::vector<pollfd> fds;
    for (ChildProcess* child : children)
        if (child->impl_->output >= 0) fds.push_back({child->impl_->output, POLLIN, 0});
    // A child whose output is closed tells of its end by no descriptor: look again soon.
    const bool outputClosed = fds.size() < children.size();
    ::poll(fds.data(), fds.size(), outputClosed ? std::min(timeoutMs, 10) : timeoutMs);
}

std::string ProgramDirectory() {
    char self[4096] = {};
    ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return "./";
    std::string path(self, static_cast<size_t>(n));
    return path.substr(0, path.rfind('/') + 1);
}

} // namespace lt
