// 7700.exe [mode] @<argument list>: talks to a 7700 unit on a COM port or behind a serial
// device server (tcp://HOST:PORT).
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/ArgList.h"
#include "platform/CommandLine.h"
#include "unit/TcpLink.h"
#include "unit/UnitTool.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    std::string mode;
    std::string list;
    for (const std::string& arg : lt::platform::Utf8Arguments(argc, argv)) {
        if (!arg.empty() && arg[0] == '@') list = arg.substr(1);
        else if (mode.empty() && list.empty()) mode = arg;
    }
    if (list.empty()) {
        std::fputs("7700.exe - Lumatext 7700 unit communication\n"
                   "usage: 7700.exe [c|e|m|p|r|v] @<argument list file>\n"
                   "the list ends with: /a address /b baud /c COM port /m 40|80 /log base\n"
                   "COM n is the device named by $LUMATEXT7700_COM<n>, else the system's port n\n"
                   "(COMn on Windows, /dev/ttyS<n-1> elsewhere);\n"
                   "/c tcp://HOST:PORT (or $LUMATEXT7700_COM<n> set to it) is a serial device server\n",
                   stderr);
        return lt::unit::kExitBadCall;
    }
    auto env = [](const std::string& name) {
        const char* value = std::getenv(name.c_str());
        return std::string(value ? value : "");
    };
    auto echo = [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); };
    // For programs that show a progress bar: "progress DONE TOTAL" lines on standard output.
    lt::unit::ProgressReport progress;
    if (env("LUMATEXT7700_PROGRESS") == "1")
        progress = [](size_t done, size_t total) {
            std::printf("progress %zu %zu\n", done, total);
            std::fflush(stdout);
        };
    return lt::unit::runUnitTool(mode, list, &lt::unit::openLine, env, echo, progress);
}
