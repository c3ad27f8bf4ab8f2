#include "ledpanel/LedPanel.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace lt::led {

namespace {
constexpr qreal kDotRadius = 0.4; // in pitches: neighbouring dots stay apart
} // namespace

LedRow RowOf(std::string_view codes, CharacterSet set) {
    LedRow row{};
    const size_t n = std::min(codes.size(), row.size());
    for (size_t i = 0; i < n; ++i) row[i] = GlyphOf(static_cast<unsigned char>(codes[i]), set);
    return row;
}

LedGeometry LedGeometry::fit(const QRectF& area, int rows) {
    const qreal pitch = std::max<qreal>(0, std::min(area.width() / kWidthInPitches, area.height() / heightInPitches(rows)));
    const QSizeF size(pitch * kWidthInPitches, pitch * heightInPitches(rows));
    return {QPointF(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2), pitch,
            rows};
}

LedGeometry LedGeometry::forWidth(qreal width, int rows, QPointF topLeft) {
    return {topLeft, width / kWidthInPitches, rows};
}

QRectF LedGeometry::panel() const {
    return {topLeft_, QSizeF(pitch_ * kWidthInPitches, pitch_ * heightInPitches(rows_))};
}

QPointF LedGeometry::dotCentre(int row, int cell, int x, int y) const {
    return topLeft_ + QPointF((kMargin + (cell - 1) * kCellPitch + x + 0.5) * pitch_,
                              (kMargin + (row - 1) * kRowPitch + y + 0.5) * pitch_);
}

QRectF LedGeometry::rowBand(int row) const {
    const QRectF all = panel();
    const qreal dotsTop = topLeft_.y() + (kMargin + (row - 1) * kRowPitch) * pitch_;
    const qreal top = row <= 1 ? all.top() : dotsTop - kRowGap * pitch_ / 2;
    const qreal bottom = row >= rows_ ? all.bottom() : dotsTop + (kGlyphRows + kRowGap / 2.0) * pitch_;
    return {QPointF(all.left(), top), QPointF(all.right(), bottom)};
}

void LedPainter::paintPlate(QPainter& painter, const LedGeometry& geometry) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x3a, 0x2a, 0x20), 1.5));
    painter.setBrush(LedColours::plate());
    const qreal corner = std::min<qreal>(geometry.pitch() * LedGeometry::kMargin, 8);
    painter.drawRoundedRect(geometry.panel().adjusted(0.75, 0.75, -0.75, -0.75), corner, corner);
    painter.restore();
}

void LedPainter::prepare(qreal radius) {
    if (qFuzzyCompare(radius, radius_)) return;
    radius_ = radius;
    spriteSize_ = static_cast<int>(std::ceil(2 * radius)) + 2;
    const qreal middle = spriteSize_ / 2.0;
    for (int lit = 0; lit < 2; ++lit)
        for (int py = 0; py < kPhases; ++py)
            for (int px = 0; px < kPhases; ++px) {
                QImage sprite(spriteSize_, spriteSize_, QImage::Format_ARGB32_Premultiplied);
                sprite.fill(Qt::transparent);
                QPainter p(&sprite);
                p.setRenderHint(QPainter::Antialiasing);
                p.setPen(Qt::NoPen);
                p.setBrush(lit ? LedColours::lit() : LedColours::unlit());
                p.drawEllipse(QPointF(middle + qreal(px) / kPhases, middle + qreal(py) / kPhases), radius, radius);
                sprites_[static_cast<size_t>((lit * kPhases + py) * kPhases + px)] = std::move(sprite);
            }
}

void LedPainter::paintRow(QPainter& painter, const LedGeometry& geometry, int row, const LedRow& dots) {
    // Dots are placed in device pixels, so a high-dpi screen gets sharp dots at even spacing.
    const QTransform toDevice = painter.deviceTransform();
    const qreal scale = std::sqrt(std::abs(toDevice.determinant()));
    if (scale <= 0) return;
    prepare(kDotRadius * geometry.pitch() * scale);
    painter.save();
    painter.setWorldTransform(toDevice.inverted() * painter.worldTransform());
    const qreal half = spriteSize_ / 2.0;
    for (int cell = 1; cell <= kCells; ++cell) {
        const GlyphDots& glyph = dots[static_cast<size_t>(cell - 1)];
        for (int y = 0; y < kGlyphRows; ++y)
            for (int x = 0; x < kGlyphColumns; ++x) {
                const bool lit = (glyph[static_cast<size_t>(y)] >> (kGlyphColumns - 1 - x)) & 1;
                const QPointF c = toDevice.map(geometry.dotCentre(row, cell, x, y)) - QPointF(half, half);
                QPoint at(static_cast<int>(std::floor(c.x())), static_cast<int>(std::floor(c.y())));
                int px = static_cast<int>((c.x() - at.x()) * kPhases + 0.5);
                int py = static_cast<int>((c.y() - at.y()) * kPhases + 0.5);
                if (px == kPhases) px = 0, at.rx() += 1;
                if (py == kPhases) py = 0, at.ry() += 1;
                painter.drawImage(at, sprites_[static_cast<size_t>(((lit ? 1 : 0) * kPhases + py) * kPhases + px)]);
            }
    }
    painter.restore();
}

} // namespace lt::led
