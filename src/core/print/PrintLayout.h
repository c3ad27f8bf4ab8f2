// The printout as data: lines made of normal and bold spans, the centred title lines,
// the lines of a message block in either print mode, and page breaks by line height.
// The printer side supplies the measurements; nothing here draws.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lt {

enum class PrintMode { TextOnly = 1, CompleteScript = 2 };

struct PrintSpan {
    std::string text;
    bool bold = false;
};

struct PrintLine {
    std::vector<PrintSpan> spans;
    int points = 10;
    // The line's text without its styles.
    std::string plain() const;
};

// Text measurements of the output device, in its own units.
struct PrintMetrics {
    std::function<double(const std::string& text, bool bold, int points)> width;
    std::function<double(int points)> lineHeight;
    double pageWidth = 0;
    double pageHeight = 0;
};

inline constexpr int kTitlePoints = 12;
inline constexpr int kBodyPoints = 10;

// Leading blanks that centre text on the page: the free width divided by one blank's width.
std::string CentredText(const std::string& text, bool bold, int points, const PrintMetrics& metrics);

// The title ("Brelmo Industries <type> Message Script Printout", bold) and the file line
// ("Filename: " and the path, or "New"), both centred, 12 points.
std::vector<PrintLine> HeadingLines(const std::string& unitType, const std::string& filePath,
                                    const PrintMetrics& metrics);

// The three header lines of the script file, each indented by four blanks.
std::vector<PrintLine> ScriptHeaderLines(const std::string& unitType, const std::string& firmwareVersion);

// The printed lines of one message block. Complete script: every line verbatim, the
// "SUB" line's text before the first "(" in bold. Text only: "Message= n    " in bold
// with the rest of the header after "(TASK=", then only the line labels and the texts
// of the display statements.
std::vector<PrintLine> BlockPrintLines(const std::string& block, PrintMode mode, int message);

// The text between the quotes of a "PRINT" statement with its escapes undone; empty when
// the statement prints no quoted text.
std::string PrintedText(const std::string& statement);

// A line wider than the page as lines that fit, so that every character is printed:
// broken after the last blank that fits (inside a word only when it has none), each
// continuation indented four blanks beyond the line's own indent. Spans keep their
// weight. A line that fits comes back as it is.
std::vector<PrintLine> WrapLine(const PrintLine& line, const PrintMetrics& metrics);
// True when the line is no wider than the page (or nothing can be measured).
bool FitsOnPage(const PrintLine& line, const PrintMetrics& metrics);

// Keeps the vertical position on the page: a line that would pass the printable height
// starts a new page.
class PageCursor {
public:
    explicit PageCursor(double pageHeight) : pageHeight_(pageHeight) {}
    // True when a new page has to be started before a line of this height. Afterwards
    // top() is where the line goes.
    bool place(double height);
    double top() const { return top_; }

private:
    double pageHeight_;
    double top_ = 0;
    double next_ = 0;
};

using PrintPage = std::vector<PrintLine>;
std::vector<PrintPage> Paginate(const std::vector<PrintLine>& lines, const PrintMetrics& metrics);

} // namespace lt
