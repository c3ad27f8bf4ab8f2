#include "quickedit/RichScan.h"

#include <cctype>

namespace lt {

namespace {
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
} // namespace

bool NextRichToken(const std::string& f, size_t& pos, RichToken& t) {
    if (pos >= f.size()) return false;
    t.begin = pos;
    t.word = std::string_view();
    t.hasNumber = false;
    t.number = 0;
    t.ch = 0;
    if (f[pos] != '\\') {
        t.kind = RichToken::Text;
        t.ch = f[pos];
        t.end = ++pos;
        return true;
    }
    if (pos + 1 < f.size() && f[pos + 1] == '\\') {
        t.kind = RichToken::Text;
        t.ch = '\\';
        pos += 2;
        t.end = pos;
        return true;
    }
    t.kind = RichToken::ControlWord;
    size_t i = pos + 1;
    while (i < f.size() && isLetter(f[i])) ++i;
    t.word = std::string_view(f).substr(pos + 1, i - pos - 1);
    size_t numberStart = i;
    bool negative = false;
    if (i < f.size() && f[i] == '-' && i + 1 < f.size() && isDigit(f[i + 1])) {
        negative = true;
        ++i;
    }
    if (i < f.size() && isDigit(f[i])) {
        t.hasNumber = true;
        long long v = 0;
        while (i < f.size() && isDigit(f[i])) {
            if (v < 1000000000LL) v = v * 10 + (f[i] - '0');
            ++i;
        }
        t.number = negative ? -v : v;
    } else {
        i = numberStart;
    }
    if (i < f.size() && f[i] == ' ') ++i;
    pos = i;
    t.end = i;
    return true;
}

size_t RichBodyStart(const std::string& f) {
    if (f.empty() || f[0] != '{') return 0;
    int depth = 0;
    for (size_t i = 0; i < f.size(); ++i) {
        char c = f[i];
        if (c == '\\' && i + 1 < f.size()) {
            ++i; // an escaped character never opens or closes a group
            continue;
        }
        if (c == '{') ++depth;
        if (c == '}' && --depth == 0) {
            size_t j = i + 1;
            if (f.compare(j, 2, "\r\n") == 0) return j + 2;
            if (j < f.size() && f[j] == '\n') return j + 1;
            return 0;
        }
    }
    return 0;
}

std::string MarkPrefix(int mark) {
    return "\\f" + std::to_string(mark) + (mark >= 1 && mark <= 64 ? " \\cf4 " : " \\cf0 ");
}

} // namespace lt
