// binmill.exe @<argument list>: assembles an escape file into a 7700 flash image.
#include <cstdio>

#include "binmill/Binmill.h"
#include "common/ArgList.h"

int main(int argc, char* argv[]) {
    const std::string list = lt::tools::listPathFromCommandLine(argc, argv);
    if (list.empty()) {
        std::fprintf(stderr, "binmill.exe %s - Lumatext 7700 flash assembler\n"
                             "usage: binmill.exe @<argument list file>\n"
                             "list entries: input base [output base] [/error base] [/log base]\n",
                     lt::binmill::kBinmillVersion);
        return lt::binmill::kExitBadCall;
    }
    return lt::binmill::runBinmill(list);
}
