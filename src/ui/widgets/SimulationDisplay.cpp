#include "ui/widgets/SimulationDisplay.h"

#include <QEvent>
#include <QFontDatabase>
#include <QVBoxLayout>

namespace lt {

SimulationDisplay::SimulationDisplay(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("frameDisplay"));
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("ledPanel"));
    panel->setStyleSheet(QStringLiteral("#ledPanel { background: #120804; border: 2px solid #3a2a20; border-radius: 6px; }"));
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
        label->setStyleSheet(QStringLiteral("color: #ff8a1e; background: transparent;"));
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
