#include "print/PrintJob.h"

#include "common/NumberText.h"
#include "quickedit/Generate.h"
#include "quickedit/Read.h"
#include "storage/PathUtil.h"
#include "storage/ScriptFile.h"

namespace lt {

namespace {

// Runs one printer step, asking "Printer not responding" (Retry/Cancel) while it fails.
template <class Step>
bool Try(Session& s, Step step) {
    while (!step()) {
        if (s.ui.messageBox(Box("Printer not responding", Buttons::RetryCancel, Icon::Information)) != Answer::Retry)
            return false;
    }
    return true;
}

// Draws lines one after the other, starting new pages when a line does not fit.
class LineWriter {
public:
    LineWriter(Session& s, PrintSurface& surface, const PrintMetrics& metrics)
        : s_(s), surface_(surface), metrics_(metrics), cursor_(metrics.pageHeight) {}

    bool write(const std::vector<PrintLine>& lines) {
        for (const PrintLine& line : lines) {
            if (FitsOnPage(line, metrics_)) {
                if (!draw(line)) return false;
                continue;
            }
            // A line wider than the page goes on over as many printed lines as it needs.
            for (const PrintLine& part : WrapLine(line, metrics_))
                if (!draw(part)) return false;
        }
        return true;
    }
    bool draw(const PrintLine& line) {
        if (cursor_.place(metrics_.lineHeight(line.points)) && !Try(s_, [&] { return surface_.newPage(); }))
            return false;
        const double y = cursor_.top();
        return Try(s_, [&] { return surface_.drawLine(line, y); });
    }
    // The next copy starts on a fresh page.
    bool nextCopy() {
        cursor_ = PageCursor(metrics_.pageHeight);
        return Try(s_, [&] { return surface_.newPage(); });
    }

private:
    Session& s_;
    PrintSurface& surface_;
    const PrintMetrics& metrics_;
    PageCursor cursor_;
};

// Reads stored blocks without touching the index; a file that cannot be opened is
// reported once and its blocks print empty.
class BlockSource {
public:
    BlockSource(Session& s, const std::string& path) : s_(s), reader_(s.fs, path) {}
    std::string fetch(int n) {
        if (failed_ || reader_.path().empty()) return std::string();
        if (!opened_) {
            if (!reader_.open()) {
                failed_ = true;
                s_.ui.messageBox(Box("Can't open file " + FileNamePart(reader_.path())));
                return std::string();
            }
            opened_ = true;
        }
        bool found = false;
        std::string block = reader_.fetch(n, s_.index.MessageOffset[n], &found);
        return found ? block : std::string();
    }

private:
    Session& s_;
    BlockReader reader_;
    bool opened_ = false;
    bool failed_ = false;
};

std::string Progress(const std::string& name, const std::string& percent) {
    return "Printing file " + name + ". " + percent + " % complete.";
}

// The Quick Edit record is turned into BlockText for the print and read back afterwards.
struct QuickEditBlock {
    explicit QuickEditBlock(Session& s) : s_(s) {
        if (!s_.run.ScriptEditMode) SubMake(s_);
    }
    ~QuickEditBlock() {
        if (!s_.run.ScriptEditMode) ReadFields(s_);
    }
    Session& s_;
};

} // namespace

bool PrintFile(Session& s, PrintMode mode, const PrintSurfaceFactory& makeSurface) {
    std::optional<PrintChoice> choice = s.ui.choosePrinter();
    if (!choice) return false;
    std::unique_ptr<PrintSurface> surface = makeSurface(*choice);
    if (!surface) return false;
    QuickEditBlock quick(s);
    const std::string& path = s.index.CurrentFilePath;
    const std::string name = path.empty() ? std::string("New") : FileNamePart(path);
    s.ui.setBusy(true);
    s.ui.setStatus(Progress(name, "1"));
    const PrintMetrics metrics = surface->metrics();
    bool ok = Try(s, [&] { return surface->begin(); });
    LineWriter writer(s, *surface, metrics);
    BlockSource work(s, s.index.WorkFilePath);
    BlockSource old(s, path);
    const int copies = choice->copies < 1 ? 1 : choice->copies;
    for (int copy = 0; ok && copy < copies; ++copy) {
        if (copy > 0) ok = writer.nextCopy();
        ok = ok && writer.write(HeadingLines(s.settings.UnitType, path, metrics));
        if (ok && mode == PrintMode::CompleteScript)
            ok = writer.write(ScriptHeaderLines(s.settings.UnitType, s.settings.FirmwareVersion));
        int lastShown = 0;
        for (int i = 0; ok && i < kMessageCount; ++i) {
            if (i - lastShown > 49) {
                lastShown = i;
                s.ui.setStatus(Progress(name, Str(i * 100 / kMessageCount)));
            }
            std::string block;
            if (i == s.msg.CurrentMessage) block = s.msg.BlockText;
            else if (s.index.MessageState[i] == 2) block = work.fetch(i);
            else if (s.index.MessageState[i] == 1) block = old.fetch(i);
            else continue;
            if (block.empty()) continue;
            ok = writer.write(BlockPrintLines(block, mode, i));
        }
    }
    if (ok) ok = Try(s, [&] { return surface->finish(); });
    else surface->finish();
    s.ui.setStatus("");
    s.ui.setBusy(false);
    return ok;
}

bool PrintMessage(Session& s, const PrintSurfaceFactory& makeSurface) {
    std::optional<PrintChoice> choice = s.ui.choosePrinter();
    if (!choice) return false;
    QuickEditBlock quick(s);
    if (s.msg.BlockText.empty()) return false;
    std::unique_ptr<PrintSurface> surface = makeSurface(*choice);
    if (!surface) return false;
    s.ui.setBusy(true);
    s.ui.setStatus("Printing message " + Str(s.msg.CurrentMessage));
    const PrintMetrics metrics = surface->metrics();
    bool ok = Try(s, [&] { return surface->begin(); });
    LineWriter writer(s, *surface, metrics);
    const int copies = choice->copies < 1 ? 1 : choice->copies;
    for (int copy = 0; ok && copy < copies; ++copy) {
        if (copy > 0) ok = writer.nextCopy();
        ok = ok && writer.write(HeadingLines(s.settings.UnitType, s.index.CurrentFilePath, metrics)) &&
             writer.write(BlockPrintLines(s.msg.BlockText, PrintMode::CompleteScript, s.msg.CurrentMessage));
    }
    if (ok) ok = Try(s, [&] { return surface->finish(); });
    else surface->finish();
    s.ui.setStatus("");
    s.ui.setBusy(false);
    return ok;
}

} // namespace lt
