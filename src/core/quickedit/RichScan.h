// Token scanner for Quick Edit rich text, shared by the mark routines, generation,
// reading and the simulation. One rule for control words everywhere: a backslash,
// letters, an optional signed number, one optional blank that belongs to the word.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lt {

struct RichToken {
    enum Kind { ControlWord, Text } kind = Text;
    size_t begin = 0; // byte range in the fragment
    size_t end = 0;
    std::string_view word; // letters of a control word ("" for a lone backslash); a view into the fragment
    bool hasNumber = false;
    long long number = 0;
    char ch = 0; // visible character of a text token ("\\" gives one backslash)
};

// Reads the token at pos and moves pos past it; false at the end of the fragment.
bool NextRichToken(const std::string& fragment, size_t& pos, RichToken& token);

// Byte position where scanning starts: past a leading brace group followed by a line
// break (the header a rich-text control may put in front of a fragment), else 0.
size_t RichBodyStart(const std::string& fragment);

// Characters GetText keeps: blank, CR, LF and codes 33..127.
inline bool IsKeptChar(char c) {
    auto u = static_cast<unsigned char>(c);
    return c == ' ' || c == '\r' || c == '\n' || (u >= 33 && u <= 127);
}

// The mark set by a "\f" word; numbers outside 0..65 count as ordinary text.
inline int FontMark(const RichToken& t) {
    if (!t.hasNumber || t.number < 0 || t.number > 65) return 0;
    return static_cast<int>(t.number);
}

// "\f<n> \cf<c> " as the editor writes a run's marks (colour 4 for variable fields).
std::string MarkPrefix(int mark);

} // namespace lt
