// Reads the dots back from a picture of an LED panel, for tests that compare what the
// simulation display, the emulator's window and the font table show.
#pragma once

#include <QImage>
#include <cmath>
#include <string>
#include <vector>

#include "ledpanel/LedPanel.h"

namespace lt::test {

// One line per dot row of the panel (7 per panel row, top first), each 119 characters:
// '#' lit, '.' unlit, ' ' for no dot there (a hidden row) and for the gaps between cells,
// so column (cell - 1) * 6 + x is dot x of a cell. `geometry` is in the picture's logical
// coordinates.
inline std::vector<std::string> ReadLedDots(const QImage& picture, const led::LedGeometry& geometry) {
    const qreal dpr = picture.devicePixelRatio();
    std::vector<std::string> lines;
    for (int row = 1; row <= geometry.rows(); ++row)
        for (int y = 0; y < led::kGlyphRows; ++y) {
            std::string line(led::kCells * led::LedGeometry::kCellPitch - 1, ' ');
            for (int cell = 1; cell <= led::kCells; ++cell)
                for (int x = 0; x < led::kGlyphColumns; ++x) {
                    const QPointF c = geometry.dotCentre(row, cell, x, y) * dpr;
                    const int red = qRed(picture.pixel(static_cast<int>(std::floor(c.x())), static_cast<int>(std::floor(c.y()))));
                    line[static_cast<size_t>((cell - 1) * led::LedGeometry::kCellPitch + x)] =
                        red > 0xa0 ? '#' : red > 0x28 ? '.' : ' ';
                }
            lines.push_back(line);
        }
    return lines;
}

// The lines of one panel row (1..rows) out of ReadLedDots.
inline std::vector<std::string> PanelRow(const std::vector<std::string>& dots, int row) {
    const auto first = dots.begin() + (row - 1) * led::kGlyphRows;
    return {first, first + led::kGlyphRows};
}

} // namespace lt::test
