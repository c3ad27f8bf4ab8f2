// Helpers of the end-to-end tests: the emulator as a child process and 7700.exe run the
// way the editor runs it.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

#include "../ToolRun.h"

namespace lt::test {

// Starts a program with its output going to `out` and its diagnostics discarded; 0 when
// it could not be started.
inline pid_t spawnProgram(std::vector<std::string> args, const std::string& out = "/dev/null") {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = 0;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// The emulator as a child process; stopped when the test ends.
class Emulator {
public:
    Emulator(const TempDir& dir, std::vector<std::string> options) : dir_(dir) {
        std::vector<std::string> args = {binDir() + "unit7700", "--device-file", dir.file("device"), "--display-file",
                                         dir.file("display"), "--serial-log", dir.file("serial")};
        args.insert(args.end(), options.begin(), options.end());
        pid_ = spawnProgram(args);
        for (int i = 0; i < 500 && pid_ > 0 && !dir.has("device"); ++i) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) { // it refused to start
                pid_ = 0;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        device_ = dir.read("device");
        if (!device_.empty()) device_.pop_back(); // line end
    }
    ~Emulator() { stop(SIGTERM); }
    void stop(int signal) {
        if (pid_ <= 0) return;
        ::kill(pid_, signal);
        ::waitpid(pid_, nullptr, 0);
        pid_ = 0;
    }
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

inline pid_t startUnitTool(const TempDir& dir, const std::string& mode, const std::vector<std::string>& entries,
                    const std::string& list = "u.lst") {
    dir.write(list, listText(entries));
    std::vector<std::string> args = {binDir() + "7700.exe"};
    if (!mode.empty()) args.push_back(mode);
    args.push_back("@" + dir.file(list));
    return spawnProgram(args);
}

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

// Runs 7700.exe the way the editor does: the leading entries, then the unit switch block.
inline int unitTool(const TempDir& dir, const std::string& mode, std::vector<std::string> entries,
             const std::string& address = "0", const std::string& model = "80") {
    for (const std::string& e : {std::string("/a"), address, std::string("/b"), std::string("38400"),
                                 std::string("/c"), std::string("3"), std::string("/m"), model,
                                 std::string("/log"), dir.file("u")})
        entries.push_back(e);
    return finish(startUnitTool(dir, mode, entries));
}

class UnitE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("LUMATEXT7700_TIMEOUT_MS", "100", 1);
        ::setenv("LUMATEXT7700_ATTEMPTS", "4", 1);
    }
    void point(const Emulator& unit) { ::setenv("LUMATEXT7700_COM3", unit.device().c_str(), 1); }
    std::string log() const { return dir.read("u.log"); }
    // Compiles a script with the real compiler and assembler into <dir>/msg.bin.
    void compile(const std::string& body) {
        dir.write("msg.src", "#define Display_type (7780)\r\n#include \"CTRLCODE.H\"\r\n#pragma version 2\r\n\r\n" + body);
        const std::string base = dir.file("msg");
        ASSERT_EQ(runTool(dir, "lexmill.exe", "c.lst",
                          {dir.file("msg.src"), base, "/error", base, "/include", binDir(), "/log", base}), 0);
        ASSERT_EQ(runTool(dir, "binmill.exe", "c.lst", {base, base, "/error", base, "/log", base}), 0);
        ASSERT_FALSE(dir.has("msg.err"));
    }
    TempDir dir;
};

} // namespace lt::test
