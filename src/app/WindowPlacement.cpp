#include "app/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace lt {

namespace {

qint64 overlap(const QRect& a, const QRect& b) {
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : qint64(both.width()) * both.height();
}

// How far a point lies outside a rectangle (0 inside), squared.
qint64 distance2(const QPoint& p, const QRect& r) {
    const qint64 dx = p.x() < r.left() ? r.left() - p.x() : p.x() > r.right() ? p.x() - r.right() : 0;
    const qint64 dy = p.y() < r.top() ? r.top() - p.y() : p.y() > r.bottom() ? p.y() - r.bottom() : 0;
    return dx * dx + dy * dy;
}

int fitInto(int start, int length, int areaStart, int areaLength) {
    if (length >= areaLength) return areaStart;
    return std::clamp(start, areaStart, areaStart + areaLength - length);
}

} // namespace

QRect PlaceOnScreens(const QRect& frame, const QList<QRect>& available, const QSize& minimum) {
    if (available.isEmpty()) return frame;
    for (const QRect& area : available)
        if (area.contains(frame)) return frame;
    // The nearest screen: the one holding most of the window, else the one its centre is
    // closest to.
    const QRect* best = &available.front();
    for (const QRect& area : available) {
        const qint64 a = overlap(frame, area), b = overlap(frame, *best);
        if (a > b || (a == b && distance2(frame.center(), area) < distance2(frame.center(), *best))) best = &area;
    }
    const QSize size(std::max(std::min(frame.width(), best->width()), minimum.width()),
                     std::max(std::min(frame.height(), best->height()), minimum.height()));
    return {QPoint(fitInto(frame.x(), size.width(), best->x(), best->width()),
                   fitInto(frame.y(), size.height(), best->y(), best->height())),
            size};
}

void KeepOnScreen(QWidget& window) {
    QList<QRect> available;
    for (const QScreen* screen : QGuiApplication::screens()) available << screen->availableGeometry();
    // The frame around the window's contents; until the window manager has framed the
    // window, a title bar and a border as the style draws them on inner windows.
    const QRect outer = window.frameGeometry(), inner = window.geometry();
    QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                   outer.bottom() - inner.bottom());
    if (frame.isNull()) {
        const int border = window.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &window);
        frame = QMargins(border, border + window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window),
                         border, border);
    }
    // A window's position is that of its frame.
    const QRect placed = PlaceOnScreens(QRect(window.pos(), window.size().grownBy(frame)), available,
                                        window.minimumSizeHint().expandedTo(window.minimumSize()).grownBy(frame));
    const QSize contents = placed.size().shrunkBy(frame);
    if (contents != window.size()) window.resize(contents);
    if (placed.topLeft() != window.pos()) window.move(placed.topLeft());
}

} // namespace lt
