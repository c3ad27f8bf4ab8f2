#include "lexmill/Lexer.h"

namespace lt::lexmill {

namespace {

bool isIdentStart(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool isIdentChar(unsigned char c) { return isIdentStart(c) || isDigit(c); }

constexpr long long kValueCap = 100000000000LL;

std::string shown(unsigned char c) {
    if (c >= 33 && c < 127) return std::string("\"") + static_cast<char>(c) + "\"";
    return "code " + std::to_string(c);
}

} // namespace

bool sameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

bool tokenizeLine(std::string_view line, std::vector<Token>& out, std::string& problem) {
    const size_t n = line.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
            ++i;
        } else if (c == '/' && i + 1 < n && line[i + 1] == '/') {
            return true;
        } else if (isIdentStart(c)) {
            size_t start = i;
            while (i < n && isIdentChar(static_cast<unsigned char>(line[i]))) ++i;
            out.push_back({Tok::Ident, line.substr(start, i - start), 0});
        } else if (isDigit(c)) {
            size_t start = i;
            long long value = 0;
            bool hex = c == '0' && i + 2 < n && (line[i + 1] == 'x' || line[i + 1] == 'X');
            if (hex) i += 2;
            size_t digitsStart = i;
            while (i < n) {
                unsigned char d = static_cast<unsigned char>(line[i]);
                int digit = isDigit(d) ? d - '0'
                            : hex && d >= 'a' && d <= 'f' ? d - 'a' + 10
                            : hex && d >= 'A' && d <= 'F' ? d - 'A' + 10
                                                          : -1;
                if (digit < 0) break;
                value = value * (hex ? 16 : 10) + digit;
                if (value > kValueCap) value = kValueCap;
                ++i;
            }
            if (i < n && isIdentChar(static_cast<unsigned char>(line[i])) ) {
                while (i < n && isIdentChar(static_cast<unsigned char>(line[i]))) ++i;
                problem = "bad number \"" + std::string(line.substr(start, i - start)) + "\"";
                return false;
            }
            if (hex && i == digitsStart) {
                problem = "bad number \"" + std::string(line.substr(start, i - start)) + "\"";
                return false;
            }
            out.push_back({Tok::Number, line.substr(start, i - start), value});
        } else if (c == '"') {
            size_t start = i++;
            while (i < n && line[i] != '"') i += (line[i] == '\\' && i + 1 < n) ? 2 : 1;
            if (i >= n) {
                problem = "unterminated string";
                return false;
            }
            ++i;
            out.push_back({Tok::String, line.substr(start, i - start), 0});
        } else if (c == '(' || c == ')' || c == ',' || c == ';' || c == ':' || c == '=' || c == '-' || c == '+' ||
                   c == '#' || c == '<' || c == '>') {
            out.push_back({Tok::Punct, line.substr(i, 1), 0});
            ++i;
        } else {
            problem = "unexpected character " + shown(c);
            return false;
        }
    }
    return true;
}

bool decodeString(std::string_view token, std::string& out, std::string& problem) {
    std::string_view body = token.substr(1, token.size() - 2);
    std::string unescaped;
    unescaped.reserve(body.size());
    for (size_t i = 0; i < body.size(); ++i) {
        char c = body[i];
        if (c == '\\' && i + 1 < body.size() && (body[i + 1] == '"' || body[i + 1] == '\\')) c = body[++i];
        if (static_cast<unsigned char>(c) < 32 || c == 127) {
            problem = "control character (code " + std::to_string(static_cast<unsigned char>(c)) +
                      ") in a string: write it as \"#\" and a character from \"@\" to \"_\"";
            return false;
        }
        unescaped.push_back(c);
    }
    for (size_t i = 0; i < unescaped.size(); ++i) {
        char c = unescaped[i];
        if (c == '#' && i + 1 < unescaped.size() && unescaped[i + 1] >= '@' && unescaped[i + 1] <= '_') {
            out.push_back(static_cast<char>(unescaped[++i] - '@'));
        } else {
            out.push_back(c);
        }
    }
    return true;
}

} // namespace lt::lexmill
