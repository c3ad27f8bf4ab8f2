#include "common/EscapeFile.h"

#include <cstring>


#include "common/ToolFiles.h"
#include "common/UnitCode.h"

namespace lt::tools {

namespace {

constexpr const char* kMagic = "LEXMILL ESCAPE FILE 1";
constexpr size_t kCodeBytesPerLine = 64;

// Splits a line at blanks and tabs; at most 8 words are kept (no valid line has more).
size_t words(std::string_view line, std::string_view (&out)[8]) {
    size_t count = 0, i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) {
            if (count == 8) return 9;
            out[count++] = line.substr(start, i - start);
        }
    }
    return count;
}

// A whole decimal number of at most 6 digits; false for anything else.
bool number(std::string_view text, int& value) {
    if (text.empty() || text.size() > 6) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

// Hex digit values by character; 0xFF marks a character that is no hex digit, so one
// OR over a pair of lookups tells whether both were digits.
struct HexTable {
    unsigned char of[256];
    HexTable() {
        for (unsigned char& v : of) v = 0xFF;
        for (int c = 0; c < 10; ++c) of['0' + c] = static_cast<unsigned char>(c);
        for (int c = 0; c < 6; ++c) of['A' + c] = of['a' + c] = static_cast<unsigned char>(10 + c);
    }
};
const HexTable kHex;

// Most lines of an escape file are CODE lines: "CODE " and one word of hex digits. They
// are recognised without splitting the line into words; anything else goes through words().
bool plainCodeLine(std::string_view line, std::string_view& hex) {
    if (line.size() < 6 || line.compare(0, 5, "CODE ") != 0) return false;
    std::string_view rest = line.substr(5);
    if (std::memchr(rest.data(), ' ', rest.size()) || std::memchr(rest.data(), '\t', rest.size())) return false;
    hex = rest;
    return true;
}

} // namespace

int rowsOf(int displayType) { return displayType == 7740 ? 2 : 4; }

std::string writeEscapeFile(const EscapeProgram& program) {
    static const char hex[] = "0123456789ABCDEF";
    size_t codeBytes = 0;
    for (const EscapeMessage& m : program.messages) codeBytes += m.code.size();
    std::string out;
    // Two hex digits a byte, plus each message's header and each CODE line's framing.
    out.reserve(64 + program.messages.size() * 40 + codeBytes * 2 + (codeBytes / kCodeBytesPerLine + program.messages.size()) * 7);
    out += kMagic;
    out += "\r\nDISPLAY " + std::to_string(program.displayType) + "\r\nVERSION " +
           std::to_string(program.version) + "\r\n";
    for (const EscapeMessage& m : program.messages) {
        out += "MESSAGE ";
        out += std::to_string(m.number);
        out += " TASK ";
        out += std::to_string(m.task);
        out += " SIZE ";
        out += std::to_string(m.code.size());
        out += "\r\n";
        for (size_t at = 0; at < m.code.size(); at += kCodeBytesPerLine) {
            char line[5 + 2 * kCodeBytesPerLine + 2] = {'C', 'O', 'D', 'E', ' '};
            size_t length = 5;
            for (size_t i = at; i < m.code.size() && i < at + kCodeBytesPerLine; ++i) {
                unsigned char b = static_cast<unsigned char>(m.code[i]);
                line[length++] = hex[b >> 4];
                line[length++] = hex[b & 15];
            }
            line[length++] = '\r';
            line[length++] = '\n';
            out.append(line, length);
        }
    }
    out += "END " + std::to_string(program.messages.size()) + "\r\n";
    return out;
}

bool readEscapeFile(std::string_view text, EscapeProgram& program, std::vector<EscapeProblem>& problems) {
    program = EscapeProgram();
    problems.clear();
    auto fail = [&](int line, std::string message) { problems.push_back({line, std::move(message)}); };
    std::vector<std::string_view> lines = splitLines(text);
    if (lines.empty() || lines[0] != kMagic) {
        fail(lines.empty() ? 0 : 1, "not an escape file (it must begin with \"" + std::string(kMagic) + "\")");
        return false;
    }
    bool haveDisplay = false, haveVersion = false, ended = false;
    EscapeMessage* open = nullptr;
    size_t expected = 0;
    int openLine = 0;
    auto closeMessage = [&]() {
        if (!open) return;
        std::string problem;
        if (open->code.size() != expected)
            fail(openLine, "message " + std::to_string(open->number) + " holds " + std::to_string(open->code.size()) +
                               " bytes of code instead of " + std::to_string(expected));
        else if (!validateMessageCode(open->code, rowsOf(program.displayType), problem))
            fail(openLine, "message " + std::to_string(open->number) + ": " + problem);
        open = nullptr;
    };
    for (size_t i = 1; i < lines.size() && problems.size() < 100; ++i) {
        const int lineNo = static_cast<int>(i + 1);
        std::string_view w[8];
        const size_t count = plainCodeLine(lines[i], w[1]) ? (w[0] = "CODE", 2) : words(lines[i], w);
        if (count == 0) continue;
        if (ended) {
            fail(lineNo, "text after END");
            break;
        }
        int a = 0, b = 0, c = 0;
        if (w[0] == "DISPLAY" && count == 2 && number(w[1], a) && (a == 0 || a == 7740 || a == 7780) && !open &&
            program.messages.empty()) {
            program.displayType = a;
            haveDisplay = true;
        } else if (w[0] == "VERSION" && count == 2 && number(w[1], a) && (a == 1 || a == 2) && !open &&
                   program.messages.empty()) {
            program.version = a;
            haveVersion = true;
        } else if (w[0] == "MESSAGE" && count == 6 && w[2] == "TASK" && w[4] == "SIZE" && number(w[1], a) &&
                   number(w[3], b) && number(w[5], c)) {
            closeMessage();
            if (a >= kMessageCount || b >= kTaskCount) {
                fail(lineNo, "message " + std::string(w[1]) + " on task " + std::string(w[3]) + " is out of range");
                continue;
            }
            if (static_cast<size_t>(c) > kMaxMessageCode) {
                fail(lineNo, "message " + std::string(w[1]) + " holds " + std::string(w[5]) +
                                 " bytes of code, one message may hold " + std::to_string(kMaxMessageCode));
                continue;
            }
            if (!program.messages.empty() && program.messages.back().number >= a) {
                fail(lineNo, "message " + std::string(w[1]) + " is out of order or repeated");
                continue;
            }
            program.messages.push_back({a, b, std::string()});
            program.messages.back().code.reserve(static_cast<size_t>(c));
            open = &program.messages.back();
            expected = static_cast<size_t>(c);
            openLine = lineNo;
        } else if (w[0] == "CODE" && count == 2 && open) {
            const std::string_view hex = w[1];
            if (hex.size() % 2 != 0 || hex.size() > kCodeBytesPerLine * 2) {
                fail(lineNo, "bad CODE line");
                continue;
            }
            char bytes[kCodeBytesPerLine];
            size_t count = 0;
            unsigned bad = 0;
            for (size_t k = 0; k < hex.size(); k += 2) {
                const unsigned high = kHex.of[static_cast<unsigned char>(hex[k])];
                const unsigned low = kHex.of[static_cast<unsigned char>(hex[k + 1])];
                bad |= high | low;
                bytes[count++] = static_cast<char>(high << 4 | low);
            }
            if (bad & 0xF0) fail(lineNo, "bad hex digits in CODE line");
            else open->code.append(bytes, count);
        } else if (w[0] == "END" && count == 2 && number(w[1], a)) {
            closeMessage();
            if (static_cast<size_t>(a) != program.messages.size())
                fail(lineNo, "END counts " + std::string(w[1]) + " messages, the file holds " +
                                 std::to_string(program.messages.size()));
            ended = true;
        } else {
            fail(lineNo, "unexpected line \"" + std::string(lines[i].substr(0, 40)) + "\"");
        }
    }
    closeMessage();
    if (!haveDisplay || !haveVersion) fail(0, "the DISPLAY or VERSION line is missing");
    if (!ended && problems.empty()) fail(0, "the file is cut short: END is missing");
    return problems.empty();
}

} // namespace lt::tools
