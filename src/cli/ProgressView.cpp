#include "ProgressView.h"

#include <algorithm>
#include <cstdio>

namespace lt {

namespace {

int percent(const UnitReport& r) {
    if (r.phase == UnitPhase::Done) return r.ok ? 100 : static_cast<int>(r.total ? r.done * 100 / r.total : 0);
    return r.total ? static_cast<int>(r.done * 100 / r.total) : 0;
}

std::string stepText(const UnitReport& r) {
    switch (r.phase) {
    case UnitPhase::Waiting: return "waiting for its line";
    case UnitPhase::Checking: return "checking type and firmware";
    case UnitPhase::Programming: return "programming";
    case UnitPhase::CallingUp: return "calling up";
    case UnitPhase::Done: return r.ok ? r.result : "FAILED: " + r.result;
    }
    return {};
}

std::string padded(std::string text, size_t width, bool right = false) {
    if (text.size() >= width) return text;
    return right ? std::string(width - text.size(), ' ') + text : text + std::string(width - text.size(), ' ');
}

} // namespace

ProgressView::ProgressView(std::ostream& out, bool terminal, int columns)
    : out_(out), terminal_(terminal), columns_(columns) {}

std::string ProgressView::bar(const UnitReport& r, size_t labelWidth) const {
    const int width = 20;
    const int filled = percent(r) * width / 100;
    std::string line = padded(r.unit.label, labelWidth) + " [" + std::string(static_cast<size_t>(filled), '#') +
                       std::string(static_cast<size_t>(width - filled), '-') + "] " +
                       padded(std::to_string(percent(r)) + "%", 4, true) + "  " + stepText(r);
    if (line.size() > static_cast<size_t>(columns_ - 1)) line.resize(static_cast<size_t>(columns_ - 1));
    return line;
}

void ProgressView::show(const std::vector<UnitReport>& reports) {
    if (!terminal_) {
        plainLines(reports);
        return;
    }
    const bool allDone = std::all_of(reports.begin(), reports.end(),
                                     [](const UnitReport& r) { return r.phase == UnitPhase::Done; });
    const auto now = std::chrono::steady_clock::now();
    if (!allDone && now - lastDraw_ < std::chrono::milliseconds(100)) return;
    lastDraw_ = now;
    size_t labelWidth = 0;
    for (const UnitReport& r : reports) labelWidth = std::max(labelWidth, r.unit.label.size());
    std::string bars;
    for (const UnitReport& r : reports) bars += "\x1b[2K" + bar(r, labelWidth) + "\n";
    if (bars == shown_) return;
    shown_ = bars;
    // Back to the first bar, then each bar over its old self.
    out_ << (drawn_ > 0 ? "\x1b[" + std::to_string(drawn_) + "F" : std::string()) << bars << std::flush;
    drawn_ = reports.size();
}

void ProgressView::plainLines(const std::vector<UnitReport>& reports) {
    lastState_.resize(reports.size());
    for (size_t i = 0; i < reports.size(); ++i) {
        const UnitReport& r = reports[i];
        if (r.phase == UnitPhase::Waiting) continue;
        std::string text = stepText(r);
        // A quarter of the way at a time, so a log stays readable.
        if (r.phase == UnitPhase::Programming && percent(r) >= 25) text += " " + std::to_string(percent(r) / 25 * 25) + "%";
        if (text == lastState_[i]) continue;
        lastState_[i] = text;
        out_ << r.unit.label << ": " << text << "\n" << std::flush;
    }
}

std::string SummaryTable(const std::vector<UnitReport>& reports) {
    std::vector<std::vector<std::string>> rows = {{"unit", "result", "bytes", "seconds", "log"}};
    for (const UnitReport& r : reports) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.1f", r.seconds);
        rows.push_back({r.unit.label, r.ok ? r.result : "FAILED: " + r.result,
                        r.bytesSent.empty() ? std::string("-") : r.bytesSent, seconds, r.logPath});
    }
    std::vector<size_t> width(5, 0);
    for (const auto& row : rows)
        for (size_t c = 0; c < row.size(); ++c) width[c] = std::max(width[c], row[c].size());
    std::string table;
    for (const auto& row : rows) {
        std::string line;
        for (size_t c = 0; c < row.size(); ++c) {
            const bool number = c == 2 || c == 3;
            line += (c == row.size() - 1 ? row[c] : padded(row[c], width[c], number)) + (c + 1 < row.size() ? "  " : "");
        }
        table += line + "\n";
    }
    return table;
}

} // namespace lt
