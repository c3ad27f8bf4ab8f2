// Arbitrary bytes through the Quick Edit conversions. The first byte chooses the road:
// a stored block (with and without a matching CRC) through CheckCrc + ReadFields and back
// through SubMake, the simulation and the edit state; or a rich-text fragment through
// GetText, MakeBlink, TruncateText, BlinkText and SplitRuns.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FakeUserPort.h"
#include "MemoryFileSystem.h"
#include "Session.h"
#include "common/NumberText.h"
#include "quickedit/EditState.h"
#include "quickedit/Generate.h"
#include "quickedit/Read.h"
#include "quickedit/RichText.h"
#include "quickedit/Simulation.h"
#include "storage/Crc.h"

namespace {

void readAndRegenerate(lt::Session& s, const std::string& block) {
    s.msg.BlockText = block;
    lt::ReadFields(s);
    lt::SimulationModel sim;
    sim.UpdateSimulation(s);
    for (int tick = 0; tick < 9; ++tick) {
        sim.Timer1Tick(s);
        sim.Timer2Tick(s);
    }
    for (int line = 1; line <= s.msg.LineCount; ++line) lt::ShowEditState(s, line);
    lt::SubMake(s);
    lt::ReadFields(s);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    lt::test::MemoryFileSystem fs;
    lt::test::FakeUserPort ui;
    lt::Session s(fs, ui);
    const uint8_t mode = data[0];
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    s.msg.LineCount = (mode & 1) ? 4 : 2;
    s.msg.CurrentMessage = 7;
    switch ((mode >> 1) % 3) {
    case 0:
        readAndRegenerate(s, text);
        break;
    case 1: {
        const std::string body = "\r\n" + text;
        readAndRegenerate(s, "SUB 7(TASK=1)    // CRC value =" + lt::Str(lt::CalcCrc(body)) + "\r\n" + body + "END SUB\r\n");
        break;
    }
    default: {
        (void)lt::GetText(text);
        (void)lt::BlinkText(text);
        (void)lt::CheckBlink(text);
        (void)lt::CountVariables(text);
        (void)lt::SplitRuns(text);
        const std::string blinked = lt::MakeBlink(text);
        if (lt::GetText(blinked).size() != lt::GetText(text).size()) __builtin_trap();
        std::string rest = text;
        const int n = mode >> 3;
        int pieces = 0;
        while (!rest.empty() && ++pieces < 200) {
            std::string head = lt::TruncateText(rest, n);
            if (head.empty() && lt::GetText(rest).empty()) break;
        }
        s.msg.LineRtf[1] = text;
        lt::SubMake(s);
        break;
    }
    }
    return 0;
}
