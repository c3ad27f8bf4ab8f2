// Printing the open script file or the current message: the print dialog, the blocks
// taken where they live (without changing the store), page breaks, progress texts and
// the printer-error question. The output device is the caller's PrintSurface.
#pragma once

#include <functional>
#include <memory>

#include "Session.h"
#include "print/PrintLayout.h"

namespace lt {

// An output device. Every step returns false when the printer failed; the job then asks
// whether to retry that step.
class PrintSurface {
public:
    virtual ~PrintSurface() = default;
    virtual PrintMetrics metrics() = 0;
    virtual bool begin() = 0;
    virtual bool newPage() = 0;
    // Draws a line with its top at y (device units from the top of the printable area).
    virtual bool drawLine(const PrintLine& line, double y) = 0;
    virtual bool finish() = 0;
};

using PrintSurfaceFactory = std::function<std::unique_ptr<PrintSurface>(const PrintChoice&)>;

// "Message &Text Only" (TextOnly) and "Complete &Script" (CompleteScript). False when
// nothing was printed (dialog cancelled or printing given up).
bool PrintFile(Session& s, PrintMode mode, const PrintSurfaceFactory& makeSurface);
// "Print Current &Message...".
bool PrintMessage(Session& s, const PrintSurfaceFactory& makeSurface);

} // namespace lt
