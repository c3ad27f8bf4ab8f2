// Splits one source line into tokens. Tokens point into the line's text, which must
// outlive them. A "//" outside a string ends the line's tokens.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lt::lexmill {

enum class Tok { Ident, Number, String, Punct };

struct Token {
    Tok kind = Tok::Punct;
    std::string_view text; // as written; a String includes its quotes
    long long value = 0;   // Number: its value (capped, so huge numbers stay out of range)
};

// Whether a token is the punctuation character `c`.
inline bool isPunct(const Token& t, char c) { return t.kind == Tok::Punct && t.text[0] == c; }

// Appends the tokens of `line` to `out`. False with `problem` set for an unterminated
// string or a character that belongs to no token.
bool tokenizeLine(std::string_view line, std::vector<Token>& out, std::string& problem);

// The characters a String token stands for: quotes removed, "\"" and "\\" resolved, and
// "#" followed by a character from "@" to "_" turned into the control code 0..31.
// False with `problem` set when the text holds a raw control character.
bool decodeString(std::string_view token, std::string& out, std::string& problem);

// ASCII comparison ignoring letter case.
bool sameWord(std::string_view a, std::string_view b);

} // namespace lt::lexmill
