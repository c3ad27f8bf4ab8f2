// What the dialogs write animates on the simulation display as the unit would show it:
// continuous and block-by-block horizontal scrolling, vertical scrolling and blinking.
#include <gtest/gtest.h>

#include <set>

#include "FakeUserPort.h"
#include "MemoryFileSystem.h"
#include "Session.h"
#include "attributes/BlinkSettings.h"
#include "attributes/HorizontalScroll.h"
#include "attributes/VerticalScroll.h"
#include "quickedit/Simulation.h"

namespace lt {
namespace {

class DialogSimulation : public ::testing::Test {
protected:
    test::MemoryFileSystem fs;
    test::FakeUserPort ui;
    Session s{fs, ui};
    QuickMessage& m = s.msg;
    SimulationModel sim;

    void SetUp() override {
        m.LineCount = 4;
        s.settings.UnitType = "7780";
    }
    static std::string Line(const std::string& text) { return "\\sb90\\sa90 \\f0 \\cf0 " + text; }

    // Every distinct content of a row over `ticks` scroll-timer ticks.
    std::set<std::string> scrollFrames(int row, int ticks) {
        std::set<std::string> seen;
        for (int i = 0; i < ticks && sim.timer1Enabled(); ++i) {
            sim.Timer1Tick(s);
            seen.insert(sim.row(row));
        }
        return seen;
    }
    static bool anyContains(const std::set<std::string>& frames, const std::string& part) {
        for (const auto& f : frames)
            if (f.find(part) != std::string::npos) return true;
        return false;
    }
};

TEST_F(DialogSimulation, ContinuousAndBlockByBlockLinesScroll) {
    m.LineRtf[2] = Line("AAAAAAAAAAAAAAAAAAAABBBBBBBBBB");
    HorizontalScrollChoice c;
    c.kind = HorizontalKind::Continuous;
    c.repeatLine = true;
    c.repeatText = "1";
    ASSERT_EQ(ApplyHorizontalScroll(m, 2, c).outcome, ScrollOutcome::Applied);
    sim.UpdateSimulation(s);
    ASSERT_TRUE(sim.timer1Enabled());
    auto frames = scrollFrames(2, 200);
    EXPECT_GT(frames.size(), 10u);  // character by character
    EXPECT_TRUE(anyContains(frames, "ABBB"));

    c.kind = HorizontalKind::Block;
    ASSERT_EQ(ApplyHorizontalScroll(m, 2, c).outcome, ScrollOutcome::Applied);
    sim.UpdateSimulation(s);
    ASSERT_TRUE(sim.timer1Enabled());
    frames = scrollFrames(2, 200);
    EXPECT_TRUE(frames.count(std::string(20, 'A')));
    EXPECT_TRUE(anyContains(frames, std::string(10, 'B')));
    EXPECT_FALSE(anyContains(frames, "AB"));  // whole blocks, never a mix
}

TEST_F(DialogSimulation, VerticalParagraphsMoveUpAndBlinkingBlinks) {
    m.LineRtf[1] = Line("FIRST");
    m.LineRtf[2] = Line("SECOND");
    m.LineRtf[3] = Line("THIRD");
    VerticalScrollChoice v;
    v.on = true;
    ASSERT_EQ(ApplyVerticalScroll(m, 1, v).outcome, ScrollOutcome::Applied);
    sim.UpdateSimulation(s);
    ASSERT_TRUE(sim.timer1Enabled());
    std::set<std::string> screens;
    for (int i = 0; i < 40 && sim.timer1Enabled(); ++i) {
        sim.Timer1Tick(s);
        screens.insert(sim.row(1) + "|" + sim.row(2) + "|" + sim.row(3) + "|" + sim.row(4));
    }
    EXPECT_TRUE(anyContains(screens, "SECOND"));
    EXPECT_TRUE(anyContains(screens, "THIRD"));
    EXPECT_GT(screens.size(), 2u);

    QuickMessage blink;
    m = blink;
    m.LineCount = 4;
    ApplyBlink(m, 1, "\\sb90\\sa90 \\f65 \\cf0 ALARM", true, 4);
    ASSERT_EQ(m.LineBlink[1], "25,1");
    sim.UpdateSimulation(s);
    ASSERT_TRUE(sim.timer2Enabled());
    std::set<std::string> phases;
    for (int i = 0; i < 4; ++i) {
        sim.Timer2Tick(s);
        phases.insert(sim.row(1));
    }
    EXPECT_TRUE(phases.count("ALARM"));
    EXPECT_EQ(phases.size(), 2u);
}

} // namespace
} // namespace lt
