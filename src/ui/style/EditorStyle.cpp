#include "ui/style/EditorStyle.h"

#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QWidget>

namespace lt {

namespace {

// A double chevron pointing right (or down) in the button text colour, drawn only when
// the menu bar actually shows its overflow button.
class ChevronEngine : public QIconEngine {
public:
    ChevronEngine(bool down, const QColor& color) : down_(down), color_(color) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        QColor c = color_;
        if (mode == QIcon::Disabled) c.setAlpha(110);
        painter->setPen(QPen(c, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 16.0, rect.height() / 16.0);
        if (down_) {
            painter->translate(16, 0);
            painter->rotate(90);
        }
        for (int x : {4, 8}) {
            QPainterPath arrow;
            arrow.moveTo(x, 4);
            arrow.lineTo(x + 4, 8);
            arrow.lineTo(x, 12);
            painter->drawPath(arrow);
        }
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }

    QIconEngine* clone() const override { return new ChevronEngine(down_, color_); }

private:
    bool down_;
    QColor color_;
};

} // namespace

QIcon EditorStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const {
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton) {
        const QColor color = widget ? widget->palette().color(QPalette::ButtonText) : QColor(Qt::black);
        return QIcon(new ChevronEngine(icon == SP_ToolBarVerticalExtensionButton, color));
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

} // namespace lt
