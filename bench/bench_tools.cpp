// Tool figures: compiling and assembling a full 1024-message 7780 script file against the
// editor's own scan of the same file.
#include <fstream>
#include <string>
#include <unistd.h>

#include "Benches.h"
#include "binmill/Assembler.h"
#include "common/EscapeFile.h"
#include "common/FlashImage.h"
#include "common/ToolFiles.h"
#include "lexmill/Compiler.h"
#include "storage/Crc.h"
#include "storage/FileSystem.h"
#include "storage/ScriptFile.h"
#include "storage/WorkStore.h"

namespace {

std::string padded(const std::string& statement, const std::string& comment) {
    return statement + std::string(statement.size() < 45 ? 45 - statement.size() : 0, ' ') + comment + "\r\n";
}

// A four-line block as Quick Edit writes it: clear screen, centred and plain lines, a
// variable field and blinking text.
std::string generatedBlock(int n) {
    const std::string num = std::to_string(n);
    std::string body = "\r\n// Caution! Manually editing will prevent Quick Edit from loading this message.\r\n\r\n";
    body += padded("    CLS", "// Clear entire screen upon starting this message");
    body += "LINE1:\r\n    CALL CURSOR(1,1)\r\n// Center line\r\n    PRINT\"     \";\r\n    PRINT\"MESSAGE " + num +
            "\";\r\n" + padded("    CALL ERASE_TO_EOL(CURRENT,CURRENT)", "// Erase to the end of the line");
    body += "LINE2:\r\n    CALL CURSOR(2,1)\r\n    PRINT\"TEMPERATURE \";\r\n    PRINT VAR(3, 4);\r\n" +
            padded("    CALL ERASE_TO_EOL(CURRENT,CURRENT)", "// Erase to the end of the line");
    body += "LINE3:\r\n    CALL CURSOR(3,1)\r\n    PRINT\"STATUS \";\r\n    CALL BLINK(25,ON)\r\n    PRINT\"ALARM\";\r\n"
            "    CALL BLINK(-1)\r\n" + padded("    CALL ERASE_TO_EOL(CURRENT,CURRENT)", "// Erase to the end of the line");
    body += "LINE4:\r\n    CALL CURSOR(4,1)\r\n    PRINT\"LINE FOUR HAS 20 CH.\";\r\n";
    return "SUB " + num + "(TASK=" + std::to_string(n % 4) + ")    // CRC value =" + std::to_string(lt::CalcCrc(body)) +
           "\r\n" + body + "END SUB\r\n";
}

} // namespace

namespace lt::bench {

void ToolBenches(Results& results, const std::string& dir) {
    const std::string source = dir + "tools.src";
    {
        std::string text = ScriptHeader("7780", "2");
        for (int n = 0; n < tools::kMessageCount; ++n) text += generatedBlock(n) + "\r\n";
        std::ofstream(source, std::ios::binary) << text;
    }
    lexmill::CompileOptions options;
    options.includeDir = ProgramDirectory();
    int errors = 0;
    size_t needed = 0;
    // One compile run as the editor makes it: it deletes the escape file after every run,
    // so each round writes a new one rather than replacing the last.
    double compile = bestSeconds([&] {
        tools::removeFile(dir + "tools.esc");
        std::string text, escape;
        tools::readWholeFile(source, text);
        lexmill::CompileResult result = lexmill::compileSource(text, source, options);
        errors = result.diagnostics.errorCount();
        tools::writeFileAtomically(dir + "tools.esc", tools::writeEscapeFile(result.program));
        tools::readWholeFile(dir + "tools.esc", escape);
        binmill::AssembleResult image = binmill::assembleEscape(escape, "TOOLS.ESC");
        needed = image.codeBytes;
    }, 11);
    PosixFileSystem fs;
    lt::bench::QuietPort ui;
    double scan = bestSeconds([&] {
        Session s(fs, ui);
        s.msg.LineCount = 4;
        WorkStore(s).ClearIndex();
        s.index.CurrentFilePath = source;
        ScanScriptFile(s, source);
    }, 11);
    results.report("compile", compile / scan, 5.0,
                   "floor: the editor's scan of the file; " + std::to_string(errors) + " errors, " +
                       std::to_string(needed) + " code bytes (too many for the flash: " +
                       std::to_string(tools::kCodeAreaSize) + ")");
}

} // namespace lt::bench
