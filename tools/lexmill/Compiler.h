// The compiler of the units' script language: a source text in, the compiled messages
// (ready for the escape file) and the errors and warnings found out.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/EscapeFile.h"
#include "lexmill/Diagnostics.h"

namespace lt::lexmill {

struct CompileOptions {
    // Where "#include" looks first; then beside the including file.
    std::string includeDir;
    // Reads a file (an included header); the default reads from disk. Tests and the fuzz
    // target hand in their own.
    std::function<bool(const std::string& path, std::string& content)> readFile;
    // Finds an included file by name in a directory, ignoring letter case; the default
    // looks on disk. Returns the path or empty.
    std::function<std::string(const std::string& dir, const std::string& name)> findFile;
};

struct CompileResult {
    tools::EscapeProgram program;
    Diagnostics diagnostics;
    bool displayStated = false; // the source said which display type it is for
    int sourceLines = 0;
    size_t codeBytes = 0;
};

// Compiles `source`, named `sourcePath` in messages (its file-name part in upper case).
// Never throws; every problem ends up in the diagnostics.
CompileResult compileSource(std::string_view source, const std::string& sourcePath, const CompileOptions& options);

} // namespace lt::lexmill
