// The printer behind the print jobs: a QPrinter (or a PDF file when the print dialog
// chose one) drawn with a QPainter in a monospaced font.
#pragma once

#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <memory>

#include "print/PrintJob.h"

namespace lt {

class QtPrintSurface : public PrintSurface {
public:
    explicit QtPrintSurface(const PrintChoice& choice);
    ~QtPrintSurface() override;

    PrintMetrics metrics() override;
    bool begin() override;
    bool newPage() override;
    bool drawLine(const PrintLine& line, double y) override;
    bool finish() override;

    // The factory the print commands use.
    static std::unique_ptr<PrintSurface> create(const PrintChoice& choice);

private:
    QFont font(bool bold, int points) const;

    QPrinter printer_;
    QPainter painter_;
};

} // namespace lt
