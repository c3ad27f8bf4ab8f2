// Conversions between numbers and text as the program has always written and read them:
// numbers in status texts carry a leading blank when not negative, and reading a number
// from text takes the longest numeric prefix, ignoring blanks.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lt {

// " 5", "-5": the default number-to-text conversion with its sign position.
std::string Str(long long n);

// Numeric value of the leading number in text; blanks, tabs and line breaks are skipped,
// "&H" / "&O" prefixes give hexadecimal / octal; no number gives 0.
double Val(std::string_view text);

// True when the whole text (blanks around it allowed) is one decimal number.
bool IsNumeric(std::string_view text);

// Whole-number value of Val, rounded half to even, clamped into the 32-bit range.
long long ValInt(std::string_view text);

std::string Trim(std::string_view text);
std::string TrimRight(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string ToLower(std::string_view text);
std::string ToUpper(std::string_view text);
bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);
bool Contains(std::string_view text, std::string_view part);

// Shortest decimal text that reads back as the same single-precision number.
std::string ShortestFloat(float value);

} // namespace lt
