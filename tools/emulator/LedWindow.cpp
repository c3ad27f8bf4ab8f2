#include "emulator/LedWindow.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QTimer>

namespace lt::emulator {

namespace {

constexpr int kDotColumns = 5;
constexpr int kDotRows = 7;
constexpr int kPitch = 5;              // pixels from one dot to the next
constexpr int kCellWidth = (kDotColumns + 1) * kPitch;
constexpr int kCellHeight = (kDotRows + 2) * kPitch;

// The dots of a character: the glyph drawn small and sampled on a 5 x 7 grid.
QImage glyphDots(char ch) {
    QImage glyph(kDotColumns, kDotRows, QImage::Format_Grayscale8);
    glyph.fill(Qt::black);
    QPainter p(&glyph);
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(9);
    font.setStyleStrategy(QFont::NoAntialias);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, -1, kDotColumns, kDotRows + 2), Qt::AlignCenter, QString(QChar::fromLatin1(ch)));
    return glyph;
}

} // namespace

LedWindow::LedWindow(const Machine& machine, int unitType, QWidget* parent) : QWidget(parent), machine_(machine) {
    setWindowTitle(QStringLiteral("Lumatext %1 unit").arg(unitType));
    setFixedSize(kColumns * kCellWidth + 2 * kPitch, machine.display().rows() * kCellHeight + 6 * kPitch);
}

void LedWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(20, 8, 4));
    p.setRenderHint(QPainter::Antialiasing);
    const Display& d = machine_.display();
    for (int row = 1; row <= d.rows(); ++row) {
        const std::string shown = d.shownRow(row, machine_.now());
        for (int column = 1; column <= kColumns; ++column) {
            QImage dots = glyphDots(shown[static_cast<size_t>(column - 1)]);
            int x0 = kPitch + (column - 1) * kCellWidth, y0 = kPitch + (row - 1) * kCellHeight;
            for (int y = 0; y < kDotRows; ++y)
                for (int x = 0; x < kDotColumns; ++x) {
                    bool lit = qGray(dots.pixel(x, y)) > 96;
                    p.setBrush(lit ? QColor(255, 140, 30) : QColor(60, 25, 10));
                    p.setPen(Qt::NoPen);
                    p.drawEllipse(QPointF(x0 + x * kPitch + kPitch / 2.0, y0 + y * kPitch + kPitch / 2.0), 2.0, 2.0);
                }
        }
    }
    p.setPen(machine_.relay() ? QColor(80, 255, 80) : QColor(90, 90, 90));
    p.drawText(QRect(kPitch, height() - 4 * kPitch, width(), 3 * kPitch), Qt::AlignLeft | Qt::AlignVCenter,
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
