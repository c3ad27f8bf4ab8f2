#include "lexmill/Lexer.h"

#include "lexmill/Diagnostics.h"

namespace lt::lexmill {

namespace {

bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

constexpr long long kValueCap = 100000000000LL;

enum Class : unsigned char { Other, Space, Letter, Digit, Quote, Punct, Slash };

struct ClassTable {
    Class of[256] = {};
    ClassTable() {
        for (int c = 'A'; c <= 'Z'; ++c) of[c] = of[c + 32] = Letter;
        of[static_cast<unsigned char>('_')] = Letter;
        for (int c = '0'; c <= '9'; ++c) of[c] = Digit;
        for (char c : std::string_view(" \t\r\f\v")) of[static_cast<unsigned char>(c)] = Space;
        for (char c : std::string_view("(),;:=-+#")) of[static_cast<unsigned char>(c)] = Punct;
        of[static_cast<unsigned char>('"')] = Quote;
        of[static_cast<unsigned char>('/')] = Slash;
    }
};

const ClassTable kClasses;

std::string shown(unsigned char c) {
    if (c >= 33 && c < 127) return std::string("\"") + static_cast<char>(c) + "\"";
    return "code " + std::to_string(c);
}

} // namespace

bool sameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x == y) continue;
        if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

bool tokenizeLine(std::string_view line, std::vector<Token>& out, std::string& problem) {
    const size_t n = line.size();
    size_t i = 0;
    const Class* of = kClasses.of;
    // Each field is written straight into the vector: copying a finished token in makes
    // the processor wait for the parts just stored before it can load them back whole.
    auto add = [&out](Tok kind, std::string_view text, long long value) {
        Token& t = out.emplace_back();
        t.kind = kind;
        t.text = text;
        t.value = value;
    };
    auto isIdentChar = [of](char c) {
        Class k = of[static_cast<unsigned char>(c)];
        return k == Letter || k == Digit;
    };
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        switch (of[c]) {
        case Space:
            ++i;
            while (i < n && line[i] == ' ') ++i;
            break;
        case Slash:
            if (i + 1 < n && line[i + 1] == '/') return true;
            problem = "unexpected character \"/\"";
            return false;
        case Letter: {
            size_t start = i;
            while (i < n && isIdentChar(line[i])) ++i;
            add(Tok::Ident, line.substr(start, i - start), 0);
            break;
        }
        case Digit: {
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
            if ((i < n && isIdentChar(line[i])) || (hex && i == digitsStart)) {
                while (i < n && isIdentChar(line[i])) ++i;
                problem = "bad number " + Quoted(line.substr(start, i - start));
                return false;
            }
            add(Tok::Number, line.substr(start, i - start), value);
            break;
        }
        case Quote: {
            size_t start = i++;
            while (i < n && line[i] != '"') i += (line[i] == '\\' && i + 1 < n) ? 2 : 1;
            if (i >= n) {
                problem = "unterminated string";
                return false;
            }
            ++i;
            add(Tok::String, line.substr(start, i - start), 0);
            break;
        }
        case Punct:
            add(Tok::Punct, line.substr(i, 1), 0);
            ++i;
            break;
        default:
            problem = "unexpected character " + shown(c);
            return false;
        }
    }
    return true;
}

bool decodeString(std::string_view token, std::string& out, std::string& problem) {
    // One pass: "\"" and "\\" are resolved as the characters are read, and a "#" is held
    // back until the character after it (itself possibly escaped) is known.
    std::string_view body = token.substr(1, token.size() - 2);
    bool pendingHash = false;
    for (size_t i = 0; i < body.size(); ++i) {
        if (!pendingHash) {
            // Runs of ordinary characters go over in one piece.
            size_t run = i;
            while (run < body.size()) {
                const unsigned char o = static_cast<unsigned char>(body[run]);
                if (o < 32 || o == 127 || o == '\\' || o == '#') break;
                ++run;
            }
            out.append(body.data() + i, run - i);
            i = run;
            if (i == body.size()) break;
        }
        char c = body[i];
        if (c == '\\' && i + 1 < body.size() && (body[i + 1] == '"' || body[i + 1] == '\\')) c = body[++i];
        if (static_cast<unsigned char>(c) < 32 || c == 127) {
            problem = "control character (code " + std::to_string(static_cast<unsigned char>(c)) +
                      ") in a string: write it as \"#\" and a character from \"@\" to \"_\"";
            return false;
        }
        if (pendingHash) {
            pendingHash = false;
            if (c >= '@' && c <= '_') {
                out.push_back(static_cast<char>(c - '@'));
                continue;
            }
            out.push_back('#');
        }
        if (c == '#') pendingHash = true;
        else out.push_back(c);
    }
    if (pendingHash) out.push_back('#');
    return true;
}

} // namespace lt::lexmill
