// The unit's front panel drawn as LED dots: rows of 20 character cells of 5 x 7 dots,
// a one-dot gap between cells, lit dots in the unit's amber and unlit ones dim.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <array>
#include <string_view>

#include "ledpanel/LedFont.h"

class QPainter;

namespace lt::led {

constexpr int kCells = 20; // characters per row

// The dots of one row, cell by cell.
using LedRow = std::array<GlyphDots, kCells>;

// A row of character codes in one set; cells past the end of `codes` are blank.
LedRow RowOf(std::string_view codes, CharacterSet set = CharacterSet::English);

// Where the panel and its dots lie. Measured in dot pitches the panel is a margin of 2,
// then 20 cells of 5 dots with a gap of 1 between them, then the margin again: 123
// pitches wide; each row is 7 dots high with a gap of 3 between rows. Dots are round.
class LedGeometry {
public:
    static constexpr int kMargin = 2;
    static constexpr int kCellPitch = kGlyphColumns + 1;
    static constexpr int kRowGap = 3;
    static constexpr int kRowPitch = kGlyphRows + kRowGap;
    static constexpr int kWidthInPitches = 2 * kMargin + kCells * kCellPitch - 1;
    static constexpr int heightInPitches(int rows) { return 2 * kMargin + rows * kRowPitch - kRowGap; }

    LedGeometry() = default;
    // The largest panel of `rows` rows that fits into `area`, centred in it: the 20
    // cells span its width, its rows are centred in its height.
    static LedGeometry fit(const QRectF& area, int rows);
    // The panel `width` wide with its top left corner at `topLeft`.
    static LedGeometry forWidth(qreal width, int rows, QPointF topLeft = {});

    int rows() const { return rows_; }
    qreal pitch() const { return pitch_; }
    QRectF panel() const;
    // Centre of dot (x, y) of a cell: row 1..rows, cell 1..20, x 0..4, y 0..6.
    QPointF dotCentre(int row, int cell, int x, int y) const;
    // The strip of the panel that belongs to a row: its dots and half the gaps around
    // them, the margins for the first and last row, so the strips cover the panel.
    QRectF rowBand(int row) const;

private:
    LedGeometry(QPointF topLeft, qreal pitch, int rows) : topLeft_(topLeft), pitch_(pitch), rows_(rows) {}

    QPointF topLeft_;
    qreal pitch_ = 0;
    int rows_ = 0;
};

struct LedColours {
    static QColor lit() { return QColor(0xff, 0x8a, 0x1e); }
    static QColor unlit() { return QColor(0x3c, 0x1a, 0x0a); }
    static QColor plate() { return QColor(0x14, 0x08, 0x04); }
};

// Draws panels. Each dot is a small picture drawn once per size and sub-pixel phase and
// then copied, which keeps a whole panel well under a millisecond; keep one painter per
// window so the pictures are reused.
class LedPainter {
public:
    // The dark plate behind the dots, with its rim.
    void paintPlate(QPainter& painter, const LedGeometry& geometry) const;
    // The dots of one row; a blank cell shows its 35 dots unlit.
    void paintRow(QPainter& painter, const LedGeometry& geometry, int row, const LedRow& dots);

private:
    static constexpr int kPhases = 4; // sub-pixel positions per axis
    void prepare(qreal radius);

    qreal radius_ = -1; // in device pixels
    int spriteSize_ = 0;
    std::array<QImage, 2 * kPhases * kPhases> sprites_; // unlit then lit
};

} // namespace lt::led
