// POSIX systems pass the arguments as bytes; file names are UTF-8 already.
#include "platform/CommandLine.h"

namespace lt::platform {

std::vector<std::string> Utf8Arguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void UseUtf8StandardStreams() {}

} // namespace lt::platform
