// lumatext: the Quick Edit core on the command line, for keeping the script files of many
// units in version control.
#include <iostream>
#include <string>
#include <vector>

#include "Commands.h"
#include "storage/FileSystem.h"

int main(int argc, char* argv[]) {
    std::vector<std::string> args(argv + 1, argv + argc);
    lt::PosixFileSystem fs;
    return lt::RunLumatext(args, fs, std::cout, std::cerr);
}
