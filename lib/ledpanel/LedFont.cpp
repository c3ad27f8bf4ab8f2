#include "ledpanel/LedFont.h"

#include <algorithm>

namespace lt::led {

namespace {

// ISO 8859-2, codes 160..255.
constexpr char16_t kSlavicHigh[96] = {
    0x00A0, 0x0104, 0x02D8, 0x0141, 0x00A4, 0x013D, 0x015A, 0x00A7, 0x00A8, 0x0160, 0x015E, 0x0164,
    0x0179, 0x00AD, 0x017D, 0x017B, 0x00B0, 0x0105, 0x02DB, 0x0142, 0x00B4, 0x013E, 0x015B, 0x02C7,
    0x00B8, 0x0161, 0x015F, 0x0165, 0x017A, 0x02DD, 0x017E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102,
    0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170,
    0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3,
    0x00F4, 0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// ISO 8859-5: the Cyrillic letters follow the Unicode order, with three exceptions.
char32_t cyrillic(unsigned char code) {
    switch (code) {
    case 0xA0: return 0x00A0;
    case 0xAD: return 0x00AD;
    case 0xF0: return 0x2116; // numero sign
    case 0xFD: return 0x00A7;
    default: return char32_t(code) + 0x0360;
    }
}

constexpr GlyphDots kDark{};

} // namespace

CharacterSet CharacterSetOf(int number) {
    return number >= 0 && number <= 3 ? static_cast<CharacterSet>(number) : CharacterSet::English;
}

char32_t CodePointOf(unsigned char code, CharacterSet set) {
    if (code >= 0x20 && code <= 0x7E) return code;
    if (code < 0xA0) return 0;
    switch (set) {
    case CharacterSet::English: return code;
    case CharacterSet::Katakana: return code >= 0xA1 && code <= 0xDF ? char32_t(0xFF61 + (code - 0xA1)) : 0;
    case CharacterSet::Slavic: return kSlavicHigh[code - 0xA0];
    case CharacterSet::Cyrillic: return cyrillic(code);
    }
    return 0;
}

const GlyphDots& GlyphOf(char32_t codePoint) {
    const GlyphTable all = AllGlyphs();
    const Glyph* found = std::lower_bound(all.begin, all.end, codePoint,
                                          [](const Glyph& g, char32_t c) { return g.codePoint < c; });
    return found != all.end && found->codePoint == codePoint ? found->dots : kDark;
}

} // namespace lt::led
