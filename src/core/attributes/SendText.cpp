#include "attributes/SendText.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "common/NumberText.h"
#include "quickedit/QuickMessage.h"

namespace lt {

namespace {

const char* const kAbbreviations[kControlCharCount] = {
    "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "HT",  "LF",  "VT",  "FF", "CR",  "SO", "SI",
    "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS", "GS",  "RS", "US"};

constexpr int kFs = 28;

std::string hexText(int code) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02Xh", code);
    return buffer;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Code of a token between the delimiters, or -1: an abbreviation in any letter case,
// the decimal value "0".."31" as written, or two hexadecimal digits and "h" ("00h".."1Fh").
int tokenCode(const std::string& token) {
    const size_t n = token.size();
    if (n == 0 || n > 3) return -1;
    if (n == 3 && (token[2] == 'h' || token[2] == 'H') && hexDigit(token[0]) >= 0 && hexDigit(token[1]) >= 0) {
        int code = hexDigit(token[0]) * 16 + hexDigit(token[1]);
        if (code < kControlCharCount) return code;
    }
    if (token[0] >= '0' && token[0] <= '9') {
        if (n > 2 || (n == 2 && (token[0] == '0' || token[1] < '0' || token[1] > '9'))) return -1;
        int code = n == 1 ? token[0] - '0' : (token[0] - '0') * 10 + (token[1] - '0');
        return code < kControlCharCount ? code : -1;
    }
    char upper[4] = {};
    for (size_t i = 0; i < n; ++i) upper[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(token[i])));
    for (int code = 0; code < kControlCharCount; ++code)
        if (std::strcmp(upper, kAbbreviations[code]) == 0) return code;
    return -1;
}

bool at(const std::string& text, size_t pos, const std::string& part) {
    return !part.empty() && text.compare(pos, part.size(), part) == 0;
}

} // namespace

std::string ControlAbbreviation(int code) {
    return code >= 0 && code < kControlCharCount ? kAbbreviations[code] : std::string();
}

std::string DelimitedName(int code, const std::string& startChar, const std::string& stopChar) {
    return startChar + ControlAbbreviation(code) + stopChar;
}

std::string StoredCode(int code) {
    if (code == kFs) return "#\\\\";
    return std::string("#") + static_cast<char>(64 + code);
}

std::string ControlDescription(int code) {
    return std::string(9, ' ') + "Key = ^" + static_cast<char>(64 + code) + std::string(8, ' ') +
           "Decimal = " + std::to_string(code) + std::string(8, ' ') + "Hex = " + hexText(code);
}

std::string EncodeSendText(const std::string& text, const std::string& startChar, const std::string& stopChar) {
    std::string source;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            continue;
        }
        source += text[i];
    }
    if (startChar.empty() || stopChar.empty()) return source;
    std::string out;
    size_t pos = 0;
    while (pos < source.size()) {
        size_t open = source.find(startChar, pos);
        if (open == std::string::npos) break;
        out.append(source, pos, open - pos);
        size_t tokenStart = open + startChar.size();
        size_t close = source.find(stopChar, tokenStart);
        if (close == std::string::npos) {
            out += startChar;
            pos = tokenStart;
            continue;
        }
        std::string token = source.substr(tokenStart, close - tokenStart);
        int code = tokenCode(token);
        out += code >= 0 ? StoredCode(code) : token;
        pos = close + stopChar.size();
    }
    if (pos < source.size()) out.append(source, pos, std::string::npos);
    return out;
}

std::string DecodeSendText(const std::string& stored, const std::string& startChar, const std::string& stopChar) {
    std::string out;
    for (size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] == '#' && i + 1 < stored.size()) {
            if (at(stored, i + 1, "\\\\")) {
                out += DelimitedName(kFs, startChar, stopChar);
                i += 2;
                continue;
            }
            auto c = static_cast<unsigned char>(stored[i + 1]);
            if (c >= 64 && c < 64 + kControlCharCount) {
                out += DelimitedName(c - 64, startChar, stopChar);
                i += 1;
                continue;
            }
        }
        out += stored[i];
    }
    return out;
}

bool IsHostText(const std::string& sendText) { return ToUpper(sendText) == "HOST"; }

bool NeedsLineBreak(const std::string& text, int cursor) {
    if (static_cast<int>(text.size()) < 27) return false;
    if (cursor > static_cast<int>(text.size())) cursor = static_cast<int>(text.size());
    int from = cursor - 28 < 0 ? 0 : cursor - 28;
    for (int i = from; i < cursor; ++i)
        if (text[i] == ' ' || text[i] == '\n' || text[i] == '\r') return false;
    return true;
}

bool BackspaceBlocked(const std::string& text, int cursor, const std::string& startChar, const std::string& stopChar) {
    if (cursor <= 0 || cursor > static_cast<int>(text.size())) return false;
    const std::string before(1, text[cursor - 1]);
    return before == startChar || before == stopChar;
}

NameSpan NameAtCursor(const std::string& text, int cursor, const std::string& startChar, const std::string& stopChar) {
    if (startChar.empty() || stopChar.empty()) return {};
    if (cursor > static_cast<int>(text.size())) cursor = static_cast<int>(text.size());
    for (int i = cursor - 1; i >= 0; --i) {
        if (at(text, i, stopChar)) return {};
        if (at(text, i, startChar)) {
            size_t close = text.find(stopChar, i + startChar.size());
            if (close == std::string::npos) return {};
            return {i, static_cast<int>(close + stopChar.size())};
        }
    }
    return {};
}

SendChoice OpenSend(const QuickMessage& m) {
    if (IsHostText(m.SendText)) return SendChoice::Slave;
    return m.SendText.empty() ? SendChoice::Off : SendChoice::Text;
}

SendResult ApplySend(QuickMessage& m, SendChoice choice, const std::string& text, const std::string& startChar,
                     const std::string& stopChar) {
    static const char* const kOff = "Sen&d msg OFF...";
    static const char* const kOn = "Sen&d msg ON...";
    switch (choice) {
    case SendChoice::Off:
        m.SendText.clear();
        return {true, kOff};
    case SendChoice::Slave:
        m.SendText = "HOST";
        return {true, kOn};
    case SendChoice::Text:
        break;
    }
    std::string encoded = EncodeSendText(text, startChar, stopChar);
    if (Trim(encoded).empty()) {
        m.SendText.clear();
        return {false, kOff};
    }
    m.SendText = encoded;
    return {true, kOn};
}

} // namespace lt
