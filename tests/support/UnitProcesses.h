// Programs started by the tools' end-to-end tests and the benchmarks: no shell, output
// into a file, diagnostics discarded; and the unit emulator as such a child process.
#pragma once

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

#include "TempDir.h"

extern char** environ;

namespace lt::test {

// Starts a program with its output going to `out` and its diagnostics to `err` (empty:
// the test's own streams), in `directory` (empty: the test's own); 0 when it could not
// be started.
inline pid_t spawnProgram(std::vector<std::string> args, const std::string& out = "/dev/null",
                          const std::string& err = "/dev/null", const std::string& directory = "") {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    if (!out.empty()) posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!err.empty()) posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = 0;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// The exit code, -1 when the program did not start or did not exit normally.
inline int finish(pid_t pid) {
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// finish(), but a program still running after `seconds` is killed (-1).
inline int finishWithin(pid_t pid, int seconds) {
    for (int i = 0; i < seconds * 100 && pid > 0; ++i) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (pid > 0) ::kill(pid, SIGKILL);
    finish(pid);
    return -1;
}

// unit7700 as a child process with its files in `dir`; stopped when the object goes.
class UnitProcess {
public:
    UnitProcess(const std::string& program, const TempDir& dir, std::vector<std::string> options) : dir_(dir) {
        std::vector<std::string> args = {program, "--device-file", dir.file("device"), "--display-file",
                                         dir.file("display"), "--serial-log", dir.file("serial")};
        args.insert(args.end(), options.begin(), options.end());
        pid_ = spawnProgram(args);
        for (int i = 0; i < 500 && pid_ > 0 && !dir.has("device"); ++i) {
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_) pid_ = 0; // it refused to start
            else std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        device_ = dir.read("device");
        if (!device_.empty()) device_.pop_back(); // line end
    }
    ~UnitProcess() { stop(SIGTERM); }
    UnitProcess(const UnitProcess&) = delete;
    UnitProcess& operator=(const UnitProcess&) = delete;

    void stop(int signal) {
        if (pid_ <= 0) return;
        ::kill(pid_, signal);
        ::waitpid(pid_, nullptr, 0);
        pid_ = 0;
    }
    // The line's name: a device path or tcp://127.0.0.1:PORT; empty when it did not start.
    const std::string& device() const { return device_; }
    // Waits (at most 10 s, for a loaded machine) until the display file shows `rows` as
    // its first lines.
    std::string displayWhen(const std::string& rows) const {
        std::string text;
        for (int i = 0; i < 1000; ++i) {
            text = dir_.read("display");
            if (text.compare(0, rows.size(), rows) == 0) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return text;
    }

private:
    const TempDir& dir_;
    pid_t pid_ = 0;
    std::string device_;
};

} // namespace lt::test
