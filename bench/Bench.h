// Small timing helpers for ./dev bench. Every figure is a ratio against a floor measured
// in the same run, because these machines are shared and noisy.
#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <unistd.h>

#include "ui_port.h"

namespace lt::bench {

// Best of `rounds` timings of fn, in seconds; each timing runs fn `repeat` times.
inline double bestSeconds(const std::function<void()>& fn, int rounds = 7, int repeat = 1) {
    double best = 1e30;
    for (int r = 0; r < rounds; ++r) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < repeat; ++i) fn();
        double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / repeat;
        if (s < best) best = s;
    }
    return best;
}

// A person who answers every box with its default and ignores the status bar.
class QuietPort : public UserPort {
public:
    Answer messageBox(const MessageBox& b) override { return b.defaultAnswer; }
    std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> chooseOpenFile(const FileDialog&) override { return {}; }
    std::optional<std::string> chooseSaveFile(const FileDialog&) override { return {}; }
    void setStatus(const std::string&) override {}
    void setBusy(bool) override {}
    void endProgram() override {}
};

// The directory of the bench program, where the build puts the tools too.
inline std::string ProgramDirectory() {
    char self[4096] = {};
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return "./";
    const std::string path(self, static_cast<size_t>(n));
    return path.substr(0, path.rfind('/') + 1);
}

struct Results {
    int failed = 0;
    void report(const std::string& name, double ratio, double limit, const std::string& note = "") {
        bool pass = ratio <= limit;
        if (!pass) ++failed;
        std::printf("bench %s: %.3f (target <= %.2f) %s%s%s\n", name.c_str(), ratio, limit, pass ? "PASS" : "FAIL",
                    note.empty() ? "" : "  ", note.c_str());
        std::fflush(stdout);
    }
};

} // namespace lt::bench
