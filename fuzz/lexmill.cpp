// Arbitrary bytes as a script source: compiling never crashes or hangs, and whatever
// compiles clean makes an escape file that reads back and an image that opens.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/EscapeFile.h"
#include "common/FlashImage.h"
#include "lexmill/Compiler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string source(reinterpret_cast<const char*>(data), size);
    lt::lexmill::CompileOptions options;
    options.includeDir = "/mem";
    options.findFile = [](const std::string& dir, const std::string& name) {
        return dir == "/mem" && (name == "CTRLCODE.H" || name == "SELF.H") ? dir + "/" + name : std::string();
    };
    options.readFile = [](const std::string& path, std::string& content) {
        content = path == "/mem/SELF.H" ? "#include \"SELF.H\"\r\n"
                                        : "#define ON 1\r\n#define OFF 0\r\n#define CURRENT -1\r\n#define CR \"#M\"\r\n"
                                          "#define HOST 2\r\n";
        return true;
    };
    lt::lexmill::CompileResult result = lt::lexmill::compileSource(source, "/src/SUB.SRC", options);
    if (result.diagnostics.errorCount() != 0) return 0;
    const std::string escape = lt::tools::writeEscapeFile(result.program);
    lt::tools::EscapeProgram back;
    std::vector<lt::tools::EscapeProblem> problems;
    if (!lt::tools::readEscapeFile(escape, back, problems)) __builtin_trap();
    std::string image, problem;
    if (lt::tools::buildFlashImage(back, image, problem)) {
        lt::tools::FlashImage flash;
        if (!flash.open(image, problem)) __builtin_trap();
    }
    return 0;
}
