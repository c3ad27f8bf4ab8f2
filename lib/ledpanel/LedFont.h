// The unit's dot font: every character it shows as 5 x 7 dots, and the four character
// sets that give the codes 160..255 their meaning. Codes 32..126 are the same printable
// ASCII characters in every set; codes without a character in the chosen set (control
// codes, 127..159, gaps of a set) show as a blank cell.
#pragma once

#include <array>
#include <cstdint>

namespace lt::led {

constexpr int kGlyphColumns = 5;
constexpr int kGlyphRows = 7;

// One row of dots per entry, top row first; bit 4 is the leftmost dot, bit 0 the rightmost.
using GlyphDots = std::array<uint8_t, kGlyphRows>;

struct Glyph {
    char32_t codePoint; // the Unicode character the dots draw
    GlyphDots dots;
};

// The numbers are those of the unit's FONT instruction (and FONT_SET in scripts).
enum class CharacterSet : uint8_t {
    English = 0,  // 160..255: ISO 8859-1 (Western European letters and signs)
    Katakana = 1, // 161..223: the half-width katakana of JIS X 0201
    Slavic = 2,   // 160..255: ISO 8859-2 (Central European letters)
    Cyrillic = 3, // 160..255: ISO 8859-5
};

// The set with that number; numbers the unit does not know fall back to English, as the
// unit does.
CharacterSet CharacterSetOf(int number);

// The character a code stands for in a set, or 0 when the set has none there.
char32_t CodePointOf(unsigned char code, CharacterSet set);

// The dots of a character; all dark for a character the font does not have.
const GlyphDots& GlyphOf(char32_t codePoint);
inline const GlyphDots& GlyphOf(unsigned char code, CharacterSet set) { return GlyphOf(CodePointOf(code, set)); }

// Every glyph of the font, sorted by code point.
struct GlyphTable {
    const Glyph* begin;
    const Glyph* end;
};
GlyphTable AllGlyphs();

} // namespace lt::led
