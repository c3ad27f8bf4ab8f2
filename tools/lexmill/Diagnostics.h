// Errors and warnings found while compiling, each tied to a file and a line of it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lt::lexmill {

// A piece of source text as an error line quotes it: whole when short, else its start
// followed by "..." and its length, so an oversized token cannot flood the error file.
std::string Excerpt(std::string_view text);
// The same in double quotes.
std::string Quoted(std::string_view text);

struct Diagnostic {
    std::string file; // the file-name part in upper case, as the error file shows it
    int line = 0;     // counted in that file from 1
    std::string message;
    bool warning = false;
};

class Diagnostics {
public:
    static constexpr int kMaxErrors = 200;
    // No message is longer than this; a longer one is cut and marked.
    static constexpr size_t kMaxMessage = 200;

    void error(const std::string& file, int line, std::string message);
    void warning(const std::string& file, int line, std::string message);

    int errorCount() const { return errors_; }
    int warningCount() const { return warnings_; }
    bool full() const { return errors_ > kMaxErrors; }
    const std::vector<Diagnostic>& all() const { return list_; }

    // The error file's text: "<FILE> <line>: <message>" per error, CR LF ended.
    std::string errorFileText() const;
    // Warnings as "warning: <FILE> <line>: <message>" lines, for the log.
    std::string warningText() const;

private:
    std::vector<Diagnostic> list_;
    int errors_ = 0;
    int warnings_ = 0;
};

} // namespace lt::lexmill
