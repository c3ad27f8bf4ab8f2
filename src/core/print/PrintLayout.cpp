#include "print/PrintLayout.h"

#include "common/NumberText.h"
#include "common/TextLines.h"
#include "storage/ScriptFile.h"

namespace lt {

namespace {

PrintLine Plain(std::string text, int points = kBodyPoints) {
    PrintLine line;
    line.points = points;
    line.spans.push_back({std::move(text), false});
    return line;
}

} // namespace

std::string PrintLine::plain() const {
    std::string r;
    for (const PrintSpan& s : spans) r += s.text;
    return r;
}

std::string CentredText(const std::string& text, bool bold, int points, const PrintMetrics& metrics) {
    const double blank = metrics.width ? metrics.width(" ", bold, points) : 0;
    if (blank <= 0) return text;
    const double free = metrics.pageWidth - metrics.width(text, bold, points);
    const int count = free > 0 ? static_cast<int>(free / 2 / blank) : 0;
    return std::string(static_cast<size_t>(count), ' ') + text;
}

std::vector<PrintLine> HeadingLines(const std::string& unitType, const std::string& filePath,
                                    const PrintMetrics& metrics) {
    const std::string title = "Brelmo Industries " + unitType + " Message Script Printout";
    const std::string file = "Filename: " + (filePath.empty() ? std::string("New") : filePath);
    PrintLine t;
    t.points = kTitlePoints;
    t.spans.push_back({CentredText(title, true, kTitlePoints, metrics), true});
    return {t, Plain(CentredText(file, false, kTitlePoints, metrics), kTitlePoints)};
}

std::vector<PrintLine> ScriptHeaderLines(const std::string& unitType, const std::string& firmwareVersion) {
    std::vector<PrintLine> r;
    std::vector<std::string> lines = SplitLines(ScriptHeader(unitType, firmwareVersion));
    for (size_t i = 0; i < lines.size() && i < 3; ++i) r.push_back(Plain("    " + lines[i]));
    return r;
}

std::string PrintedText(const std::string& statement) {
    std::string s = TrimRight(statement);
    const size_t first = s.find('"');
    if (first == std::string::npos) return std::string();
    // The closing quote is the first one not escaped by a backslash.
    std::string text;
    for (size_t i = first + 1; i < s.size(); ++i) {
        char c = s[i];
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '"' || s[i + 1] == '\\')) {
            text += s[++i];
            continue;
        }
        if (c == '"') return text;
        text += c;
    }
    // No closing quote: everything after the opening one, without a trailing ";".
    if (!text.empty() && text.back() == ';') text.pop_back();
    return text;
}

std::vector<PrintLine> BlockPrintLines(const std::string& block, PrintMode mode, int message) {
    std::vector<PrintLine> r;
    for (const std::string& line : SplitLines(block)) {
        const bool header = StartsWith(line, "SUB");
        if (mode == PrintMode::CompleteScript) {
            if (header) {
                const size_t paren = line.find('(');
                PrintLine p;
                p.spans.push_back({line.substr(0, paren), true});
                if (paren != std::string::npos) p.spans.push_back({line.substr(paren), false});
                r.push_back(std::move(p));
            } else {
                r.push_back(Plain(line));
            }
            continue;
        }
        if (header) {
            PrintLine p;
            p.spans.push_back({"Message=" + Str(message) + "    ", true});
            const size_t task = line.find("(TASK=");
            if (task != std::string::npos) p.spans.push_back({line.substr(task + 6), false});
            r.push_back(std::move(p));
        } else if (StartsWith(line, "LINE")) {
            r.push_back(Plain(line));
        } else if (StartsWith(line, "    PRINT")) {
            std::string text = PrintedText(line);
            if (!text.empty()) r.push_back(Plain("    " + text));
        }
    }
    return r;
}

namespace {

// The longest prefix of text[from..] (at least one character) whose width fits in room.
size_t fittingLength(const std::string& text, size_t from, bool bold, int points, double room,
                     const PrintMetrics& metrics) {
    size_t low = 0, high = text.size() - from;
    while (low < high) {
        const size_t mid = (low + high + 1) / 2;
        if (metrics.width(text.substr(from, mid), bold, points) <= room) low = mid;
        else high = mid - 1;
    }
    return low;
}

} // namespace

bool FitsOnPage(const PrintLine& line, const PrintMetrics& metrics) {
    if (!metrics.width || metrics.pageWidth <= 0) return true;
    double total = 0;
    for (const PrintSpan& span : line.spans) total += metrics.width(span.text, span.bold, line.points);
    return total <= metrics.pageWidth;
}

std::vector<PrintLine> WrapLine(const PrintLine& line, const PrintMetrics& metrics) {
    if (FitsOnPage(line, metrics)) return {line};

    const std::string first = line.plain();
    size_t leading = first.find_first_not_of(' ');
    if (leading == std::string::npos || leading > 40) leading = 0;
    const std::string indent(leading + 4, ' ');
    const double indentWidth = metrics.width(indent, false, line.points);

    std::vector<PrintLine> out;
    PrintLine current;
    current.points = line.points;
    double used = 0;
    bool hasText = false; // the current printed line holds more than its indent
    auto next = [&] {
        out.push_back(std::move(current));
        current = PrintLine{};
        current.points = line.points;
        current.spans.push_back({indent, false});
        used = indentWidth;
        hasText = false;
    };
    for (const PrintSpan& span : line.spans) {
        size_t pos = 0;
        while (pos < span.text.size()) {
            size_t fit = fittingLength(span.text, pos, span.bold, line.points, metrics.pageWidth - used, metrics);
            if (fit == 0) {
                if (hasText) {
                    next();
                    continue;
                }
                fit = 1; // a page narrower than one character still gets every character
            }
            const bool rest = pos + fit < span.text.size();
            if (rest) {
                const size_t blank = span.text.rfind(' ', pos + fit - 1);
                if (blank != std::string::npos && blank > pos && span.text.find_first_not_of(' ', pos) < blank)
                    fit = blank - pos + 1;
            }
            const std::string piece = span.text.substr(pos, fit);
            current.spans.push_back({piece, span.bold});
            used += metrics.width(piece, span.bold, line.points);
            hasText = true;
            pos += fit;
            if (rest) next();
        }
    }
    out.push_back(std::move(current));
    return out;
}

bool PageCursor::place(double height) {
    bool newPage = next_ > 0 && next_ + height > pageHeight_;
    if (newPage) next_ = 0;
    top_ = next_;
    next_ += height;
    return newPage;
}

std::vector<PrintPage> Paginate(const std::vector<PrintLine>& lines, const PrintMetrics& metrics) {
    std::vector<PrintPage> pages(1);
    PageCursor cursor(metrics.pageHeight);
    for (const PrintLine& whole : lines) {
        for (PrintLine& line : WrapLine(whole, metrics)) {
            if (cursor.place(metrics.lineHeight(line.points))) pages.emplace_back();
            pages.back().push_back(std::move(line));
        }
    }
    return pages;
}

} // namespace lt
