#include "ui/print/QtPrintSurface.h"

#include <QFontDatabase>
#include <QFontMetricsF>

namespace lt {

QtPrintSurface::QtPrintSurface(const PrintChoice& choice) : printer_(QPrinter::HighResolution) {
    if (!choice.outputFile.empty()) {
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(QString::fromStdString(choice.outputFile));
    } else if (!choice.printerName.empty()) {
        printer_.setPrinterName(QString::fromStdString(choice.printerName));
    }
    // The job prints its copies itself.
    printer_.setCopyCount(1);
    printer_.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
}

QtPrintSurface::~QtPrintSurface() {
    if (painter_.isActive()) painter_.end();
}

std::unique_ptr<PrintSurface> QtPrintSurface::create(const PrintChoice& choice) {
    return std::make_unique<QtPrintSurface>(choice);
}

QFont QtPrintSurface::font(bool bold, int points) const {
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

PrintMetrics QtPrintSurface::metrics() {
    PrintMetrics m;
    QPaintDevice* device = &printer_;
    m.width = [this, device](const std::string& text, bool bold, int points) {
        return QFontMetricsF(font(bold, points), device).horizontalAdvance(QString::fromLatin1(text.c_str()));
    };
    // The height of a sample line with ascenders and descenders, plus the font's leading.
    m.lineHeight = [this, device](int points) {
        QFontMetricsF fm(font(false, points), device);
        return fm.boundingRect(QStringLiteral("Wg|Ay")).height() + fm.leading();
    };
    const QRectF page = printer_.pageRect(QPrinter::DevicePixel);
    m.pageWidth = page.width();
    m.pageHeight = page.height();
    return m;
}

bool QtPrintSurface::begin() { return painter_.isActive() || painter_.begin(&printer_); }

bool QtPrintSurface::newPage() { return painter_.isActive() && printer_.newPage(); }

bool QtPrintSurface::drawLine(const PrintLine& line, double y) {
    if (!painter_.isActive()) return false;
    double x = 0;
    for (const PrintSpan& span : line.spans) {
        QFont f = font(span.bold, line.points);
        painter_.setFont(f);
        QFontMetricsF fm(f, &printer_);
        const QString text = QString::fromLatin1(span.text.c_str());
        painter_.drawText(QPointF(x, y + fm.ascent()), text);
        x += fm.horizontalAdvance(text);
    }
    return true;
}

bool QtPrintSurface::finish() { return !painter_.isActive() || painter_.end(); }

} // namespace lt
