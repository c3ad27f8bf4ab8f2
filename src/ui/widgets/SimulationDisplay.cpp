#include "ui/widgets/SimulationDisplay.h"

#include <QEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <cmath>

namespace lt {

namespace {

// The panel always has the four rows of a 7780; a 7740 shows the middle two, so the panel
// keeps its place and size between unit types.
constexpr int kPanelRows = 4;

// The unit's dark front panel. It keeps the panel's shape at every size, centred in the
// frame: the 20 columns span its width. It lays the row labels over their strips.
class LedPanel : public QWidget {
public:
    explicit LedPanel(QWidget* parent) : QWidget(parent) {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

    led::LedGeometry ledGeometry() const { return led::LedGeometry::fit(QRectF(rect()), kPanelRows); }
    led::LedPainter& ledPainter() { return painter_; }

    void addRow(QLabel* label) { rows_.push_back(label); }

    // Small hints: the panel grows with the window, and the window opens no wider for it.
    QSize sizeHint() const override { return pitches(3); }
    QSize minimumSizeHint() const override { return pitches(2); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        painter_.paintPlate(p, ledGeometry());
    }

    void resizeEvent(QResizeEvent*) override {
        const led::LedGeometry g = ledGeometry();
        for (int r = 1; r <= static_cast<int>(rows_.size()); ++r) {
            const QRectF band = g.rowBand(r);
            rows_[static_cast<size_t>(r - 1)]->setGeometry(
                QRect(QPoint(qRound(band.left()), qRound(band.top())), QPoint(qRound(band.right()) - 1, qRound(band.bottom()) - 1)));
        }
    }

private:
    static QSize pitches(qreal pitch) {
        return {static_cast<int>(std::ceil(pitch * led::LedGeometry::kWidthInPitches)),
                static_cast<int>(std::ceil(pitch * led::LedGeometry::heightInPitches(kPanelRows)))};
    }

    led::LedPainter painter_;
    std::vector<QLabel*> rows_;
};

// One row: a label holding the row's 20 characters (Latin-1), drawn as dots.
class LedRowLabel : public QLabel {
public:
    LedRowLabel(LedPanel* panel, int row) : QLabel(panel), panel_(panel), row_(row) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.translate(-pos()); // the geometry is the panel's
        const QByteArray codes = text().toLatin1();
        panel_->ledPainter().paintRow(p, panel_->ledGeometry(), row_,
                                      led::RowOf(std::string_view(codes.constData(), static_cast<size_t>(codes.size()))));
    }

private:
    LedPanel* panel_;
    int row_;
};

} // namespace

SimulationDisplay::SimulationDisplay(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("frameDisplay"));
    auto* panel = new LedPanel(this);
    panel->setObjectName(QStringLiteral("ledPanel"));
    panel_ = panel;
    for (int r = 1; r <= 4; ++r) {
        auto* label = new LedRowLabel(panel, r);
        label->setObjectName(QStringLiteral("lblDisplay(%1)").arg(r));
        label->setTextFormat(Qt::PlainText);
        label->setMouseTracking(true);
        label->installEventFilter(this);
        panel->addRow(label);
        lblDisplay[r] = label;
    }
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(panel);
}

led::LedGeometry SimulationDisplay::panelGeometry() const { return static_cast<LedPanel*>(panel_)->ledGeometry(); }

void SimulationDisplay::setRow(int r, const QString& text) {
    if (r >= 1 && r <= 4 && lblDisplay[r]->text() != text) lblDisplay[r]->setText(text);
}

void SimulationDisplay::setRowVisible(int r, bool visible) {
    if (r >= 1 && r <= 4) lblDisplay[r]->setVisible(visible);
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
