#include "lexmill/Diagnostics.h"

#include <algorithm>

namespace lt::lexmill {

namespace {

constexpr size_t kExcerpt = 32;

std::string formatted(const Diagnostic& d) {
    return d.file + " " + std::to_string(d.line) + ": " + d.message + "\r\n";
}

void limit(std::string& message) {
    if (message.size() <= Diagnostics::kMaxMessage) return;
    message.resize(Diagnostics::kMaxMessage - 3);
    message += "...";
}

} // namespace

std::string Excerpt(std::string_view text) {
    if (text.size() <= kExcerpt + 8) return std::string(text);
    return std::string(text.substr(0, kExcerpt)) + "... (" + std::to_string(text.size()) + " characters)";
}

std::string Quoted(std::string_view text) {
    if (text.size() <= kExcerpt + 8) return "\"" + std::string(text) + "\"";
    return "\"" + std::string(text.substr(0, kExcerpt)) + "...\" (" + std::to_string(text.size()) + " characters)";
}

void Diagnostics::error(const std::string& file, int line, std::string message) {
    if (errors_ > kMaxErrors) return;
    limit(message);
    ++errors_;
    if (errors_ > kMaxErrors) message = "too many errors, compilation stopped";
    list_.push_back({file, line, std::move(message), false});
}

void Diagnostics::warning(const std::string& file, int line, std::string message) {
    limit(message);
    // All are counted; the log lists the first ones.
    if (++warnings_ <= kMaxErrors) list_.push_back({file, line, std::move(message), true});
}

std::string Diagnostics::errorFileText() const {
    // In line order within each file (files in the order they were first met), so that
    // stepping through the errors walks down the script.
    std::vector<std::string> files;
    std::vector<std::pair<std::pair<size_t, int>, const Diagnostic*>> order;
    for (const Diagnostic& d : list_) {
        if (d.warning) continue;
        size_t f = 0;
        while (f < files.size() && files[f] != d.file) ++f;
        if (f == files.size()) files.push_back(d.file);
        order.push_back({{f, d.line}, &d});
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string text;
    for (const auto& entry : order) text += formatted(*entry.second);
    return text;
}

std::string Diagnostics::warningText() const {
    std::string text;
    for (const Diagnostic& d : list_)
        if (d.warning) text += "warning: " + formatted(d);
    return text;
}

} // namespace lt::lexmill
