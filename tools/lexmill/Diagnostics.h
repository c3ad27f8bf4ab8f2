// Errors and warnings found while compiling, each tied to a file and a line of it.
#pragma once

#include <string>
#include <vector>

namespace lt::lexmill {

struct Diagnostic {
    std::string file; // the file-name part in upper case, as the error file shows it
    int line = 0;     // counted in that file from 1
    std::string message;
    bool warning = false;
};

class Diagnostics {
public:
    static constexpr int kMaxErrors = 200;

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
