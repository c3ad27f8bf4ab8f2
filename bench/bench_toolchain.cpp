// Toolchain figures: reading a large tool log and reading a large compiler error file,
// each against the plain read of the same bytes.
#include <cstring>
#include <fstream>
#include <string>

#include "Benches.h"
#include "common/NumberText.h"
#include "storage/FileSystem.h"
#include "toolchain/SyntaxCheck.h"
#include "toolchain/ToolContract.h"

namespace lt::bench {

void ToolchainBenches(Results& results, const std::string& workDir) {
    PosixFileSystem fs;
    // A chatty 8 MB log with the odd control character.
    std::string log;
    while (log.size() < (8u << 20)) log += "Block 0123 written at 0x4F00\tOK\x07\r\n";
    const std::string logPath = workDir + "big.log";
    std::ofstream(logPath, std::ios::binary) << log;
    std::string text;
    double floor = bestSeconds([&] { ReadWholeFile(fs, logPath, text); });
    double timed = bestSeconds([&] { ReadToolLog(fs, logPath, text); });
    results.report("toolchain.log_read_vs_plain_read", timed / floor, 3.0);

    // An error file of 200,000 entries: split into lines, matched, numbers read.
    std::string errors;
    for (int i = 0; i < 200000; ++i)
        errors += "C:\\LUMA\\SUB.SRC " + std::to_string(i + 3) + ": unknown statement PRNT\r\n";
    size_t count = 0;
    floor = bestSeconds([&] {
        // Floor: one upper-casing pass and one pass finding every line end.
        std::string upper = ToUpper(errors);
        count = 0;
        for (const char* p = upper.data(); (p = static_cast<const char*>(
                                                std::memchr(p, '\n', upper.data() + upper.size() - p)));
             ++p)
            ++count;
    });
    size_t parsed = 0;
    timed = bestSeconds([&] { parsed = ParseErrorFile(errors).size(); }, 5);
    results.report("toolchain.error_file_parse_vs_scan", timed / floor, 12.0,
                   parsed == count ? "" : "entry count differs");
}

} // namespace lt::bench
