// Print figures: laying out the whole script of 1024 four-line messages (both modes),
// against a floor of reading the same blocks and splitting them into lines.
#include "Benches.h"
#include "FakeUserPort.h"
#include "MemoryFileSystem.h"
#include "print/PrintJob.h"
#include "storage/ScriptFile.h"

namespace {

// Measures like a fixed-pitch printer font and draws nothing.
class NullSurface : public lt::PrintSurface {
public:
    size_t lines = 0;
    lt::PrintMetrics metrics() override {
        lt::PrintMetrics m;
        m.width = [](const std::string& t, bool, int points) { return static_cast<double>(t.size()) * points * 0.6; };
        m.lineHeight = [](int points) { return points * 1.2; };
        m.pageWidth = 480;
        m.pageHeight = 720;
        return m;
    }
    bool begin() override { return true; }
    bool newPage() override { return true; }
    bool drawLine(const lt::PrintLine& line, double) override {
        lines += line.spans.size();
        return true;
    }
    bool finish() override { return true; }
};

std::string Block(int n) {
    std::string b = "SUB " + std::to_string(n) + "(TASK=0)    // CRC value = 12345\r\n";
    for (int line = 1; line <= 4; ++line)
        b += "LINE" + std::to_string(line) + ":\r\n    CALL CURSOR(" + std::to_string(line) + ",1)\r\n    PRINT\"Message " +
             std::to_string(n) + " line " + std::to_string(line) + "\";\r\n";
    return b + "END SUB\r\n";
}

} // namespace

namespace lt::bench {

void PrintBenches(Results& results, const std::string&) {
    lt::test::MemoryFileSystem fs;
    lt::test::FakeUserPort ui;
    Session s{fs, ui};
    s.run.ScriptEditMode = true;
    s.msg.CurrentMessage = 0;
    s.msg.BlockText = Block(0);
    std::string file = ScriptHeader("7780", "2");
    for (int n = 1; n < kMessageCount; ++n) {
        s.index.MessageState[n] = 1;
        s.index.MessageOffset[n] = static_cast<int64_t>(file.size()) + 1;
        file += Block(n) + "\r\n";
    }
    fs.files["/b/all.src"] = file;
    s.index.CurrentFilePath = "/b/all.src";
    auto factory = [](const PrintChoice&) { return std::make_unique<NullSurface>(); };
    size_t sink = 0;
    double floor = bestSeconds([&] {
        BlockReader reader(fs, "/b/all.src");
        reader.open();
        for (int n = 1; n < kMessageCount; ++n) {
            std::string b = reader.fetch(n, s.index.MessageOffset[n]);
            for (size_t start = 0, p; (p = b.find('\n', start)) != std::string::npos; start = p + 1)
                sink += std::string(b, start, p - start).size() & 1;
        }
    });
    for (PrintMode mode : {PrintMode::TextOnly, PrintMode::CompleteScript}) {
        double print = bestSeconds([&] {
            ui.printers.push_back(PrintChoice{});
            PrintFile(s, mode, factory);
            ui.statuses.clear();
        });
        results.report(mode == PrintMode::TextOnly ? "print_text_only" : "print_complete_script", print / floor, 4.0,
                       "floor: read and split every block");
    }
    if (sink == 42) std::printf(" ");
}

} // namespace lt::bench
