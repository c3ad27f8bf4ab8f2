// lumatext: the Quick Edit core on the command line, for keeping the script files of many
// units in version control.
#include <iostream>
#include <string>
#include <vector>

#include "Commands.h"
#include "platform/CommandLine.h"
#include "storage/NativeFileSystem.h"

int main(int argc, char* argv[]) {
    lt::platform::UseUtf8StandardStreams();
    lt::NativeFileSystem fs;
    return lt::RunLumatext(lt::platform::Utf8Arguments(argc, argv), fs, std::cout, std::cerr);
}
