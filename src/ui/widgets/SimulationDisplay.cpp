#include "ui/widgets/SimulationDisplay.h"

#include <QEvent>
#include <QFontDatabase>
#include <QPainter>
#include <QVBoxLayout>

namespace lt {

namespace {

const QColor kLit(0xff, 0x8a, 0x1e);

// The unit's dark front panel: a rounded, bordered plate behind the rows. Painted here
// rather than through a style sheet, which would cost the window's start noticeably.
class LedPanel : public QWidget {
public:
    explicit LedPanel(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x3a, 0x2a, 0x20), 2));
        p.setBrush(QColor(0x12, 0x08, 0x04));
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 6, 6);
    }
};

} // namespace

SimulationDisplay::SimulationDisplay(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("frameDisplay"));
    auto* panel = new LedPanel(this);
    panel->setObjectName(QStringLiteral("ledPanel"));
    QPalette lit = panel->palette();
    lit.setColor(QPalette::WindowText, kLit);
    panel->setPalette(lit); // the rows inherit the lit colour
    auto* rows = new QVBoxLayout(panel);
    rows->setContentsMargins(12, 10, 12, 10);
    rows->setSpacing(4);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(15);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    for (int r = 1; r <= 4; ++r) {
        auto* label = new QLabel(panel);
        label->setObjectName(QStringLiteral("lblDisplay(%1)").arg(r));
        label->setFont(font);
        label->setTextFormat(Qt::PlainText);
        label->setMinimumWidth(QFontMetrics(font).horizontalAdvance(QString(20, QLatin1Char('M'))) + 4);
        label->setMouseTracking(true);
        label->installEventFilter(this);
        rows->addWidget(label);
        lblDisplay[r] = label;
    }
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(panel);
}

void SimulationDisplay::setRow(int r, const QString& text) {
    if (r >= 1 && r <= 4 && lblDisplay[r]->text() != text) lblDisplay[r]->setText(text);
}

void SimulationDisplay::setRowVisible(int r, bool visible) {
    if (r < 1 || r > 4) return;
    // A hidden row keeps its place, so the panel does not jump between unit types.
    QSizePolicy p = lblDisplay[r]->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    lblDisplay[r]->setSizePolicy(p);
    lblDisplay[r]->setVisible(visible);
}

bool SimulationDisplay::eventFilter(QObject* watched, QEvent* event) {
    for (int r = 1; r <= 4; ++r) {
        if (watched != lblDisplay[r]) continue;
        if (event->type() == QEvent::MouseButtonPress) emit rowClicked(r);
        else if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) emit rowHovered(r);
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace lt
