// The dot font and the panel drawing: every glyph drawn shows exactly the dots of its
// table entry, at several pixel densities; every character set maps onto the font.
#include <gtest/gtest.h>

#include <QPainter>
#include <algorithm>

#include "LedDots.h"
#include "ledpanel/LedPanel.h"

using namespace lt;
using namespace lt::led;

namespace {

// The table's dots of a row of glyphs, in the form ReadLedDots gives.
std::vector<std::string> TableDots(const std::vector<const Glyph*>& glyphs) {
    std::vector<std::string> lines(kGlyphRows, std::string(kCells * LedGeometry::kCellPitch - 1, ' '));
    for (size_t cell = 0; cell < static_cast<size_t>(kCells); ++cell)
        for (int y = 0; y < kGlyphRows; ++y)
            for (int x = 0; x < kGlyphColumns; ++x) {
                const bool lit = cell < glyphs.size() && ((glyphs[cell]->dots[static_cast<size_t>(y)] >> (4 - x)) & 1);
                lines[static_cast<size_t>(y)][cell * LedGeometry::kCellPitch + static_cast<size_t>(x)] = lit ? '#' : '.';
            }
    return lines;
}

bool InFont(char32_t codePoint) {
    const GlyphTable all = AllGlyphs();
    return std::any_of(all.begin, all.end, [&](const Glyph& g) { return g.codePoint == codePoint; });
}

} // namespace

TEST(LedPanel, EveryGlyphIsDrawnAsItsTableSays) {
    const GlyphTable all = AllGlyphs();
    ASSERT_EQ(std::adjacent_find(all.begin, all.end, [](const Glyph& a, const Glyph& b) { return a.codePoint >= b.codePoint; }),
              all.end)
        << "the table must be sorted without repeats: lookups search it";
    std::vector<const Glyph*> glyphs;
    for (const Glyph* g = all.begin; g != all.end; ++g) glyphs.push_back(g);

    // 1.0, 1.5 and 2.0: the scale factors of ordinary and high-density screens; a small
    // and a large panel.
    for (qreal dpr : {1.0, 1.5, 2.0})
        for (QSizeF size : {QSizeF(400, 160), QSizeF(741, 260)}) {
            const LedGeometry geometry = LedGeometry::fit(QRectF(QPointF(7, 5), size), 4);
            LedPainter painter;
            for (size_t first = 0; first < glyphs.size(); first += 4 * kCells) {
                QImage picture((size + QSizeF(14, 10)).toSize() * dpr, QImage::Format_ARGB32_Premultiplied);
                picture.setDevicePixelRatio(dpr);
                picture.fill(Qt::white);
                std::vector<std::vector<const Glyph*>> rows(4);
                {
                    QPainter p(&picture);
                    painter.paintPlate(p, geometry);
                    for (int row = 1; row <= 4; ++row) {
                        LedRow dots{};
                        for (size_t cell = 0; cell < static_cast<size_t>(kCells); ++cell) {
                            const size_t i = first + static_cast<size_t>(row - 1) * kCells + cell;
                            if (i >= glyphs.size()) break;
                            rows[static_cast<size_t>(row - 1)].push_back(glyphs[i]);
                            dots[cell] = glyphs[i]->dots;
                        }
                        painter.paintRow(p, geometry, row, dots);
                    }
                }
                const std::vector<std::string> read = test::ReadLedDots(picture, geometry);
                for (int row = 1; row <= 4; ++row)
                    EXPECT_EQ(test::PanelRow(read, row), TableDots(rows[static_cast<size_t>(row - 1)]))
                        << "scale " << dpr << ", glyphs from U+" << std::hex
                        << static_cast<unsigned>(glyphs[first]->codePoint) << ", row " << row;
            }
        }
}

TEST(LedPanel, CharacterSetsMapOntoTheFont) {
    for (int number = 0; number <= 3; ++number) {
        const CharacterSet set = CharacterSetOf(number);
        for (int code = 0; code < 256; ++code) {
            const char32_t c = CodePointOf(static_cast<unsigned char>(code), set);
            // ASCII in every set; no character at the other codes below 160.
            if (code < 160) EXPECT_EQ(c, code >= 32 && code <= 126 ? char32_t(code) : 0u) << code;
            EXPECT_TRUE(c == 0 || InFont(c)) << "set " << number << " code " << code;
        }
    }
    EXPECT_EQ(CharacterSetOf(9), CharacterSet::English);
    EXPECT_EQ(CodePointOf(0xE9, CharacterSet::English), 0x00E9u);   // é
    EXPECT_EQ(CodePointOf(0xB1, CharacterSet::Katakana), 0xFF71u);  // ｱ
    EXPECT_EQ(CodePointOf(0xE0, CharacterSet::Katakana), 0u);       // past the katakana
    EXPECT_EQ(CodePointOf(0xA9, CharacterSet::Slavic), 0x0160u);    // Š
    EXPECT_EQ(CodePointOf(0xC4, CharacterSet::Cyrillic), 0x0424u);  // Ф
    EXPECT_EQ(CodePointOf(0xF0, CharacterSet::Cyrillic), 0x2116u);  // №
    EXPECT_EQ(GlyphOf(0xC4, CharacterSet::Cyrillic), GlyphOf(char32_t(0x0424)));
    EXPECT_EQ(GlyphOf(0x85, CharacterSet::English), GlyphDots{}); // no character: a blank cell
}

TEST(LedPanel, PanelKeepsItsShapeAndRowsCoverIt) {
    // Wide area: the height decides, the panel is centred across; tall area: the 20 cells
    // span the width and the rows sit in the middle.
    const LedGeometry wide = LedGeometry::fit(QRectF(0, 0, 1000, 82), 4);
    EXPECT_DOUBLE_EQ(wide.pitch(), 2.0);
    EXPECT_DOUBLE_EQ(wide.panel().center().x(), 500.0);
    const LedGeometry tall = LedGeometry::fit(QRectF(10, 0, 246, 400), 4);
    EXPECT_DOUBLE_EQ(tall.panel().left(), 10.0);
    EXPECT_DOUBLE_EQ(tall.panel().right(), 256.0);
    EXPECT_DOUBLE_EQ(tall.panel().center().y(), 200.0);
    EXPECT_DOUBLE_EQ(tall.dotCentre(1, 1, 0, 0).x() - 10.0, 256.0 - tall.dotCentre(1, 20, 4, 0).x());
    EXPECT_DOUBLE_EQ(tall.rowBand(1).top(), tall.panel().top());
    for (int row = 1; row < 4; ++row) EXPECT_DOUBLE_EQ(tall.rowBand(row).bottom(), tall.rowBand(row + 1).top());
    EXPECT_DOUBLE_EQ(tall.rowBand(4).bottom(), tall.panel().bottom());
}
