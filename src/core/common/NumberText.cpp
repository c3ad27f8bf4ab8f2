#include "common/NumberText.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace lt {

std::string Str(long long n) {
    std::string digits = std::to_string(n);
    return n < 0 ? digits : " " + digits;
}

namespace {
bool isSkippable(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
} // namespace

double Val(std::string_view text) {
    std::string clean;
    clean.reserve(std::min<size_t>(text.size(), 64));
    for (char c : text) {
        if (isSkippable(c)) continue;
        clean.push_back(c);
        if (clean.size() >= 64) break; // longer numbers carry no more meaning
    }
    if (clean.size() >= 2 && clean[0] == '&') {
        char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(clean[1])));
        int base = kind == 'H' ? 16 : kind == 'O' ? 8 : 0;
        if (base == 0) return 0;
        long long v = 0;
        for (size_t i = 2; i < clean.size(); ++i) {
            int d = std::isdigit(static_cast<unsigned char>(clean[i])) ? clean[i] - '0'
                    : std::isxdigit(static_cast<unsigned char>(clean[i]))
                        ? std::toupper(static_cast<unsigned char>(clean[i])) - 'A' + 10
                        : 99;
            if (d >= base) break;
            v = v * base + d;
            if (v > 0xFFFFFFFFLL) break;
        }
        return static_cast<double>(v);
    }
    size_t i = 0;
    std::string number;
    if (i < clean.size() && (clean[i] == '+' || clean[i] == '-')) number.push_back(clean[i++]);
    bool digits = false;
    while (i < clean.size() && std::isdigit(static_cast<unsigned char>(clean[i]))) { number.push_back(clean[i++]); digits = true; }
    if (i < clean.size() && clean[i] == '.') {
        number.push_back(clean[i++]);
        while (i < clean.size() && std::isdigit(static_cast<unsigned char>(clean[i]))) { number.push_back(clean[i++]); digits = true; }
    }
    if (!digits) return 0;
    if (i < clean.size() && (clean[i] == 'e' || clean[i] == 'E' || clean[i] == 'd' || clean[i] == 'D')) {
        std::string exponent = "e";
        size_t j = i + 1;
        if (j < clean.size() && (clean[j] == '+' || clean[j] == '-')) exponent.push_back(clean[j++]);
        bool expDigits = false;
        while (j < clean.size() && std::isdigit(static_cast<unsigned char>(clean[j]))) { exponent.push_back(clean[j++]); expDigits = true; }
        if (expDigits) number += exponent;
    }
    double v = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(v)) return 0;
    return v;
}

bool IsNumeric(std::string_view text) {
    std::string t = Trim(text);
    if (t.empty()) return false;
    size_t i = 0;
    if (t[i] == '+' || t[i] == '-') ++i;
    bool digits = false;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) { ++i; digits = true; }
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) { ++i; digits = true; }
    }
    if (!digits) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        bool expDigits = false;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) { ++i; expDigits = true; }
        if (!expDigits) return false;
    }
    return i == t.size();
}

long long ValInt(std::string_view text) {
    double v = std::nearbyint(Val(text)); // default rounding mode: half to even
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<long long>(v);
}

std::string TrimLeft(std::string_view text) {
    size_t b = 0;
    while (b < text.size() && text[b] == ' ') ++b;
    return std::string(text.substr(b));
}

std::string TrimRight(std::string_view text) {
    size_t e = text.size();
    while (e > 0 && text[e - 1] == ' ') --e;
    return std::string(text.substr(0, e));
}

std::string Trim(std::string_view text) { return TrimLeft(TrimRight(text)); }

std::string ToLower(std::string_view text) {
    std::string r(text);
    for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

std::string ToUpper(std::string_view text) {
    std::string r(text);
    for (char& c : r) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return r;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

std::string ShortestFloat(float value) {
    char buffer[64];
    double v = static_cast<double>(value);
    if (std::fabs(v) < 1e15 && (v == 0 || std::fabs(v) >= 1e-4)) {
        for (int decimals = 0; decimals <= 9; ++decimals) {
            std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
            if (std::strtof(buffer, nullptr) == value) return buffer;
        }
    }
    for (int precision = 1; precision <= 9; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*g", precision, v);
        if (std::strtof(buffer, nullptr) == value) break;
    }
    return buffer;
}

} // namespace lt
