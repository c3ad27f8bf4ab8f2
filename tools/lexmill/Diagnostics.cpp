#include "lexmill/Diagnostics.h"

namespace lt::lexmill {

namespace {

std::string formatted(const Diagnostic& d) {
    return d.file + " " + std::to_string(d.line) + ": " + d.message + "\r\n";
}

} // namespace

void Diagnostics::error(const std::string& file, int line, std::string message) {
    if (errors_ > kMaxErrors) return;
    ++errors_;
    if (errors_ > kMaxErrors) message = "too many errors, compilation stopped";
    list_.push_back({file, line, std::move(message), false});
}

void Diagnostics::warning(const std::string& file, int line, std::string message) {
    ++warnings_;
    list_.push_back({file, line, std::move(message), true});
}

std::string Diagnostics::errorFileText() const {
    std::string text;
    for (const Diagnostic& d : list_)
        if (!d.warning) text += formatted(d);
    return text;
}

std::string Diagnostics::warningText() const {
    std::string text;
    for (const Diagnostic& d : list_)
        if (d.warning) text += "warning: " + formatted(d);
    return text;
}

} // namespace lt::lexmill
