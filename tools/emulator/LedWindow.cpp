#include "emulator/LedWindow.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QtMath>
#include <QTimer>

namespace lt::emulator {

namespace {

constexpr qreal kPitch = 5; // pixels from one dot to the next
constexpr int kRelayStrip = 20;

} // namespace

LedWindow::LedWindow(const Machine& machine, int unitType, QWidget* parent)
    : QWidget(parent), machine_(machine),
      panel_(led::LedGeometry::forWidth(led::LedGeometry::kWidthInPitches * kPitch, machine.display().rows())) {
    setWindowTitle(QStringLiteral("Lumatext %1 unit").arg(unitType));
    const QRectF panel = panel_.panel();
    setFixedSize(qCeil(panel.width()), qCeil(panel.height()) + kRelayStrip);
}

void LedWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), led::LedColours::plate());
    painter_.paintPlate(p, panel_);
    const Display& d = machine_.display();
    for (int row = 1; row <= d.rows(); ++row) {
        // Blinking cells in their off phase are blanks here, so their dots stay unlit.
        const std::string shown = d.shownRow(row, machine_.now());
        led::LedRow dots{};
        for (int column = 1; column <= kColumns; ++column)
            dots[static_cast<size_t>(column - 1)] = led::GlyphOf(static_cast<unsigned char>(shown[static_cast<size_t>(column - 1)]),
                                                                 led::CharacterSetOf(d.cell(row, column).font));
        painter_.paintRow(p, panel_, row, dots);
    }
    p.setPen(machine_.relay() ? QColor(80, 255, 80) : QColor(90, 90, 90));
    p.drawText(QRect(6, height() - kRelayStrip, width() - 6, kRelayStrip), Qt::AlignLeft | Qt::AlignVCenter,
               machine_.relay() ? QStringLiteral("relay ON") : QStringLiteral("relay OFF"));
}

int runLedWindow(int argc, char* argv[], EmulatorHost& host, Machine& machine, int unitType,
                 const std::string& snapshot) {
    QApplication app(argc, argv);
    LedWindow window(machine, unitType);
    window.show();
    QTimer timer;
    std::string lastShown;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (!host.pollOnce(0)) app.quit();
        std::string shown = machine.relay() ? "R" : "-";
        for (int row = 1; row <= machine.display().rows(); ++row) shown += machine.display().shownRow(row, machine.now());
        if (shown != lastShown) {
            lastShown = shown;
            window.update();
            if (!snapshot.empty()) {
                const QString path = QString::fromStdString(snapshot);
                window.grab().save(path + QStringLiteral(".tmp.png"));
                QFile::remove(path);
                QFile::rename(path + QStringLiteral(".tmp.png"), path);
            }
        }
    });
    timer.start(kTickMs);
    return app.exec();
}

} // namespace lt::emulator
