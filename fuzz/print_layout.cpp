// Arbitrary bytes as the current message's block: both print modes laid out and paged
// through the print job, with a surface that checks every line it is given.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FakeUserPort.h"
#include "MemoryFileSystem.h"
#include "print/PrintJob.h"

namespace {
class CheckingSurface : public lt::PrintSurface {
public:
    lt::PrintMetrics metrics() override {
        lt::PrintMetrics m;
        m.width = [](const std::string& t, bool, int) { return static_cast<double>(t.size()); };
        m.lineHeight = [](int points) { return static_cast<double>(points); };
        m.pageWidth = 80;
        m.pageHeight = 100;
        return m;
    }
    bool begin() override { return true; }
    bool newPage() override { return true; }
    bool drawLine(const lt::PrintLine& line, double y) override {
        if (y < 0 || y + line.points > 100) std::abort();
        return true;
    }
    bool finish() override { return true; }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lt::test::MemoryFileSystem fs;
    lt::test::FakeUserPort ui;
    lt::Session s(fs, ui);
    s.run.ScriptEditMode = true;
    s.msg.BlockText = std::string(reinterpret_cast<const char*>(data), size);
    auto factory = [](const lt::PrintChoice&) { return std::make_unique<CheckingSurface>(); };
    for (lt::PrintMode mode : {lt::PrintMode::TextOnly, lt::PrintMode::CompleteScript}) {
        ui.printers.push_back(lt::PrintChoice{});
        lt::PrintFile(s, mode, factory);
    }
    return 0;
}
