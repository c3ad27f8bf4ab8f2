#include <gtest/gtest.h>

#include "QuickEditFixture.h"
#include "quickedit/Simulation.h"

using namespace lt;
using lt::test::QuickEditTest;

namespace {

std::string rows(const SimulationModel& sim) {
    return sim.row(1) + "|" + sim.row(2) + "|" + sim.row(3) + "|" + sim.row(4);
}

} // namespace

TEST_F(QuickEditTest, SimulationShowsStaticCentredAndBlinkingLines) {
    SimulationModel sim;
    m.LineRtf[1] = "\\sb90\\sa90 \\qc \\f0 \\cf0 HELLO";
    m.LineRtf[2] = "\\qc \\f0 \\cf0 AB\\f65 \\cf0 CD\\f0 \\cf0 12345678901234567";
    m.LineBlink[2] = "25,ON";
    m.LineRtf[3] = "\\f0 \\cf0 NOT SHOWN";
    sim.UpdateSimulation(s);
    EXPECT_EQ(rows(sim), "|       HELLO|ABCD12345678901234567|");
    EXPECT_EQ(ui.statuses, (std::vector<std::string>{"Updating simulation display ", ""}));
    EXPECT_TRUE(!sim.rowVisible(1) && sim.rowVisible(2) && !sim.rowVisible(4) && !sim.timer1Enabled() &&
                sim.timer2Enabled());
    sim.Timer2Tick(s);
    EXPECT_EQ(rows(sim), "|       HELLO|AB  12345678901234567|");
    sim.Timer2Tick(s);
    EXPECT_EQ(sim.row(3), "ABCD12345678901234567");

    EXPECT_EQ(SimulationModel::rowForLine(s, 1), 2);
    m.LineNumber[2] = 3; // a row a two-line unit does not have
    EXPECT_EQ(SimulationModel::rowForLine(s, 2), 0);
    m.LineNumber[2] = 2;
    EXPECT_EQ(std::make_pair(SimulationModel::lineForRow(s, 3), SimulationModel::lineForRow(s, 1)),
              std::make_pair(2, 0));
    EXPECT_EQ(SimulationModel::rowStatusText(s, 3), "Simulation display line 2");
    EXPECT_EQ(std::make_pair(SimulationModel::clickTarget(s, 3, 1), SimulationModel::clickTarget(s, 2, 1)),
              std::make_pair(2, 0));
    m.LineRepeat[1] = "0,0";
    m.VerticalScrollMode = true;
    EXPECT_EQ(SimulationModel::clickTarget(s, 3, 1), 0);
    m.LineRepeat[1].clear();
    m.VerticalScrollMode = false;
    fourLines();
    sim.UpdateSimulation(s);
    EXPECT_EQ(rows(sim), "       HELLO|ABCD12345678901234567|NOT SHOWN|");
    EXPECT_TRUE(sim.rowVisible(4));
    EXPECT_EQ(SimulationModel::rowStatusText(s, 3), "Simulation display line 3");

    m.ScriptOnly = true;
    sim.UpdateSimulation(s);
    EXPECT_EQ(rows(sim), "|||");
    EXPECT_FALSE(sim.rowVisible(2) || sim.timer1Enabled() || sim.timer2Enabled());
}

TEST_F(QuickEditTest, SimulationRepeatsThreeParagraphsTwiceInTwentyFourTicks) {
    SimulationModel sim;
    m.LineRtf[1] = "\\sb90\\sa90 \\qc \\f0 \\cf0 ONE\\par\r\n\\f65 \\cf0 TWO\\par\r\n\\ql \\f0 \\cf0 THREE";
    m.LineRepeat[1] = "0,2";
    m.LineBlink[1] = "25,ON";
    m.WaitTime = "8";
    m.HorizontalScrollMode = true;
    m.LineRtf[2] = "\\f0 \\cf0 STILL";
    sim.UpdateSimulation(s);
    EXPECT_TRUE(sim.timer1Enabled());
    EXPECT_EQ(std::make_pair(sim.timer1Interval(), sim.stepCount()), std::make_pair(200, 24));
    std::vector<std::string> frames;
    for (int tick = 1; tick <= 24; ++tick) {
        sim.Timer1Tick(s);
        frames.push_back(sim.row(2));
        EXPECT_EQ(sim.timer1Enabled(), tick < 24) << tick;
    }
    const std::string one = "        ONE", two = "        TWO", twoOff = "           ";
    const std::vector<std::string> expected = {
        one, one, one, one, two, twoOff, two, twoOff, "THREE", "THREE", "THREE", "THREE",
        one, one, one, one, two, twoOff, two, twoOff, "THREE", "THREE", "THREE", "THREE"};
    EXPECT_EQ(frames, expected);
    EXPECT_EQ(sim.row(3), "STILL");
    sim.Timer1Tick(s);
    EXPECT_EQ(sim.row(2), "THREE");

    // Repeat 0 runs until the display is updated again.
    m.LineRepeat[1] = "0,0";
    sim.UpdateSimulation(s);
    EXPECT_EQ(sim.stepCount(), 0);
    for (int tick = 0; tick < 100; ++tick) sim.Timer1Tick(s);
    EXPECT_TRUE(sim.timer1Enabled());

    // Vertical: the rows move up on each paragraph change.
    fourLines();
    m.HorizontalScrollMode = false;
    m.VerticalScrollMode = true;
    m.LineRepeat[1] = "0,1";
    SimulationModel vertical;
    vertical.UpdateSimulation(s);
    EXPECT_EQ(vertical.stepCount(), 12);
    for (auto [ticks, shown] : {std::pair<int, const char*>{1, "|||        ONE"}, {4, "||        ONE|        TWO"},
                                {1, "||        ONE|           "}, {3, "|        ONE|        TWO|THREE"}}) {
        for (int k = 0; k < ticks; ++k) vertical.Timer1Tick(s);
        EXPECT_EQ(rows(vertical), shown);
    }
}

TEST_F(QuickEditTest, SimulationScrollsContinuously) {
    SimulationModel sim;
    m.LineRtf[2] = "\\f0 \\cf0 HE\\f65 \\cf0 Y";
    m.LineScroll[2] = "5,1";
    sim.UpdateSimulation(s);
    EXPECT_EQ(std::make_pair(sim.timer1Interval(), sim.stepCount()), std::make_pair(50, 4));
    for (std::string shown : {"H", "HE", "HEY"}) {
        sim.Timer1Tick(s);
        EXPECT_EQ(sim.row(3), std::string(20 - shown.size(), ' ') + shown);
    }
    sim.Timer1Tick(s);
    EXPECT_FALSE(sim.timer1Enabled());
    // Endless: the text wraps round; blinking characters blink at the scroll rate.
    m.LineScroll[2] = "3,0";
    SimulationModel endless;
    endless.UpdateSimulation(s);
    EXPECT_EQ(endless.timer1Interval(), 30);
    std::vector<std::string> frames;
    for (int k = 0; k < 5; ++k) {
        endless.Timer1Tick(s);
        frames.push_back(endless.row(3).substr(15));
    }
    EXPECT_EQ(frames, (std::vector<std::string>{"    H", "   HE", "  HEY", " HE H", "HEYHE"}));
    EXPECT_TRUE(endless.timer1Enabled());
}
