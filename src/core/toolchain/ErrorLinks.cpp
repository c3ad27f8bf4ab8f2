#include "toolchain/ErrorLinks.h"

#include <cctype>

#include "common/NumberText.h"
#include "common/TextLines.h"

namespace lt {

namespace {

// The message number of a block's first line "SUB n(...)"; -1 for any other line.
int blockMessage(const std::string& line) {
    const std::string upper = ToUpper(Trim(line));
    if (!StartsWith(upper, "SUB ")) return -1;
    size_t i = 4;
    while (i < upper.size() && upper[i] == ' ') ++i;
    int n = 0;
    size_t digits = 0;
    for (; i < upper.size() && std::isdigit(static_cast<unsigned char>(upper[i])) && digits < 5; ++i, ++digits)
        n = n * 10 + (upper[i] - '0');
    return digits == 0 ? -1 : n;
}

// The script line an error line names: "<name> <digits>:" at its start; 0 when it names none.
int namedLine(const std::string& errorLine, const std::string& upperName) {
    const std::string upper = ToUpper(errorLine);
    size_t nameEnd = upper.find(' ');
    if (nameEnd == std::string::npos) return 0;
    const std::string file = upper.substr(0, nameEnd);
    const size_t slash = file.find_last_of("/\\");
    if ((slash == std::string::npos ? file : file.substr(slash + 1)) != upperName) return 0;
    int n = 0;
    size_t i = nameEnd + 1;
    for (; i < upper.size() && std::isdigit(static_cast<unsigned char>(upper[i])) && n < 10000000; ++i)
        n = n * 10 + (upper[i] - '0');
    return i < upper.size() && upper[i] == ':' ? n : 0;
}

} // namespace

std::vector<ErrorLink> CompileErrorLinks(const std::string& errorText, const std::string& scriptName,
                                         const std::string& scriptText) {
    std::vector<ErrorLink> links;
    const std::vector<std::string> script = SplitLines(scriptText);
    const std::vector<std::string> errors = SplitLines(errorText);
    const std::string upperName = ToUpper(scriptName);
    for (size_t e = 0; e < errors.size(); ++e) {
        const int line = namedLine(errors[e], upperName);
        if (line < 1 || line > static_cast<int>(script.size())) continue;
        // Back from the line to its block's first line; an END SUB on the way means the
        // line lies between blocks.
        for (int i = line; i >= 1; --i) {
            const std::string& text = script[static_cast<size_t>(i - 1)];
            if (i < line && StartsWith(ToUpper(Trim(text)), "END SUB")) break;
            const int message = blockMessage(text);
            if (message < 0) continue;
            if (message <= 1023) links.push_back({static_cast<int>(e), message, line - i + 1});
            break;
        }
    }
    return links;
}

} // namespace lt
