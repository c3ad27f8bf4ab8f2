// lexmill.exe @<argument list>: compiles a Lumatext 7700 script file.
#include <cstdio>

#include "common/ArgList.h"
#include "lexmill/Lexmill.h"

int main(int argc, char* argv[]) {
    const std::string list = lt::tools::listPathFromCommandLine(argc, argv);
    if (list.empty()) {
        std::fprintf(stderr, "lexmill.exe %s - Lumatext 7700 script compiler\n"
                             "usage: lexmill.exe @<argument list file>\n"
                             "list entries: source [output base] [/error base] [/include dir] [/log base]\n",
                     lt::lexmill::kLexmillVersion);
        return lt::lexmill::kExitBadCall;
    }
    return lt::lexmill::runLexmill(list);
}
